#include "scope/SortiesEcran.h"

#include "services/ModeleBanc.h"

#include "services/Version.h"
#include "platform/Dialogs.h"
#include "platform/OutputDevices.h"
#include "platform/PictureBox.h"
#include "scope/Balayage.h"
#include "scope/CouleursCourbes.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "services/PanneauScope.h"
#include "platform/RVB.h"
#include "scope/Traceurs.h"
#include "scope/frmWavix.h"

#include <QCheckBox>

EcranFige::EcranFige(frmWavix& scope) : scope_(scope)
{
    // The picture frozen is the one the settings give.
    ActualiserEcranEnAttente();
    for (int i = 0; i < 5; ++i)
        couleurs_[size_t(i)] = CouleurVariable(i);
    for (int voie = 0; voie < 2; ++voie)
        styles_[size_t(voie)] = Banc().voies[size_t(voie)].StyleTrace;
    PictureBox* ecran = scope_.picEcran;
    largeur_ = ecran->DrawWidth;
    style_ = ecran->DrawStyle;
    texte_ = ecran->ForeColor;
    police_ = ecran->FontName;
    taille_ = ecran->FontSize;
    impose_ = Scope().EcranPanneauImpose;

    scope_.picEcranPrint->setGeometry(ecran->geometry());
    scope_.picEcranPrint->setPicture(ecran->Image());
    scope_.picEcranPrint->show();
    scope_.picEcranPrint->raise();
    ecran->hide();
    Scope().EcranPanneauImpose = true;
}

EcranFige::~EcranFige()
{
    for (int i = 0; i < 5; ++i)
        ReglerCouleurVariable(i, couleurs_[size_t(i)]);
    for (int voie = 0; voie < 2; ++voie)
        Modele().reglerAspectVoie(voie, Banc().voies[size_t(voie)].CouleurTrace, styles_[size_t(voie)]);
    PictureBox* ecran = scope_.picEcran;
    ecran->DrawWidth = largeur_;
    ecran->DrawStyle = style_;
    ecran->ForeColor = texte_;
    ecran->FontName = police_;
    ecran->FontSize = taille_;
    Scope().EcranPanneauImpose = impose_;
    try {
        DessinerGrille(scope_.picGrille);
        ActualiserEcran();
    } catch (...) {
        // The screen comes back even when its redraw failed: the next
        // refresh draws it.
    }
    ecran->show();
    scope_.picEcranPrint->hide();
}

void RedessinerPourSortie(frmWavix& scope, const std::array<int32_t, 5>& couleurs)
{
    for (int i = 0; i < 5; ++i)
        ReglerCouleurVariable(i, couleurs[size_t(i)]);
    DessinerGrille(scope.picGrille);
    if (Panneau().modeAllume(ModeVoies::XY)) {
        CourbeXY(1000);
        return;
    }
    ActualiserEcran();
    // The spot would only start: the output holds the trace it sweeps.
    if (scope.estAllume() && !Panneau().fft && BaseTempsLente())
        TracerTraceEntiere(scope.picEcran);
}

QString TextePied()
{
    return QStringLiteral("Wavixgrammes réalisés avec Wavix v.") + VersionProgramme();
}

void ImprimerPied(PictureBox* ecran, const QString& police, double taille)
{
    RVB fond;
    fond.setCouleur(Scope().CouleurFond);
    ecran->ForeColor = fond.CouleurTexte();
    ecran->FontName = police;
    ecran->FontSize = taille;
    ecran->CurrentX = ecran->ScaleLeft();
    ecran->CurrentY = ecran->ScaleTop();
    ecran->Print(TextePied());
}

void CopierEcran(int index)
{
    frmWavix* scope = Forms().find<frmWavix>();
    if (!scope)
        return;
    bool copie = true;
    try {
        EcranFige fige(*scope);
        if (index == 1) {
            const std::array<int32_t, 2> traces = GrisDesTraces(Banc().voies[0].CouleurTrace, Banc().voies[1].CouleurTrace);
            RedessinerPourSortie(*scope, {traces[0], traces[1], CouleurEnGris(Scope().CouleurGrille), 0xFFFFFF,
                                          CouleurEnGris(Scope().CouleurCadre)});
        }
        if (index == 0 || index == 1) {
            ImprimerPied(scope->picEcran, QStringLiteral("MS Sans Serif"), 6);
            copie = copyImageToClipboard(scope->picEcran->Image());
        }
    } catch (...) {
        copie = false;
    }
    if (!copie)
        MsgBox(QStringLiteral("Les wavixgrammes n'ont pas pu être copiés dans le presse-papiers.\r\n"
                              "Il est peut-être occupé par un autre programme : réessayez dans un instant."),
               vb::Exclamation, QStringLiteral("Wavix"));
}
