#include "scope/FigureTrace.h"

#include "platform/VbConversions.h"
#include "services/Sensibilite.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Points in a run of a given step from a to b, both ends included; a tiny
// allowance keeps the end that rounding would lose.
qsizetype nombrePas(double a, double b, double pas)
{
    if (!(b >= a) || !(pas > 0))
        return 0;
    return qsizetype(std::floor((b - a) / pas + 1e-9)) + 1;
}

// A curve sampled every 2 screen units, 501 points, started so that the
// sine family rises through the trigger level at the left edge. None for a
// time base or a sensitivity that places nothing.
template <class Echantillon>
bool courbe(QPolygonF& points, double niveauSeuil, double H, double position, double baseTemps,
            double sensibilite, double frequence, double amplitude, Echantillon echantillon)
{
    if (!(baseTemps > 0) || sensibilite == 0)
        return false;
    double r = amplitude != 0 ? niveauSeuil * sensibilite / 100 / amplitude : 0;
    r = std::clamp(r, -1.0, 1.0);
    const double t0 = frequence != 0 ? std::asin(r) / (2 * kPi * frequence) : 0;
    const double x0 = 500 + t0 * 100 / baseTemps;
    const double echelle = 100 / sensibilite;
    points.resize(501);
    for (int i = 0; i <= 500; ++i) {
        const double x = -500 + 2 * i;
        points[i] = QPointF(x + H, echantillon((x + x0) / 100 * baseTemps) * echelle + position);
    }
    return true;
}

// A square or a triangle as rise, high step, fall and low step, period after
// period across the screen; a band between its levels where its periods are
// too dense for the picture's pixels. None without a period.
bool trapeze(QPolygonF& points, double H, double position, double baseTemps, double sensibilite, double montee,
             double descente, double frequence, double amplitude, double fractionHaute, double decalage,
             double decalageAC, double pixel)
{
    if (!(frequence > 0) || !std::isfinite(frequence) || !(baseTemps > 0) || sensibilite == 0)
        return false;
    const double k = 100 / baseTemps; // screen units per second
    const double P = 1 / frequence;
    const double haut = amplitude * 100 / sensibilite;
    const double bas = -haut;
    const double s = position + (decalage - decalageAC) * 100 / sensibilite;

    // A period narrower than this many device pixels draws as a band: two
    // screen units on the panel's 399-pixel screen, the same pixels on a
    // larger picture, so that the full-screen view keeps the zigzag its
    // pixels can show.
    // The bound is taken a hair low, so that a period of exactly two units
    // on the panel stays a zigzag whatever the rounding of its pixel size.
    constexpr double kPeriodeBandePixels = 2 * 399.0 / 1005;
    const double seuil = pixel > 0 ? kPeriodeBandePixels * pixel * (1 - 1e-9) : 2;
    if (P * k < seuil) {
        // The band lies between the trace's two levels, given as edges a
        // little less than a device pixel apart, so that every pixel column
        // holds one and the band shows solid at any picture size.
        const double pas = pixel > 0 ? 0.95 * pixel : 0.5;
        const int n = int(std::ceil(1000 / pas));
        points.reserve(2 * n + 2);
        for (int i = 0; i <= n; ++i) {
            const double x = -500 + i * pas + H;
            const bool monte = i % 2 == 0;
            points << QPointF(x, (monte ? bas : haut) + s) << QPointF(x, (monte ? haut : bas) + s);
        }
        return true;
    }
    const double dMontee = std::max(0.0, montee) * k;
    const double dHaut = std::max(0.0, fractionHaute * P) * k;
    const double dDescente = std::max(0.0, descente) * k;
    const double dBas = std::max(0.0, P * k - dMontee - dHaut - dDescente);
    points.reserve(qsizetype(4 * (1000 / (P * k) + 2)));
    double x = -500;
    points << QPointF(x + H, bas + s);
    while (x < 500) {
        x += dMontee;
        points << QPointF(x + H, haut + s);
        x += dHaut;
        points << QPointF(x + H, haut + s);
        x += dDescente;
        points << QPointF(x + H, bas + s);
        x += dBas;
        points << QPointF(x + H, bas + s);
    }
    return true;
}

} // namespace

VoieTracee VoieTraceeDe(const EtatVoie& v, const NiveauxHarmoniques& niveaux)
{
    VoieTracee t;
    t.forme = FormeDuMot(v.TraceSignal);
    t.amplitude = v.TraceAmplitude;
    t.frequence = v.TraceFrequence;
    t.decalage = v.Decalage;
    t.rapport = v.RapportCyclique;
    t.branchee = v.Branchee();
    t.sensibilite = v.Sensibilite;
    t.position = v.PositionVerticale;
    t.couleur = v.CouleurTrace;
    t.style = v.StyleTrace;
    t.niveaux = niveaux;
    return t;
}

