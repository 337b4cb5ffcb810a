// The full-screen view: the scope draws there and not on its panel while it
// is open, its cursor readout, and the click that closes it.

#include "BancScope.h"

#include "platform/PictureBox.h"
#include "platform/ScriptedDialogs.h"
#include "platform/ZoneTravail.h"
#include "platform/SystemServices.h"
#include "scope/CourbeWavix.h"
#include "scope/frmFullScreen.h"
#include "scope/frmWavix.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QtTest>

#include <functional>

namespace {

// How many pixels of the picture show the colour.
int pixels(const QImage& image, int couleur)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            n += (ligne[x] & 0xFFFFFF) == pixelRgb(couleur);
    }
    return n;
}

// The height in pixels of the ink the readout's mode label ("CH1", alone in
// the first division column of the bottom band) puts over the graticule.
int hauteurEncreMode(PictureBox* ecran, const QImage& grille)
{
    const QImage image = ecran->Image();
    const QRect colonne =
        QRectF(ecran->toPixel(-498, -300), ecran->toPixel(-402, -405)).toAlignedRect() & image.rect();
    int haut = image.height(), bas = -1;
    for (int y = colonne.top(); y <= colonne.bottom(); ++y)
        for (int x = colonne.left(); x <= colonne.right(); ++x)
            if (image.pixel(x, y) != grille.pixel(x, y)) {
                haut = qMin(haut, y);
                bas = qMax(bas, y);
            }
    return bas < 0 ? 0 : bas - haut + 1;
}

bool pleinEcranCoche(const BancScope& b)
{
    return b.mdi->Mnu_ViewFullScreen->isChecked();
}

// A scope with the view's opening answered: the view, shown, goes to the
// action, which may close it; the view is then closed if still open and
// destroyed.
struct Vue {
    BancScope banc;
    ScriptedDialogs dialogs;
    QPointer<frmFullScreen> vue;

    explicit Vue(bool allume = true) : banc(0, 1, 4, false, allume) {}

