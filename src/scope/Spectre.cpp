#include "scope/Spectre.h"

#include "services/ModFonctions.h"
#include "platform/VbConversions.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Signaux.h"

#include <QMap>

#include <cmath>
#include <complex>

namespace {

constexpr int kRangs = 50;
// The axis' anchor: the fundamental one division right of the left edge.
constexpr double kAncrage = -400;
// Beyond this margin around the screen a line or its label cannot show.
constexpr double kMarge = 200;
// Frequencies nearer than this relative difference are one component in ADD.
constexpr double kToleranceFusion = 0.001;

bool visible(double x)
{
    return x >= kEcranGauche - kMarge && x <= kEcranDroite + kMarge;
}

// The fundamental as the one-channel view places it: to 0.1 Hz below 10 Hz,
// else to the hertz.
double fondamentaleArrondie(double f)
{
    return f < 10 ? Arrondi(f, 1) : Arrondi(f, 0);
}

QString texteFrequence(double f)
{
    return Str(f < 10 ? Arrondi(f, 1) : Arrondi(f, 0));
}

bool etiquetee(const Composantes& c, int k)
{
    return c.amp[size_t(k)] != 0 && (k == 0 || k % 2 == 1);
}

void ajouterRaie(FigureSpectre& figure, double x, double hauteur)
{
    if (visible(x))
        figure.raies.append({x, hauteur});
}

void ajouterEtiquette(FigureSpectre& figure, double x, int rang, const QString& texte)
{
    if (visible(x))
        figure.etiquettes.append({x, rang, texte});
}

} // namespace

bool PorteSignal(const SourceSpectre& source)
{
    return source.branchee && !source.couplageGND;
}

namespace {

using Phaseur = std::complex<double>;

// The components of a source as the trace draws its wave, in screen units:
// entry 0 the signed DC level, entry n the phasor z of harmonic n, the
// harmonic being Re(z e^(i n w t)) with t = 0 at the start of the period. A
// negated source has every entry negated, so that in ADD two opposite
// signals cancel exactly.
std::array<Phaseur, kRangs> phaseurs(const SourceSpectre& source)
{
    std::array<Phaseur, kRangs> z{};
    const double V = source.sensibilite;
    if (!PorteSignal(source) || V == 0 || !std::isfinite(V))
        return z;
    const double k = 100 / V;
    const double A = source.amplitude * k;
    const double alpha = source.rapport;
    const Phaseur i(0, 1);
    // A sin(n w t + phase) is Re(-i A e^(i phase) e^(i n w t)).
    const auto sinus = [&](double a, double phase = 0) { return -i * a * std::polar(1.0, phase); };
    double continu = source.decalage * k;
    switch (FormeDuMot(source.forme)) {
    case FormeOnde::Continu: continu += A; break;
    case FormeOnde::Sinus: z[1] = sinus(A); break;
    case FormeOnde::Carre:
        // High the first fraction alpha of the period: a mean of its own off
        // 50 %.
        for (int n = 1; n < kRangs; ++n)
            z[size_t(n)] = 4 * A / (n * kPi) * std::sin(n * kPi * alpha) * std::polar(1.0, -n * kPi * alpha);
        continu += (2 * alpha - 1) * A;
        break;
    case FormeOnde::Triangle:
        // Rising from its low point over the fraction alpha of the period;
        // alpha 0 or 1 is the sawtooth.
        for (int n = 1; n < kRangs; ++n) {
            if (alpha == 0 || alpha == 1)
                z[size_t(n)] = (alpha == 1 ? 2.0 : -2.0) * i * A / (kPi * n);
            else
                z[size_t(n)] = -2.0 * i * A * std::sin(n * kPi * alpha) * std::polar(1.0, -n * kPi * alpha)
                    / (alpha * (1 - alpha) * kPi * kPi * n * n);
        }
        break;
    case FormeOnde::Dyn:
        z[1] = sinus(A);
        z[3] = sinus(-0.3 * A);
        z[5] = sinus(0.2 * A);
        break;
    case FormeOnde::Harmo:
        for (int n = 1; n <= 20; ++n)
            z[size_t(n)] = sinus(A * source.pourcents[size_t(n - 1)] / 100, source.phases[size_t(n - 1)] * kPi / 2);
        continu += source.constante * k;
        break;
    case FormeOnde::Aucune: break;
    }
    // An AC-coupled input blocks every DC level.
    z[0] = source.couplageAC ? 0 : continu;
    return z;
}

// The heights of the components: their magnitudes.
Composantes hauteurs(const std::array<Phaseur, kRangs>& z)
{
    Composantes c;
    for (size_t n = 0; n < size_t(kRangs); ++n)
        c.amp[n] = std::abs(z[n]);
    return c;
}

} // namespace

Composantes AmplitudesSpectre(const SourceSpectre& source)
{
    return hauteurs(phaseurs(source));
}

