#include "bench/frmChrono.h"
#include "services/ModeleBanc.h"

#include "services/EtatBanc.h"
#include "services/ModFonctions.h"
#include "services/PositionFenetre.h"
#include "bench/frmToolBox.h"
#include "platform/FormDesign.h"
#include "platform/SystemServices.h"
#include "platform/VbTimer.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const char kBulleDemarrer[] = "Pour démarrer le chronomètre.";
const char kBulleSuspendre[] = "Pour suspendre le chronomètre.";

const FormDesign kDesign{
    "                 Chronomètre",
    3120,
    2850,
    {
        {ControlKind::Toggle, "cmdEnd", -1, 1350, 90, 420, 300, ":/bench/chrono_close.svg", "Pour fermer le chronomètre."},
        {ControlKind::PanelButton, "cmdRAZ", -1, 330, 450, 600, 300, "RAZ", "Pour remettre à zéro le chronomètre."},
        {ControlKind::Toggle, "chkStart_Stop", -1, 2190, 450, 600, 300, "▶ ❚❚", kBulleDemarrer},
        {ControlKind::Label, "lblEcran", -1, 420, 840, 2280, 660},
        {ControlKind::Label, "lblTime", -1, 450, 870, 2220, 600, "00:00,0"},
        {ControlKind::Label, "lblStop", -1, 480, 1530, 780, 165, "STOP"},
        {ControlKind::Label, "lblOnOff", -1, 480, 1530, 780, 165, "MARCHE", "", false},
        {ControlKind::Label, "lblAlarme", -1, 1860, 1530, 780, 165, "ALARME", "", false},
        {ControlKind::Toggle, "chkAlarme", -1, 390, 1800, 420, 360, ":/bench/chrono_bell.svg", "Pour déclencher l'alarme."},
        {ControlKind::Slider, "sldAlarme", -1, 900, 1800, 1560, 270, "",
         "Pour augmenter ou diminuer l'intervalle de temps entre deux alarmes."},
        {ControlKind::Label, "Label1", -1, 840, 2070, 1680, 165, "1 s          5 s          10 s"},
    },
};

QColor couleurFace(int64_t couleur)
{
    // The title bar's colour is the palette's, as the desktop paints it.
    if (couleur == frmChrono::kFaceActive)
        return QPalette().color(QPalette::Active, QPalette::Highlight);
    return QColor(int(couleur & 0xFF), int((couleur >> 8) & 0xFF), int((couleur >> 16) & 0xFF));
}

} // namespace

QString TexteChrono(double secondes)
{
    const int64_t dixiemes = std::llround(std::max(0.0, secondes) * 10);
    const int64_t minutes = dixiemes / 600;
    const int64_t reste = dixiemes % 600;
    return QStringLiteral("%1:%2,%3")
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(reste / 10, 2, 10, QLatin1Char('0'))
        .arg(reste % 10);
}

void JouerBip()
{
    JouerSon(QCoreApplication::applicationDirPath() + QStringLiteral("/Bip.wav"));
}

frmChrono::frmChrono() : VbForm(QString::fromLatin1(kNom))
{
    usePanelFont(6);
    buildForm(this, kDesign);
    lblTime = control<QLabel>(this, "lblTime");
    lblEcran = control<QLabel>(this, "lblEcran");
    lblStop = control<QLabel>(this, "lblStop");
    lblOnOff = control<QLabel>(this, "lblOnOff");
    lblAlarme = control<QLabel>(this, "lblAlarme");
    chkStart_Stop = control<QAbstractButton>(this, "chkStart_Stop");
    cmdRAZ = control<QAbstractButton>(this, "cmdRAZ");
    cmdEnd = control<QAbstractButton>(this, "cmdEnd");
    cmdEnd->setCheckable(false);
    chkAlarme = control<QAbstractButton>(this, "chkAlarme");
    sldAlarme = control<QSlider>(this, "sldAlarme");
    for (QAbstractButton* b : {cmdEnd, chkAlarme})
        b->setIconSize(b->size() - QSize(6, 6));

    lblEcran->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblEcran->setLineWidth(2);
    lblEcran->setStyleSheet(QStringLiteral("background: #E0E0E0;"));
    lblTime->setAlignment(Qt::AlignCenter);
    QFont chiffres = lblTime->font();
    chiffres.setPixelSize(26);
    chiffres.setBold(true);
    lblTime->setFont(chiffres);
    for (QLabel* l : {lblStop, lblOnOff, lblAlarme})
        l->setAlignment(Qt::AlignCenter);
    // Each lamp a lit legend behind dark glass, so that it reads on every
    // face: grey, the running colour (the desktop's) and the alarm's red.
    for (auto [lampe, allume] : {std::pair{lblStop, "#FFC24A"}, {lblOnOff, "#4CE04C"}, {lblAlarme, "#FF5A4A"}})
        lampe->setStyleSheet(QStringLiteral("color: %1; background: #1C1C1C; border: 1px solid #505050;"
                                            " border-radius: 3px; font-weight: bold;")
                                 .arg(QLatin1String(allume)));
    control<QLabel>(this, "Label1")->setAlignment(Qt::AlignCenter);

    tmrChrono = new VbTimer(this);
    connect(tmrChrono, &VbTimer::Timer, this, &frmChrono::tmrChrono_Timer);
    connect(chkStart_Stop, &QAbstractButton::toggled, this, &frmChrono::chkStart_Stop_Click);
    connect(chkAlarme, &QAbstractButton::toggled, this, &frmChrono::chkAlarme_Click);
    connect(cmdRAZ, &QAbstractButton::clicked, this, &frmChrono::cmdRAZ_Click);
    connect(cmdEnd, &QAbstractButton::clicked, this, &frmChrono::cmdEnd_Click);
}