TraceVoie TraceRapide(const EtatTrace& etat, int voie, double pixel)
{
    TraceVoie trace;
    if (voie != 0 && voie != 1)
        return trace;
    const VoieTracee& v = etat.voies[size_t(voie)];
    const PanneauScope& p = etat.panneau;
    const double H = etat.H;
    trace.couleur = v.couleur;
    trace.style = v.style;
    if (p.modeAllume(ModeVoies::ADD)) {
        trace.genre = TraceVoie::Genre::Courbe;
        trace.points = PointsADD(etat, -500, 500);
        trace.couleur = etat.voies[0].couleur;
        return trace;
    }
    const auto ligne = [&](double y) {
        trace.genre = TraceVoie::Genre::Ligne;
        trace.ligne = QLineF(H - 500, y, H + 500, y);
        return trace;
    };
    if (p.couplageAllume(voie, Couplage::GND))
        return ligne(v.position);

    const double amplitude = voie == 1 && p.inverseAllume() ? -v.amplitude : v.amplitude;
    const double decalage = v.branchee ? v.decalage : 0;
    const double f = v.frequence;
    // AC coupling blocks the waveform's DC level: a DC source draws flat on
    // the position, any other wave about it.
    const double continu = ContinuBloque(p, voie, v.niveaux, v.forme, amplitude, v.rapport, decalage);
    bool dessine = false;
    switch (v.forme) {
    case FormeOnde::Continu: return ligne((amplitude - continu) * 100 / v.sensibilite + v.position);
    case FormeOnde::Sinus:
        dessine = courbe(trace.points, etat.niveauSeuil, H, v.position, etat.baseTemps, v.sensibilite, f, amplitude,
                         [&](double t) { return ValeurSinus(t, f, amplitude, 0, v.rapport, decalage - continu); });
        break;
    case FormeOnde::Harmo:
        dessine = courbe(trace.points, etat.niveauSeuil, H, v.position, etat.baseTemps, v.sensibilite, f, amplitude,
                         [&](double t) { return ValeurHarmo(v.niveaux, t, f, amplitude, decalage - continu); });
        break;
    case FormeOnde::Dyn:
        dessine = courbe(trace.points, etat.niveauSeuil, H, v.position, etat.baseTemps, v.sensibilite, f, amplitude,
                         [&](double t) { return ValeurDyn(t, f, amplitude); });
        break;
    case FormeOnde::Carre:
        dessine = trapeze(trace.points, H, v.position, etat.baseTemps, v.sensibilite, 0, 0, f, amplitude, v.rapport,
                          decalage, continu, pixel);
        break;
    case FormeOnde::Triangle: {
        // No rise or fall at 0 Hz: nothing is drawn then.
        const double montee = f > 0 ? v.rapport / f : 0;
        const double descente = f > 0 ? 1 / f - montee : 0;
        dessine = trapeze(trace.points, H, v.position, etat.baseTemps, v.sensibilite, montee, descente, f,
                          amplitude, 0, decalage, continu, pixel);
        break;
    }
    case FormeOnde::Aucune: break;
    }
    if (dessine)
        trace.genre = TraceVoie::Genre::Courbe;
    return trace;
}

Deviation::Deviation(const EtatTrace& etat, int voie)
{
    const VoieTracee& v = etat.voies[size_t(voie == 0 ? 0 : 1)];
    const PanneauScope& p = etat.panneau;
    if (p.couplageAllume(voie, Couplage::GND) || !v.branchee || v.sensibilite == 0)
        return;
    forme_ = v.forme;
    frequence_ = v.frequence;
    amplitude_ = v.amplitude;
    decalage_ = v.decalage;
    rapport_ = v.rapport;
    niveaux_ = v.niveaux;
    echelle_ = 100 / v.sensibilite;
    if (voie == 1 && p.inverseAllume())
        echelle_ = -echelle_;
    continu_ = ContinuBloque(p, voie, niveaux_, forme_, amplitude_, rapport_, decalage_);
}

double Deviation::operator()(double t) const
{
    const std::optional<double> u = ValeurOnde(forme_, niveaux_, t, frequence_, amplitude_, rapport_, decalage_);
    return u ? (*u - continu_) * echelle_ : 0;
}

