#include "scope/Traceurs.h"

#include "services/FichierINI.h"
#include "services/RequetesBanc.h"
#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/FigureTrace.h"
#include "platform/RVB.h"
#include "scope/Signaux.h"
#include "scope/Spectre.h"
#include "scope/frmFullScreen.h"
#include "scope/frmWavix.h"

#include <QLabel>

#include <cmath>

namespace {

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

namespace {

// The full-screen view the scope draws on, if it draws there now.
const frmFullScreen* vueCible()
{
    if (!Panneau().pleinEcran || Scope().EcranPanneauImpose)
        return nullptr;
    return Forms().find<frmFullScreen>();
}

} // namespace

PictureBox* EcranCible()
{
    if (const frmFullScreen* vue = vueCible())
        return vue->picEcran;
    frmWavix* s = Forms().find<frmWavix>();
    return s ? s->picEcran : nullptr;
}

PictureBox* EcranAuGraticule()
{
    frmWavix* s = Forms().find<frmWavix>();
    if (!s)
        return nullptr;
    const frmFullScreen* vue = vueCible();
    PictureBox* ecran = vue ? vue->picEcran : s->picEcran;
    PictureBox* grille = vue ? vue->picGrille : s->picGrille;
    ecran->Scale(kEcranGauche, kEcranHaut, kEcranDroite, kEcranBas);
    ecran->setPicture(grille->Image());
    return ecran;
}

void PeindreTrace(PictureBox* ecran, const TraceVoie& trace)
{
    switch (trace.genre) {
    case TraceVoie::Genre::Rien: break;
    case TraceVoie::Genre::Ligne:
        ecran->Line(trace.ligne.x1(), trace.ligne.y1(), trace.ligne.x2(), trace.ligne.y2(), trace.couleur);
        break;
    case TraceVoie::Genre::Courbe:
        if (trace.colonnes)
            ecran->TraceColumns(trace.points, trace.couleur);
        else
            ecran->Trace(trace.points, trace.couleur);
        break;
    }
}

namespace {

bool lectureImprimee = true; // as the settings had it at the last refresh

} // namespace

void LireOptionLecture()
{
    lectureImprimee =
        LireINI(QStringLiteral("Options"), QStringLiteral("Copy Sensibility"), QStringLiteral("1")) != QLatin1String("0");
}

void AfficherSensibilites()
{
    if (!lectureImprimee)
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
    fond.setCouleur(Scope().CouleurFond);
    ecran->ForeColor = fond.CouleurTexte();

    std::array<QString, 6> legendes;
    for (size_t i = 0; i < legendes.size(); ++i)
        legendes[i] = s->lblVoie[i]->text();
    const LectureEcran lecture = Lecture(s->panneau(), s->panneau().secondesParDivision(), legendes);
    for (int i = 0; i < lecture.nombre; ++i) {
        const TexteEcran& t = lecture.textes[size_t(i)];
        imprimer(ecran, t.colonne, t.ligne, t.texte);
    }
}

namespace {

// What the spectrum reads of the channels: the sources' own values, with
// CH2's whole signal negated (offset and constant term too) while "-CH2" is
// lit, and the couplings.
std::array<SourceSpectre, 2> sourcesSpectre(const PanneauScope& p)
{
    std::array<SourceSpectre, 2> sources;
    for (int voie = 0; voie < 2; ++voie) {
        const EtatVoie& v = Banc().voies[size_t(voie)];
        SourceSpectre& source = sources[size_t(voie)];
        const double signe = voie == 1 && p.inverseAllume() ? -1 : 1;
        source.branchee = v.Branchee();
        source.forme = v.FormeSignal;
        source.amplitude = signe * v.Amplitude;
        source.frequence = v.Frequence;
        source.decalage = signe * v.Decalage;
        source.rapport = v.RapportCyclique;
        source.couplageAC = p.couplageAllume(voie, Couplage::AC);
        source.couplageGND = p.couplageAllume(voie, Couplage::GND);
        source.sensibilite = v.Sensibilite;
        source.position = v.PositionVerticale;
        const NiveauxHarmoniques& niveaux = NiveauxHarmo(voie);
        for (size_t i = 0; i < source.pourcents.size(); ++i) {
            source.pourcents[i] = std::abs(niveaux.Ampli[i]) / 10.0;
            source.phases[i] = niveaux.Phase[i];
        }
        source.constante = signe * niveaux.X0;
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
    const double H = Scope().PositionHorizontale;
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
    const int32_t couleur = Banc().voies[size_t(voie)].CouleurTrace;
    const PanneauScope& p = s->panneau();
    dessinerSpectre(SpectreVoie(sourcesSpectre(p), voie, Scope().PositionHorizontale, p.secondesParDivision()), couleur,
                    couleur, 8);
}

void TracerSpectreADD()
{
    const frmWavix* s = Forms().find<frmWavix>();
    if (!s)
        return;
    const PanneauScope& p = s->panneau();
    dessinerSpectre(SpectreADD(sourcesSpectre(p), Scope().PositionHorizontale, p.secondesParDivision()),
                    Banc().voies[0].CouleurTrace, 4, 6);
}