    // Opened as the user does: a double-click on the panel's screen, or the
    // main window's menu item.
    void ouvrir(std::function<void(frmFullScreen*)> action, bool parMenu = false)
    {
        dialogs.answerModal([this, action](QWidget* w) {
            vue = qobject_cast<frmFullScreen*>(w);
            QVERIFY(vue);
            vue->show();
            QVERIFY(QTest::qWaitForWindowExposed(vue));
            action(vue);
        });
        if (parMenu)
            banc.mdi->Mnu_ViewFullScreen->trigger();
        else
            QTest::mouseDClick(banc.scope->picEcran, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().first().text, QStringLiteral("frmFullScreen"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace

class tst_PleinEcran : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refreshDrawsOnTheViewOnly_data();
    void refreshDrawsOnTheViewOnly();
    void coversTheWorkArea_data();
    void coversTheWorkArea();
    void readoutPlacement_data();
    void readoutPlacement();
    void settingsReadoutIsPrintedLarger();
    void closedByAClickOrEscape_data();
    void closedByAClickOrEscape();
    void scopeOffShowsTheBareGraticule();
    void animationsFollowTheView_data();
    void animationsFollowTheView();
};

void tst_PleinEcran::refreshDrawsOnTheViewOnly_data()
{
    QTest::addColumn<bool>("parMenu");
    QTest::newRow("double-click on the screen") << false;
    QTest::newRow("menu item") << true;
}

void tst_PleinEcran::refreshDrawsOnTheViewOnly()
{
    QFETCH(bool, parMenu);
    Vue v;
    v.banc.source(0, "Sinus", 2, 500);
    ActualiserEcran();
    const QImage panneau = v.banc.image();
    QVERIFY(pixels(panneau, kJaune) > 0);

    v.ouvrir(
        [&](frmFullScreen* vue) {
            QVERIFY(pleinEcranCoche(v.banc));
            // A window of its own over the whole work area, not a child of
            // the main window.
            QVERIFY(vue->isWindow());
            QVERIFY(vue->windowState() & Qt::WindowMaximized);
            QCOMPARE(vue->picEcran->toolTip(),
                     QStringLiteral("Cliquer n'importe où sur l'écran pour revenir à l'interface principale."));
            QVERIFY(!vue->lblPositionCurseur->isVisible());
            QCOMPARE(vue->picEcran->DrawWidth, v.banc.scope->epaisseurTrace());

            // The opening drew the trace, enlarged: its crest two divisions
            // up reaches near the picture's top.
            const QImage ouverte = vue->picEcran->Image();
            QVERIFY(pixels(ouverte, kJaune) > pixels(panneau, kJaune));
            const QPointF crete = vue->picEcran->toPixel(0, 200);
            bool vu = false;
            for (int x = 0; x < ouverte.width() && !vu; ++x)
                vu = (ouverte.pixel(x, int(crete.y())) & 0xFFFFFF) == pixelRgb(kJaune);
            QVERIFY(vu);

            // A refresh while open draws here, and the panel keeps its picture.
            v.banc.source(1, "Sinus", 1, 250);
            v.banc.scope->cmdVoie_Click(1); // CH2
            QVERIFY(pixels(vue->picEcran->Image(), kVert) > 0);
            QCOMPARE(pixels(vue->picEcran->Image(), kJaune), 0);
            QCOMPARE(v.banc.image(), panneau);
        },
        parMenu);
    QVERIFY(!v.vue);
    QVERIFY(!pleinEcranCoche(v.banc));
}

void tst_PleinEcran::coversTheWorkArea_data()
{
    QTest::addColumn<QSize>("mesure"); // the work area measured at start-up, pixels
    QTest::addColumn<QSize>("attendue");
    const QSize ecran = QGuiApplication::primaryScreen()->availableGeometry().size();
    QTest::newRow("measured at start-up") << QSize(1000, 700) << QSize(1000, 700);
    QTest::newRow("not measured: the screen's") << QSize(0, 0) << ecran;
}

void tst_PleinEcran::coversTheWorkArea()
{
    QFETCH(QSize, mesure);
    QFETCH(QSize, attendue);
    Vue v;
    DefinirZoneTravail(mesure.width() * 15, mesure.height() * 15);
    v.ouvrir([&](frmFullScreen* vue) {
        QCOMPARE(vue->picEcran->geometry(), QRect(QPoint(0, 0), attendue));
        QCOMPARE(vue->picGrille->size(), attendue);
        // All ten divisions across and eight down stretch over it.
        QCOMPARE(vue->picEcran->toPixel(-500, 400), QPointF(0, 0));
        QCOMPARE(vue->picEcran->toPixel(505, -405), QPointF(attendue.width(), attendue.height()));
    });
}

void tst_PleinEcran::readoutPlacement_data()
{
    QTest::addColumn<bool>("allume");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("aDroite"); // right of the pointer, else left of it
    QTest::addColumn<bool>("dessous"); // below the pointer, else above it
    QTest::newRow("middle") << true << 123.0 << -45.0 << true << true;
    QTest::newRow("right edge") << true << 480.0 << 0.0 << false << true;
    QTest::newRow("bottom edge") << true << 0.0 << -390.0 << true << false;
    QTest::newRow("bottom right corner") << true << 490.0 << -398.0 << false << false;
    QTest::newRow("top left corner") << true << -495.0 << 395.0 << true << true;
    QTest::newRow("scope off") << false << 0.0 << 0.0 << true << true;
}

void tst_PleinEcran::readoutPlacement()
{
    QFETCH(bool, allume);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, aDroite);
    QFETCH(bool, dessous);
    Vue v(allume);
    v.ouvrir([&](frmFullScreen* vue) {
        const PictureBox* ecran = vue->picEcran;
        const QPoint pointeur = ecran->toPixel(x, y).toPoint();
        QTest::mouseMove(vue->picEcran, pointeur);
        QLabel* etiquette = vue->lblPositionCurseur;
        if (!allume) {
            QVERIFY(!etiquette->isVisible());
            return;
        }
        QVERIFY(etiquette->isVisible());
        // The pointer as the screen received it, in screen units.
        const QPointF u = ecran->toUser(pointeur);
        QVERIFY(etiquette->text().startsWith(QStringLiteral(" x = ")));
        const QRect r = etiquette->geometry();
        auto proche = [](double a, double b) { return std::abs(a - b) <= 1.5; };
        // 10 units right of the pointer, or its right edge at the pointer.
        if (aDroite)
            QVERIFY2(proche(r.left(), ecran->toPixel(u.x() + 10, 0).x()), qPrintable(QString::number(r.left())));
        else
            QVERIFY2(proche(r.left() + r.width(), pointeur.x()), qPrintable(QString::number(r.left())));
        // Hanging 10 units below the pointer, or its bottom edge at the pointer.
        if (dessous)
            QVERIFY2(proche(r.top(), ecran->toPixel(0, u.y() - 10).y()), qPrintable(QString::number(r.top())));
        else
            QVERIFY2(proche(r.top() + r.height(), pointeur.y()), qPrintable(QString::number(r.top())));
        QVERIFY(ecran->rect().contains(r));
    });
}

void tst_PleinEcran::settingsReadoutIsPrintedLarger()
{
    // The same "CH1" in 18 points on the view and 8 on the panel: letters
    // 18 / 8 = 2.25 times as tall, whatever the pictures' sizes.
    Vue v;
    ActualiserEcran();
    const int panneau = hauteurEncreMode(v.banc.scope->picEcran, v.banc.scope->picGrille->Image());
    QVERIFY2(panneau >= 5, qPrintable(QString::number(panneau)));
    v.ouvrir([&](frmFullScreen* vue) {
        const int plein = hauteurEncreMode(vue->picEcran, vue->picGrille->Image());
        const double rapport = double(plein) / panneau;
        QVERIFY2(rapport > 1.9 && rapport < 2.6, qPrintable(QString("%1 px against %2 px").arg(plein).arg(panneau)));
    });
}

void tst_PleinEcran::closedByAClickOrEscape_data()
{
    QTest::addColumn<QString>("geste");
    QTest::newRow("click on the screen") << "screen";
    QTest::newRow("right click on the screen") << "right";
    QTest::newRow("click on the readout") << "readout";
    QTest::newRow("Escape") << "escape";
}

void tst_PleinEcran::closedByAClickOrEscape()
{
    QFETCH(QString, geste);
    Vue v;
    v.banc.source(0, "Sinus", 2, 500);
    ActualiserEcran();
    const QImage avant = v.banc.image();
    bool fermeeParLeGeste = false;
    v.ouvrir([&](frmFullScreen* vue) {
        // The release of the double-click that opened the view leaves it open.
        QTest::mouseRelease(vue->picEcran, Qt::LeftButton, {}, QPoint(300, 300));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(v.vue);
        QVERIFY(pleinEcranCoche(v.banc));

        v.banc.source(0, "Sinus", 3, 500);
        ActualiserEcran();
        const QPoint ici = vue->picEcran->toPixel(200, 100).toPoint();
        if (geste == "screen") {
            QTest::mouseClick(vue->picEcran, Qt::LeftButton, {}, ici);
        } else if (geste == "right") {
            QTest::mouseClick(vue->picEcran, Qt::RightButton, {}, ici);
        } else if (geste == "readout") {
            QTest::mouseMove(vue->picEcran, ici);
            QLabel* etiquette = vue->lblPositionCurseur;
            QVERIFY(etiquette->isVisible());
            QTest::mouseClick(etiquette, Qt::LeftButton, {}, etiquette->rect().center());
        } else {
            QTest::keyClick(vue, Qt::Key_Escape);
        }
        fermeeParLeGeste = !vue->isVisible() && !Forms().isLoaded("frmFullScreen");
        QVERIFY(!pleinEcranCoche(v.banc));
    });
    QVERIFY(fermeeParLeGeste);
    QVERIFY(!v.vue); // destroyed
    QVERIFY(!pleinEcranCoche(v.banc));
    // Closing does not redraw the panel: it keeps the 2 V trace...
    QCOMPARE(v.banc.image(), avant);
    // ... until the next refresh draws the 3 V one there.
    ActualiserEcran();
    QVERIFY(std::abs(extent(v.banc.image(), kJaune).first - 300) <= 2);
    QVERIFY(v.banc.image() != avant);
}

void tst_PleinEcran::scopeOffShowsTheBareGraticule()
{
    Vue v(false);
    v.banc.source(0, "Sinus", 2, 500);
    v.ouvrir([&](frmFullScreen* vue) {
        const QImage image = vue->picEcran->Image();
        QCOMPARE(image, vue->picGrille->Image());
        QCOMPARE(pixels(image, kJaune), 0);
        // The graticule's border lines are there, at the view's size.
        QVERIFY(pixels(image, Scope().CouleurCadre) > vue->picEcran->width());
    });
}

void tst_PleinEcran::animationsFollowTheView_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("slow time base spot") << 0;
    QTest::newRow("XY figure") << 4;
}

void tst_PleinEcran::animationsFollowTheView()
{
    QFETCH(int, mode);
    Vue v;
    Horloge h;
    for (int i = 0; i < mode; ++i)
        v.banc.scope->cmdVoie_Click(1);
    v.banc.source(0, "Sinus", 2, 1);
    v.banc.source(1, "Sinus", 2, 1);
    v.banc.baseTemps(0); // 0.5 s/div: the spot
    ActualiserEcran();
    auto tic = [&] {
        h.avancer(200);
        if (mode == 4)
            v.banc.scope->tmrXY_Timer();
        else
            v.banc.scope->tmrSpot_Timer();
    };
    tic();
    const QImage panneau = v.banc.image();
    QVERIFY(pixels(panneau, kJaune) > 0);
    v.ouvrir([&](frmFullScreen* vue) {
        tic();
        const QImage ouverte = vue->picEcran->Image();
        tic();
        // The ticks draw on the view, and the panel keeps its picture.
        QVERIFY(vue->picEcran->Image() != ouverte);
        QVERIFY(pixels(vue->picEcran->Image(), kJaune) > 0);
        QCOMPARE(v.banc.image(), panneau);
        QTest::mouseClick(vue->picEcran, Qt::LeftButton, {}, QPoint(50, 50));
    });
    QVERIFY(!v.vue);
    // Closed, the next tick draws on the panel again.
    tic();
    QVERIFY(v.banc.image() != panneau);
    QVERIFY(pixels(v.banc.image(), kJaune) > 0);
}

QTEST_MAIN(tst_PleinEcran)
#include "tst_pleinecran.moc"
