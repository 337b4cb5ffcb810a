#include "scope/frmFullScreen.h"

#include "platform/FormDesign.h"
#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "platform/Curseurs.h"
#include "scope/Echelle.h"
#include "scope/frmWavix.h"
#include "platform/ZoneTravail.h"
#include "services/PanneauScope.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

// The pictures take the work area's size when the view loads.
const FormDesign kDesign{
    "Wavixscope plein écran",
    0,
    0,
    {
        {ControlKind::Picture, "picGrille", -1, 0, 0, 0, 0, "", "", false},
        {ControlKind::Picture, "picEcran", -1, 0, 0, 0, 0, "",
         "Cliquer n'importe où sur l'écran pour revenir à l'interface principale."},
    },
};

// The scope draws on the view, or on its panel again; the main window's
// item shows which.
void marquerPleinEcran(bool plein)
{
    if (frmWavix* scope = Forms().find<frmWavix>()) {
        PanneauScope p = scope->panneau();
        p.pleinEcran = plein;
        scope->changerPanneau(p);
    } else {
        Q_EMIT Oscillo().pleinEcranChange(plein);
    }
}

} // namespace

frmFullScreen::frmFullScreen() : VbForm(QString::fromLatin1(kNom), false)
{
    // Nothing but the screen: no title bar or border to clip it.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    buildForm(this, kDesign);
    picEcran = control<PictureBox>(this, "picEcran");
    picGrille = control<PictureBox>(this, "picGrille");
    lblPositionCurseur = CreerPositionCurseur(picEcran);
    // Clicks on the readout are clicks on the screen.
    lblPositionCurseur->setAttribute(Qt::WA_TransparentForMouseEvents);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, Qt::black);
    setPalette(fond);
    setAutoFillBackground(true);
    setCancelAction([this] { close(); });

    connect(picEcran, &PictureBox::MouseDown, this, [this] { appuiEcran_ = true; });
    connect(picEcran, &PictureBox::MouseUp, this, [this] {
        if (appuiEcran_)
            picEcran_Click();
    });
    connect(picEcran, &PictureBox::MouseMove, this, &frmFullScreen::picEcran_MouseMove);
}

void frmFullScreen::Form_Load()
{
    const QRect zone = ZoneTravail();
    setGeometry(zone);
    Move(pixelsToTwips(zone.left()), pixelsToTwips(zone.top()));
    setWindowState(Qt::WindowMaximized);

    // Both pictures cover the whole work area.
    for (PictureBox* image : {picGrille, picEcran})
        image->setGeometry(0, 0, zone.width(), zone.height());

    picEcran->DrawWidth = EpaisseurTrace();
    DessinerGrille(picGrille);
    // The panel is set to the view already: the refresh draws here.
    ActualiserEcran();
}

void frmFullScreen::Form_Unload(bool&)
{
    // However the view closes, the scope draws on its panel again.
    marquerPleinEcran(false);
}

void frmFullScreen::picEcran_Click()
{
    Unload();
}

void frmFullScreen::Form_Click()
{
    Unload();
}

void frmFullScreen::picEcran_MouseMove(int, int, double x, double y)
{
    const frmWavix* scope = Forms().find<frmWavix>();
    if (scope && scope->estAllume())
        AfficherPositionCurseur(lblPositionCurseur, picEcran, x, y, 10, 10);
}

void frmFullScreen::mousePressEvent(QMouseEvent* event)
{
    appuiFenetre_ = true;
    VbForm::mousePressEvent(event);
}

void frmFullScreen::mouseReleaseEvent(QMouseEvent* event)
{
    if (appuiFenetre_) {
        Form_Click();
        return;
    }
    VbForm::mouseReleaseEvent(event);
}

void AfficherPleinEcran()
{
    // Only under the main window; its item stays ticked while the view is
    // open, whatever clicked it.
    if (!Forms().mdiArea())
        return;
    ActualiserEcranEnAttente();
    marquerPleinEcran(true);
    if (!Forms().isLoaded(QString::fromLatin1(frmFullScreen::kNom)))
        Forms().get<frmFullScreen>()->Show(true);
}
