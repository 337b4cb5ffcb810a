#include "scope/frmFullScreen.h"

#include "app/MDIWavix.h"
#include "platform/FormDesign.h"
#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "platform/Curseurs.h"
#include "scope/Echelle.h"
#include "scope/frmWavix.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

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

// The desktop's work area in pixels: the main window's measure taken at
// start-up, else the screen's.
QRect zoneTravail()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    QRect zone = ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
    if (const MDIWavix* mdi = MDIWavix::instance(); mdi && mdi->LargeurZoneTravail > 0 && mdi->HauteurZoneTravail > 0)
        zone.setSize(QSize(twipsToPixels(mdi->LargeurZoneTravail), twipsToPixels(mdi->HauteurZoneTravail)));
    return zone;
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
    const QRect zone = zoneTravail();
    setGeometry(zone);
    Move(pixelsToTwips(zone.left()), pixelsToTwips(zone.top()));
    setWindowState(Qt::WindowMaximized);

    // Both pictures cover the whole work area.
    for (PictureBox* image : {picGrille, picEcran})
        image->setGeometry(0, 0, zone.width(), zone.height());

    picEcran->DrawWidth = EpaisseurTrace;
    DessinerGrille(this);
    // The menu item is ticked already: the refresh draws here.
    ActualiserEcran();
}

void frmFullScreen::Form_Unload(bool&)
{
    // However the view closes, the scope draws on its panel again.
    if (MDIWavix* mdi = MDIWavix::instance())
        mdi->Mnu_ViewFullScreen->setChecked(false);
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
    MDIWavix* mdi = MDIWavix::instance();
    if (!mdi)
        return;
    // The item stays ticked while the view is open, whatever clicked it.
    mdi->Mnu_ViewFullScreen->setChecked(true);
    if (!Forms().isLoaded(QString::fromLatin1(frmFullScreen::kNom)))
        Forms().get<frmFullScreen>()->Show(true);
}