void frmChrono::Form_Load()
{
    // A square frame, which the circle fills.
    frame()->adjustSize();
    const QSize bord = frame()->size() - size();
    if (bord.height() > bord.width())
        setFixedWidth(height() + bord.height() - bord.width());
    frame()->adjustSize();
    // Centred in the column right of the scope window, low down.
    RestaurerPosition(this, QStringLiteral("Chrono"), DroiteFenetre(QStringLiteral("frmWavix")) + (4550 - Width()) / 2,
                      6000);
    sldAlarme->setRange(1, 10);
    sldAlarme->setValue(5);
    sldAlarme->setPageStep(1);
    sldAlarme->setTickPosition(QSlider::TicksBelow);
    sldAlarme->setTickInterval(1);
    tmrChrono->setEnabled(false);
    tmrChrono->setInterval(100);
    setFace(kFaceRepos);
}

void frmChrono::Form_Unload(bool&)
{
    tmrChrono->setEnabled(false);
    EnregistrerPosition(this, QStringLiteral("Chrono"));
    // However it closes, the toolbox's box and the menu's tick clear.
    Modele().montrerInstrument(ModeleBanc::Instrument::Chrono, false);
    if (auto* boite = Forms().find<frmToolBox>())
        boite->chkClock->setChecked(false);
}

void frmChrono::setFace(int64_t couleur)
{
    couleurFace_ = couleur;
    update();
}

void frmChrono::peindreEtat()
{
    lblOnOff->setVisible(etat_ == EnMarche);
    lblStop->setText(etat_ == Fige ? QStringLiteral("ARRET") : QStringLiteral("STOP"));
    lblStop->setVisible(etat_ != EnMarche);
    lblAlarme->setVisible(alarme_);
}

void frmChrono::chkStart_Stop_Click()
{
    if (etat_ == Arrete) {
        // Stopped: a new count starts.
        ChronoStart = perfCounterNow();
        ecouleAffiche_ = 0;
        tmrChrono->setEnabled(true);
        etat_ = EnMarche;
        peindreEtat();
        chkStart_Stop->setToolTip(QString::fromUtf8(kBulleSuspendre));
        setFace(kFaceActive);
    } else if (etat_ == EnMarche) {
        // Running: the count pauses on the time shown; an alarm's red goes.
        tmrChrono->setEnabled(false);
        etat_ = Fige;
        peindreEtat();
        chkStart_Stop->setToolTip(QString::fromUtf8(kBulleDemarrer));
        setFace(kFaceActive);
    } else {
        // Frozen: the count goes on from the time shown, the time frozen
        // left out.
        ChronoStart = perfCounterNow() - ecouleAffiche_;
        tmrChrono->setEnabled(true);
        etat_ = EnMarche;
        peindreEtat();
        chkStart_Stop->setToolTip(QString::fromUtf8(kBulleSuspendre));
    }
}

void frmChrono::tmrChrono_Timer()
{
    const int64_t frequence = perfCounterFrequency();
    const int64_t ecoule = std::max<int64_t>(0, perfCounterNow() - ChronoStart);
    ecouleAffiche_ = ecoule;
    lblTime->setText(TexteChrono(double(ecoule) / double(frequence)));
    if (!alarme_)
        return;
    // In whole counts of the counter: the 0.2 s after each multiple of the
    // interval, which ticks 100 ms apart meet twice whatever their phase (in
    // seconds, 10.2 - 10 falls just short of 0.2 and would beep a third time).
    const int64_t apres = ecoule % (sldAlarme->value() * frequence);
    const bool premiereSeconde = ecoule % (60 * frequence) < frequence;
    // Never in the first second of a minute, which also keeps the start quiet.
    if (!premiereSeconde && apres * 5 < frequence) {
        JouerBip();
        setFace(kFaceAlarme);
    } else {
        setFace(kFaceActive);
    }
}

void frmChrono::chkAlarme_Click()
{
    alarme_ = !alarme_;
    peindreEtat();
}

void frmChrono::cmdRAZ_Click()
{
    tmrChrono->setEnabled(false);
    chkStart_Stop->setChecked(false);
    etat_ = Arrete;
    peindreEtat();
    setFace(kFaceActive);
    lblTime->setText(TexteChrono(0));
}

void frmChrono::cmdEnd_Click()
{
    Unload();
}

void frmChrono::arrondir()
{
    if (frame()->isMinimized())
        return;
    frame()->setMask(QRegion(frame()->rect(), QRegion::Ellipse));
}

void frmChrono::resizeEvent(QResizeEvent* event)
{
    VbForm::resizeEvent(event);
    arrondir();
}

void frmChrono::showEvent(QShowEvent* event)
{
    VbForm::showEvent(event);
    // The title bar centres the caption: its leading blanks, which centre it
    // on a bar that aligns it left, would push it out of the round face.
    frame()->setWindowTitle(windowTitle().trimmed());
    arrondir();
}

void frmChrono::paintEvent(QPaintEvent*)
{
    // The face covers the whole round frame, title bar included.
    const QRect cadre(mapFrom(frame(), QPoint(0, 0)), frame()->size());
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0x58, 0x5B, 0x5E));
    p.setPen(Qt::NoPen);
    p.setBrush(couleurFace(couleurFace_));
    p.drawEllipse(QRectF(cadre).adjusted(cadre.width() * 0.06, cadre.height() * 0.06, -cadre.width() * 0.06,
                                         -cadre.height() * 0.06));
    static QSvgRenderer boitier(QStringLiteral(":/bench/chrono_face.svg"));
    boitier.render(&p, QRectF(cadre));
}
