#include "scope/Traceurs.h"

#include "services/FichierINI.h"
#include "services/RequetesBanc.h"
#include "platform/PictureBox.h"
#include "platform/VbConversions.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "platform/RVB.h"
#include "services/Sensibilite.h"
#include "scope/Signaux.h"
#include "scope/Spectre.h"
#include "scope/frmWavix.h"

#include <QLabel>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

// A curve sampled every 2 screen units, 501 points, started so that the
// sine family rises through the trigger level at the left edge.
template <class Echantillon>
void tracerCourbe(int32_t couleur, double H, double position, double baseTemps, double sensibilite,
                  double frequence, double amplitude, double phase, Echantillon echantillon)
{
    PictureBox* ecran = EcranCible();
    if (!ecran || !(baseTemps > 0) || sensibilite == 0)
        return;
    double r = amplitude != 0 ? NiveauSeuil * sensibilite / 100 / amplitude : 0;
    r = std::clamp(r, -1.0, 1.0);
    const double t0 = frequence != 0 ? (std::asin(r) - phase) / (2 * kPi * frequence) : 0;
    const double x0 = 500 + t0 * 100 / baseTemps;
    const double echelle = 100 / sensibilite;
    QPolygonF points(501);
    for (int i = 0; i <= 500; ++i) {
        const double x = -500 + 2 * i;
        points[i] = QPointF(x + H, echantillon((x + x0) / 100 * baseTemps) * echelle + position);
    }
    ecran->Trace(points, couleur);
}

void imprimer(PictureBox* ecran, double colonne, double ligne, const QString& texte)
{
    // A text wider than its column ("1000 Hz" on the panel's small screen)
    // is printed a little smaller, clear of the graticule's lines.
    constexpr double kMarge = 4;
    const double taille = ecran->FontSize;
    while (ecran->TextWidth(texte) > 100 - 2 * kMarge && ecran->FontSize > taille * 0.7)
        ecran->FontSize -= 0.25;
    ecran->CurrentX = colonne + (100 - ecran->TextWidth(texte)) / 2;
    ecran->CurrentY = ligne - ecran->TextHeight(texte);
    ecran->Print(texte);
    ecran->FontSize = taille;
}

} // namespace

PictureBox* EcranCible()
{
    if (Panneau().pleinEcran && !EcranPanneauImpose) {
        if (const VbForm* plein = Forms().find(QStringLiteral("frmFullScreen")))
            if (auto* ecran = plein->findChild<PictureBox*>(QStringLiteral("picEcran")))
                return ecran;
    }
    frmWavix* s = Forms().find<frmWavix>();
    return s ? s->picEcran : nullptr;
}

PictureBox* EcranAuGraticule()
{
    frmWavix* s = Forms().find<frmWavix>();
    PictureBox* ecran = EcranCible();
    if (!s || !ecran)
        return nullptr;
    PictureBox* grille = s->picGrille;
    if (ecran != s->picEcran) {
        if (auto* g = ecran->parentWidget()->findChild<PictureBox*>(QStringLiteral("picGrille")))
            grille = g;
    }
    ecran->Scale(kEcranGauche, kEcranHaut, kEcranDroite, kEcranBas);
    ecran->setPicture(grille->Image());
    return ecran;
}

void TracerLigneNiveau(int, double y, int32_t couleur)
{
    if (PictureBox* ecran = EcranCible())
        ecran->Line(PositionHorizontale - 500, y, PositionHorizontale + 500, y, couleur);
}

void TracerSinus(int, int32_t couleur, double H, double position, double baseTemps, double sensibilite,
                 double frequence, double amplitude, double phase, double rapport, double decalage)
{
    tracerCourbe(couleur, H, position, baseTemps, sensibilite, frequence, amplitude, phase,
                 [&](double t) { return ValeurSinus(t, frequence, amplitude, phase, rapport, decalage); });
}

void TracerHarmo(int voie, int32_t couleur, double H, double position, double baseTemps, double sensibilite,
                 double frequence, double amplitude, double phase, double rapport, double decalage)
{
    tracerCourbe(couleur, H, position, baseTemps, sensibilite, frequence, amplitude, phase, [&](double t) {
        return ValeurHarmo(voie, t, frequence, amplitude, phase, rapport, decalage).value_or(0);
    });
}

void TracerCourbeDyn(int, int32_t couleur, double H, double position, double baseTemps, double sensibilite,
                     double frequence, double amplitude, double phase, double)
{
    tracerCourbe(couleur, H, position, baseTemps, sensibilite, frequence, amplitude, phase,
                 [&](double t) { return ValeurDyn(t, frequence, amplitude); });
}

void TracerTrapeze(int32_t couleur, double H, double position, double baseTemps, double sensibilite,
                   double montee, double descente, double frequence, double amplitude, double fractionHaute,
                   double, double decalage, double decalageAC)
{
    PictureBox* ecran = EcranCible();
    if (!ecran || !(frequence > 0) || !std::isfinite(frequence) || !(baseTemps > 0) || sensibilite == 0)
        return;
    const double k = 100 / baseTemps; // screen units per second
    const double P = 1 / frequence;
    const double haut = amplitude * 100 / sensibilite;
    const double bas = -haut;
    const double s = position + (decalage - decalageAC) * 100 / sensibilite;

    QPolygonF points;
    // A period narrower than this many device pixels draws as a band: two
    // screen units on the panel's 399-pixel screen, the same pixels on a
    // larger picture, so that the full-screen view keeps the zigzag its
    // pixels can show.
    // The bound is taken a hair low, so that a period of exactly two units
    // on the panel stays a zigzag whatever the rounding of its pixel size.
    constexpr double kPeriodeBandePixels = 2 * 399.0 / 1005;
    const double pixel = ecran->devicePixelWidth();
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
        ecran->Trace(points, couleur);
        return;
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
    ecran->Trace(points, couleur);
}