void Deviation::serie(double t0, double dt, int n, double* out) const
{
    if (forme_ != FormeOnde::Sinus || !(std::abs(frequence_ * (t0 + n * dt)) < 1e9)) {
        for (int i = 0; i < n; ++i)
            out[i] = (*this)(t0 + i * dt);
        return;
    }
    // sin(a + b) = sin a cos b + cos a sin b, and the same for the cosine:
    // over a thousand steps the rounding stays far below a pixel.
    const double w = 2 * kPi * frequence_;
    const double pasSin = std::sin(w * dt), pasCos = std::cos(w * dt);
    double sinus = std::sin(w * t0), cosinus = std::cos(w * t0);
    const double niveau = decalage_ - continu_;
    for (int i = 0; i < n; ++i) {
        out[i] = (amplitude_ * sinus + niveau) * echelle_;
        const double suivant = sinus * pasCos + cosinus * pasSin;
        cosinus = cosinus * pasCos - sinus * pasSin;
        sinus = suivant;
    }
}

QList<QPolygonF> PointsSpot(const EtatTrace& etat, int voie, double pas, double x0, double x1, double xR,
                            double xL, Echantillonnage echantillonnage)
{
    const SignalVoie signal(etat, voie, echantillonnage);
    // From a to b, after a first point at a that starts with a segment of no
    // length: its value is the next point's, the sampler's at a.
    auto course = [&](double a, double b) {
        const qsizetype n = nombrePas(a, b, pas);
        QPolygonF points(n + 1);
        signal.serie(a, pas, n, points.data() + 1);
        if (n == 0)
            signal.serie(a, pas, 1, points.data());
        points[0] = QPointF(a, points[n == 0 ? 0 : 1].y());
        return points;
    };
    if (x0 <= x1)
        return {course(x0, x1)};
    return {course(x0, xR), course(xL, x1)};
}

QPolygonF PointsADD(const EtatTrace& etat, double debut, double fin)
{
    const Deviation a(etat, 0), b(etat, 1);
    const double H = etat.H;
    const double y0 = etat.voies[0].position + etat.voies[1].position;
    const qsizetype n = nombrePas(debut, fin, kPasADD);
    QPolygonF points;
    if (n < 2)
        return points;
    points.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const double x = debut + kPasADD * double(i);
        const double t = (x + 500) / 100 * etat.baseTemps;
        points << QPointF(H + x, y0 + a(t) + b(t));
    }
    // The first segment is level, at the height of the second sample.
    points[0].setY(points[1].y());
    return points;
}

QPolygonF PointsXY(const EtatTrace& etat, double debut)
{
    const Deviation a(etat, 0), b(etat, 1);
    // The lower frequency gets 250 points a period, and a figure never spans
    // less than 0.04 s.
    double s = 500 * std::min(etat.voies[0].frequence, etat.voies[1].frequence);
    if (!(s >= 50000))
        s = 50000;
    const double xA = etat.voies[0].position, yB = etat.voies[1].position;
    constexpr int kPoints = 1001;
    std::array<double, kPoints> x{}, y{};
    a.serie(debut / s, 2 / s, kPoints, x.data());
    b.serie(debut / s, 2 / s, kPoints, y.data());
    QPolygonF points(kPoints);
    for (int i = 0; i < kPoints; ++i)
        points[i] = QPointF(xA + x[size_t(i)], yB + y[size_t(i)]);
    return points;
}

LectureEcran Lecture(const PanneauScope& p, double baseTemps, const std::array<QString, 6>& legendes)
{
    LectureEcran lecture;
    const auto ajouter = [&lecture](double colonne, double ligne, const QString& texte) {
        lecture.textes[size_t(lecture.nombre++)] = {colonne, ligne, texte};
    };
    // Off, with no mode lamp lit, the caption after XY's: "-CH2".
    const std::optional<ModeVoies> mode = p.modeAllume();
    constexpr double kBas = -400, kHaut = -370;
    ajouter(-500, kBas, legendes[size_t(mode ? int(*mode) : 5)]);
    for (int voie = 0; voie < 2; ++voie) {
        const double colonne = -400 + 100 * voie;
        ajouter(colonne, kBas, voie == 0 ? QStringLiteral("CH1") : QStringLiteral("CH2"));
        const QString texte = TextesSensibilites().value(p.sensibilite[size_t(voie)]);
        if (!texte.isEmpty())
            ajouter(colonne, kHaut, texte.left(texte.size() - 4));
    }
    const QString base = TextesBasesTemps().value(p.baseTemps);
    if (base.isEmpty())
        return lecture;
    if (p.fft) {
        const double f = 1 / baseTemps;
        ajouter(-200, kHaut,
                f <= 1000 ? Str(roundHalfEvenToInt32(f).value_or(0)) + QStringLiteral(" Hz")
                          : Str(roundHalfEvenToInt32(f / 1000).value_or(0)) + QStringLiteral(" kHz"));
    } else {
        ajouter(-200, kHaut, base.left(base.size() - 4));
    }
    return lecture;
}