FigureSpectre SpectreVoie(const std::array<SourceSpectre, 2>& sources, int voie, double H, double baseTemps)
{
    const SourceSpectre& source = sources[voie == 1 ? 1 : 0];
    const SourceSpectre& autre = sources[voie == 1 ? 0 : 1];
    FigureSpectre figure;
    figure.position = source.position;
    if (!PorteSignal(source))
        return figure;
    Composantes c = AmplitudesSpectre(source);
    const double F = source.frequence;
    const double f1 = fondamentaleArrondie(F);
    for (int n = 0; n < kRangs; ++n)
        c.freq[size_t(n)] = n * f1;
    // Both live spectra share one axis, anchored at the lower fundamental.
    // Held in double: a large difference at a slow time base lies far off
    // the screen, it does not wrap.
    double s = kAncrage;
    if (autre.branchee && F > autre.frequence)
        s = std::nearbyint((F - autre.frequence) * baseTemps * 100 + kAncrage);
    const double k = baseTemps * 100;
    ajouterRaie(figure, H + s - F * k, c.amp[0]);
    for (int n = 1; n < kRangs; ++n)
        ajouterRaie(figure, H + s + (c.freq[size_t(n)] - f1) * k, c.amp[size_t(n)]);
    for (int n = 0; n < kRangs; ++n) {
        if (!etiquetee(c, n))
            continue;
        const QString texte = n == 0 ? QStringLiteral("0") : texteFrequence(c.freq[size_t(n)]);
        ajouterEtiquette(figure, H + s + (c.freq[size_t(n)] - f1) * k, voie == 1 ? 1 : 0, texte);
    }
    return figure;
}

FigureSpectre SpectreADD(const std::array<SourceSpectre, 2>& sources, double H, double baseTemps)
{
    std::array<std::array<Phaseur, kRangs>, 2> z;
    std::array<Composantes, 2> c;
    for (int voie = 0; voie < 2; ++voie) {
        z[size_t(voie)] = phaseurs(sources[size_t(voie)]);
        // The rounding is decided per harmonic here.
        const double F = sources[size_t(voie)].frequence;
        for (int n = 1; n < kRangs; ++n)
            c[size_t(voie)].freq[size_t(n)] = n * (n * F < 10 ? Arrondi(F, 1) : Arrondi(F, 0));
    }
    auto& [za, zb] = z;
    const auto& fa = c[0].freq;
    const auto& fb = c[1].freq;
    for (size_t i = 0; i < size_t(kRangs); ++i) {
        for (size_t j = 0; j < size_t(kRangs); ++j) {
            if (fb[j] == fa[i] || (fa[i] != 0 && std::abs(fa[i] - fb[j]) / fa[i] < kToleranceFusion)) {
                const Phaseur somme = za[i] + zb[j];
                za[i] = somme;
                zb[j] = somme;
                break;
            }
        }
    }
    for (size_t voie = 0; voie < 2; ++voie)
        c[voie].amp = hauteurs(z[voie]).amp;
    const double F0 = sources[0].frequence < sources[1].frequence ? fa[1] : fb[1];
    const double k = baseTemps * 100;
    auto x = [&](double f) { return H + kAncrage + (f - F0) * k; };
    FigureSpectre figure;
    figure.position = sources[0].position;
    for (size_t voie = 0; voie < 2; ++voie) {
        if (!PorteSignal(sources[voie]))
            continue;
        for (size_t n = 0; n < size_t(kRangs); ++n)
            ajouterRaie(figure, x(c[voie].freq[n]), c[voie].amp[n]);
    }
    for (int n = 0; n < kRangs; ++n) {
        for (int voie = 0; voie < 2; ++voie) {
            const Composantes& cv = c[size_t(voie)];
            if (!PorteSignal(sources[size_t(voie)]) || !etiquetee(cv, n))
                continue;
            const double f = cv.freq[size_t(n)];
            QString texte = QStringLiteral("0");
            if (n > 0) {
                texte = voie == 0 ? texteFrequence(f) : Str(Arrondi(f, 0));
                // This view writes fractions as ".5".
                if (texte.startsWith(QLatin1String("0.")))
                    texte.remove(0, 1);
            }
            ajouterEtiquette(figure, x(f), voie, texte);
        }
    }
    return figure;
}

QList<EtiquetteSpectre> EtiquettesLisibles(const QList<EtiquetteSpectre>& etiquettes,
                                           const std::function<double(const QString&)>& largeur, double ecart)
{
    QList<EtiquetteSpectre> lisibles;
    QMap<int, double> finDeRang; // where the last label kept in a row ends
    for (const EtiquetteSpectre& e : etiquettes) {
        const double l = largeur(e.texte);
        const double gauche = e.x - l / 2;
        const auto fin = finDeRang.constFind(e.rang);
        if (fin != finDeRang.cend() && gauche < *fin)
            continue;
        finDeRang.insert(e.rang, gauche + l + ecart);
        lisibles.append(e);
    }
    return lisibles;
}