void AfficherSensibilites()
{
    if (LireINI(QStringLiteral("Options"), QStringLiteral("Copy Sensibility"), QStringLiteral("1")) == QLatin1String("0"))
        return;
    frmWavix* s = Forms().find<frmWavix>();
    PictureBox* ecran = EcranCible();
    if (!s || !ecran)
        return;
    ecran->FontName = QStringLiteral("Arial");
    // The size follows the picture printed on: large on the full-screen view,
    // small on the panel's screen (also while the panel is set to the view
    // but the view is not open).
    ecran->FontSize = ecran != s->picEcran ? 18 : 8;
    RVB fond;
    fond.setCouleur(CouleurFond);
    ecran->ForeColor = fond.CouleurTexte();

    const PanneauScope& p = s->panneau();
    // Off, with no mode lamp lit, the caption after XY's: "-CH2".
    const std::optional<ModeVoies> mode = p.modeAllume();
    constexpr double kBas = -400, kHaut = -370;
    imprimer(ecran, -500, kBas, s->lblVoie[size_t(mode ? int(*mode) : 5)]->text());
    for (int voie = 0; voie < 2; ++voie) {
        const double colonne = -400 + 100 * voie;
        imprimer(ecran, colonne, kBas, voie == 0 ? QStringLiteral("CH1") : QStringLiteral("CH2"));
        const QString texte = TextesSensibilites().value(p.sensibilite[size_t(voie)]);
        if (!texte.isEmpty())
            imprimer(ecran, colonne, kHaut, texte.left(texte.size() - 4));
    }
    const QString base = TextesBasesTemps().value(p.baseTemps);
    if (base.isEmpty())
        return;
    QString texte;
    if (p.fft) {
        const double f = 1 / BaseTemps;
        texte = f <= 1000 ? Str(roundHalfEvenToInt32(f).value_or(0)) + QStringLiteral(" Hz")
                          : Str(roundHalfEvenToInt32(f / 1000).value_or(0)) + QStringLiteral(" kHz");
    } else {
        texte = base.left(base.size() - 4);
    }
    imprimer(ecran, -200, kHaut, texte);
}

namespace {

// What the spectrum reads of the channels: the sources' own values, with
// CH2 negated, offset and all, while "-CH2" is lit.
std::array<SourceSpectre, 2> sourcesSpectre(const PanneauScope& p)
{
    std::array<SourceSpectre, 2> sources;
    for (int voie = 0; voie < 2; ++voie) {
        const EtatVoie& v = Voies[size_t(voie)];
        SourceSpectre& source = sources[size_t(voie)];
        const double signe = voie == 1 && p.inverseAllume() ? -1 : 1;
        source.branchee = v.Branchee();
        source.forme = v.FormeSignal;
        source.amplitude = signe * v.Amplitude;
        source.frequence = v.Frequence;
        source.decalage = signe * v.Decalage;
        source.rapport = v.RapportCyclique;
        source.couplageAC = p.couplageAllume(voie, Couplage::AC);
        source.sensibilite = v.Sensibilite;
        source.position = v.PositionVerticale;
        const NiveauxHarmoniques& niveaux = NiveauxHarmo(voie);
        for (size_t i = 0; i < source.pourcents.size(); ++i)
            source.pourcents[i] = std::abs(niveaux.Ampli[i]) / 10.0;
    }
    return sources;
}

// Baseline, lines and labels of a spectrum, then the readout. The labels
// are in their own colour and size; on the full-screen view they are larger
// and nearer their lines.
void dessinerSpectre(const FigureSpectre& figure, int32_t couleur, int32_t couleurTexte, double taille)
{
    frmWavix* s = Forms().find<frmWavix>();
    PictureBox* ecran = EcranCible();
    if (!s || !ecran)
        return;
    const double H = PositionHorizontale;
    const double P = figure.position;
    ecran->Line(H - 500, P, H + 500, P, couleur);
    for (const RaieSpectre& raie : figure.raies)
        ecran->Line(raie.x, P, raie.x, P + raie.hauteur, couleur);
    const bool plein = ecran != s->picEcran;
    ecran->ForeColor = couleurTexte;
    ecran->FontName = QStringLiteral("Arial");
    ecran->FontSize = plein ? 12 : taille;
    const double o = plein ? 2 : 10;
    const auto largeur = [ecran](const QString& texte) { return ecran->TextWidth(texte); };
    for (const EtiquetteSpectre& e : EtiquettesLisibles(figure.etiquettes, largeur, largeur(QStringLiteral(" ")))) {
        ecran->CurrentX = e.x + o - largeur(e.texte) / 2;
        ecran->CurrentY = P + e.rang * ecran->TextHeight(e.texte);
        ecran->Print(e.texte);
    }
    AfficherSensibilites();
}

} // namespace

void TracerSpectreVoie(int voie)
{
    const frmWavix* s = Forms().find<frmWavix>();
    if (!s || (voie != 0 && voie != 1))
        return;
    const int32_t couleur = Voies[size_t(voie)].CouleurTrace;
    dessinerSpectre(SpectreVoie(sourcesSpectre(s->panneau()), voie, PositionHorizontale, BaseTemps), couleur, couleur, 8);
}

void TracerSpectreADD()
{
    const frmWavix* s = Forms().find<frmWavix>();
    if (!s)
        return;
    dessinerSpectre(SpectreADD(sourcesSpectre(s->panneau()), PositionHorizontale, BaseTemps), CouleurTraceA, 4, 6);
}
