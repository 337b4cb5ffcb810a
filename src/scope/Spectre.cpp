#include "scope/Spectre.h"

#include "services/ModFonctions.h"
#include "platform/VbConversions.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Signaux.h"

#include <QMap>

#include <cmath>

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

Composantes AmplitudesSpectre(const SourceSpectre& source)
{
    Composantes c;
    const double V = source.sensibilite;
    if (!source.branchee || V == 0 || !std::isfinite(V))
        return c;
    const double A = source.amplitude;
    const double alpha = source.rapport;
    auto& amp = c.amp;
    amp[0] = std::abs(source.decalage) * 100 / V;
    switch (FormeDuMot(source.forme)) {
    case FormeOnde::Continu: amp[0] += std::abs(A) * 100 / V; break;
    case FormeOnde::Sinus: amp[1] = A * 100 / V; break;
    case FormeOnde::Carre:
        for (int n = 1; n < kRangs; ++n)
            amp[size_t(n)] = std::abs(4 * A / (n * kPi) * std::sin(n * kPi * alpha) * 100 / V);
        // A square off 50 % has a mean of its own.
        amp[0] = std::abs((2 * alpha - 1) * A + source.decalage) * 100 / V;
        break;
    case FormeOnde::Triangle:
        for (int n = 1; n < kRangs; ++n) {
            amp[size_t(n)] = alpha == 0 || alpha == 1
                ? std::abs(2 * A * 100 / (kPi * V) / n)
                : std::abs(std::sin(n * kPi * alpha) * 2 * A * 100 / (alpha * (1 - alpha) * kPi * kPi * V) / (n * n));
        }
        break;
    case FormeOnde::Dyn: {
        const double b = A * 100 / V;
        amp[1] = b;
        amp[3] = 0.3 * b;
        amp[5] = 0.2 * b;
        break;
    }
    case FormeOnde::Harmo:
        for (int n = 1; n <= 20; ++n)
            amp[size_t(n)] = std::abs(A * source.pourcents[size_t(n - 1)] / V);
        break;
    case FormeOnde::Aucune: break;
    }
    // An AC-coupled input blocks every DC level.
    if (source.couplageAC)
        amp[0] = 0;
    return c;
}

FigureSpectre SpectreVoie(const std::array<SourceSpectre, 2>& sources, int voie, double H, double baseTemps)
{
    const SourceSpectre& source = sources[voie == 1 ? 1 : 0];
    const SourceSpectre& autre = sources[voie == 1 ? 0 : 1];
    FigureSpectre figure;
    figure.position = source.position;
    if (!source.branchee)
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
    std::array<Composantes, 2> c;
    for (int voie = 0; voie < 2; ++voie) {
        c[size_t(voie)] = AmplitudesSpectre(sources[size_t(voie)]);
        // The rounding is decided per harmonic here.
        const double F = sources[size_t(voie)].frequence;
        for (int n = 1; n < kRangs; ++n)
            c[size_t(voie)].freq[size_t(n)] = n * (n * F < 10 ? Arrondi(F, 1) : Arrondi(F, 0));
    }
    auto& [a, b] = c;
    for (int i = 0; i < kRangs; ++i) {
        const double fa = a.freq[size_t(i)];
        for (int j = 0; j < kRangs; ++j) {
            const double fb = b.freq[size_t(j)];
            if (fb == fa || (fa != 0 && std::abs(fa - fb) / fa < kToleranceFusion)) {
                const double somme = a.amp[size_t(i)] + b.amp[size_t(j)];
                a.amp[size_t(i)] = somme;
                b.amp[size_t(j)] = somme;
                break;
            }
        }
    }
    const double F0 = sources[0].frequence < sources[1].frequence ? a.freq[1] : b.freq[1];
    const double k = baseTemps * 100;
    auto x = [&](double f) { return H + kAncrage + (f - F0) * k; };
    FigureSpectre figure;
    figure.position = sources[0].position;
    for (const Composantes& voie : c)
        for (int n = 0; n < kRangs; ++n)
            ajouterRaie(figure, x(voie.freq[size_t(n)]), voie.amp[size_t(n)]);
    for (int n = 0; n < kRangs; ++n) {
        for (int voie = 0; voie < 2; ++voie) {
            const Composantes& cv = c[size_t(voie)];
            if (!etiquetee(cv, n))
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
