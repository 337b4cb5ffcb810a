#include "app/PositionFenetre.h"

#include "app/FichierINI.h"
#include "app/MDIWavix.h"
#include "bench/frmToolBox.h"
#include "scope/frmWavix.h"
#include "platform/Forms.h"
#include "platform/VbConversions.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>

namespace {

// A coordinate (twips) further than one desktop from the desktop comes from
// a damaged file, not from a window the user moved.
bool coordonneePlausible(double twips, int debut, int etendue)
{
    const double pixels = twips / kTwipsPerPixel;
    return pixels >= debut - etendue && pixels <= debut + 2.0 * etendue;
}

// The default layout, in twips inside the main window.
constexpr double kScopeGauche = 720;
constexpr double kScopeHaut = 0;
constexpr double kHautVoieB = 4935;
constexpr double kLargeurColonne = 4125; // the stopwatch is centred in it

// Moves the window when it is loaded.
void placer(const QString& nom, double gauche, double haut)
{
    if (VbForm* fenetre = Forms().find(nom))
        fenetre->Move(gauche, haut);
}

} // namespace

void RestaurerPosition(VbForm* fenetre, const QString& suffixe, double defautX, double defautY)
{
    double x = LireNombreINI(QStringLiteral("Interface"), QStringLiteral("PosX ") + suffixe, defautX);
    double y = LireNombreINI(QStringLiteral("Interface"), QStringLiteral("PosY ") + suffixe, defautY);
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect bureau = ecran->virtualGeometry();
        if (!coordonneePlausible(x, bureau.left(), bureau.width()))
            x = defautX;
        if (!coordonneePlausible(y, bureau.top(), bureau.height()))
            y = defautY;
    }
    fenetre->Move(x, y);
    fenetre->keepVisible();
}

void EnregistrerPosition(const VbForm* fenetre, const QString& suffixe)
{
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosX ") + suffixe, Str(fenetre->Left()));
    EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosY ") + suffixe, Str(fenetre->Top()));
}

void PositionnerFenetres()
{
    VbForm* scope = Forms().get<frmWavix>();
    scope->Move(kScopeGauche, kScopeHaut);
    const double gauche = scope->Left();
    const double haut = scope->Top();
    const double hauteur = scope->Height();
    const double colonne = gauche + scope->Width();

    const MDIWavix* mdi = MDIWavix::instance();
    if (mdi && mdi->Mnu_Volt->isChecked())
        placer(NomMultimetre(), gauche, hauteur);
    if (mdi && mdi->Mnu_Chrono->isChecked()) {
        if (VbForm* chrono = Forms().find(QStringLiteral("frmChrono")))
            chrono->Move(colonne + (kLargeurColonne - chrono->Width()) / 2, haut + hauteur - chrono->Height());
    }
    if (mdi && !mdi->ModeLibre)
        placer(QStringLiteral("frmExo"), colonne, 0);
    if (const frmToolBox* boite = Forms().find<frmToolBox>()) {
        for (int option = 0; option < int(boite->optConnexion.size()); ++option) {
            const QString fenetre = FenetreOption(option);
            if (!fenetre.isEmpty() && boite->optionChoisie(option))
                placer(fenetre, colonne, VoieOption(option) == 0 ? 0 : kHautVoieB);
        }
    }
}
