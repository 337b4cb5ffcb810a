#include "platform/InfoBulles.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QScreen>
#include <QToolTip>
#include <QtTest>

class tst_InfoBulles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void prefixes_data();
    void prefixes();
    void placement_data();
    void placement();
    void wrapping();
    void bubbleShownAndHidden();
    void secondInstallRefused();
    void bubbleLeavesTheReadoutClear();
};

namespace {

// A tooltip request on the widget, as the mouse resting at that screen point makes.
bool demanderBulle(QWidget* w, const QPoint& ecran)
{
    QHelpEvent e(QEvent::ToolTip, w->mapFromGlobal(ecran), ecran);
    QApplication::sendEvent(w, &e);
    return e.isAccepted();
}

} // namespace

void tst_InfoBulles::cleanup()
{
    RemoveMultiLineToolTips();
    SetToolTipsHidden(false);
}

void tst_InfoBulles::prefixes_data()
{
    QTest::addColumn<QString>("brut");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("alignement");
    QTest::newRow("centred") << "<c>Base de temps" << "Base de temps" << int(Qt::AlignHCenter);
    QTest::newRow("centred, capitals") << "<C>Base de temps" << "Base de temps" << int(Qt::AlignHCenter);
    QTest::newRow("right") << "<r>Volts\npar division" << "Volts\npar division" << int(Qt::AlignRight);
    QTest::newRow("right, capitals") << "<R>x" << "x" << int(Qt::AlignRight);
    QTest::newRow("no prefix") << "Voie 1" << "Voie 1" << int(Qt::AlignLeft);
    QTest::newRow("prefix further on") << "a<c>b" << "a<c>b" << int(Qt::AlignLeft);
    QTest::newRow("other tag") << "<b>gras" << "<b>gras" << int(Qt::AlignLeft);
    QTest::newRow("shorter than a prefix") << "<c" << "<c" << int(Qt::AlignLeft);
    QTest::newRow("prefix alone") << "<c>" << "" << int(Qt::AlignHCenter);
    QTest::newRow("empty") << "" << "" << int(Qt::AlignLeft);
}

void tst_InfoBulles::prefixes()
{
    QFETCH(QString, brut);
    QFETCH(QString, texte);
    QFETCH(int, alignement);
    const TexteBulle t = AnalyserBulle(brut);
    QCOMPARE(t.texte, texte);
    QCOMPARE(int(t.alignement), alignement);
}

void tst_InfoBulles::placement_data()
{
    QTest::addColumn<QRect>("ecran");
    QTest::addColumn<int>("sourisX");
    QTest::addColumn<int>("largeur");
    QTest::addColumn<int>("x");
    const QRect ecran(0, 0, 1280, 1024);
    QTest::newRow("centred on the mouse") << ecran << 640 << 100 << 590;
    QTest::newRow("odd width") << ecran << 640 << 101 << 590;
    QTest::newRow("left edge") << ecran << 10 << 100 << 0;
    QTest::newRow("just inside on the left") << ecran << 50 << 100 << 0;
    QTest::newRow("right edge") << ecran << 1270 << 100 << 1180;
    QTest::newRow("just inside on the right") << ecran << 1230 << 100 << 1180;
    QTest::newRow("wider than the screen ends at its right edge") << ecran << 640 << 1400 << -120;
    QTest::newRow("second screen, left edge") << QRect(1280, 0, 1920, 1080) << 1290 << 100 << 1280;
    QTest::newRow("second screen, right edge") << QRect(1280, 0, 1920, 1080) << 3195 << 100 << 3100;
}

void tst_InfoBulles::placement()
{
    QFETCH(QRect, ecran);
    QFETCH(int, sourisX);
    QFETCH(int, largeur);
    QFETCH(int, x);
    QCOMPARE(PositionBulleX(sourisX, largeur, ecran), x);
}

void tst_InfoBulles::wrapping()
{
    const QFont police = QToolTip::font();
    const QFontMetrics m(police);
    const int ligne = m.height();
    // A short text keeps its one line.
    const QSize court = MesurerBulle("Voie 1", police, 200);
    QCOMPARE(court.width(), m.boundingRect(QRect(0, 0, 200, 0), Qt::TextWordWrap, "Voie 1").width() + 6);
    QCOMPARE(court.height(), ligne + 6);
    // Line breaks are honoured.
    QCOMPARE(MesurerBulle("Volts\npar division", police, 200).height(), 2 * ligne + 6);
    // A long line wraps at the width: several lines, none wider than it.
    const QString longue = "Tournez ce bouton pour choisir la durée que représente une division horizontale "
                           "de l'écran, de la plus courte à la plus longue.";
    const QSize large = MesurerBulle(longue, police, 200);
    QVERIFY(large.width() <= 200 + 6);
    QVERIFY(large.width() > 100);
    QVERIFY(large.height() >= 3 * ligne + 6);
    // Without a limit the same text stays on one line.
    QCOMPARE(MesurerBulle(longue, police, INT_MAX).height(), ligne + 6);
}

void tst_InfoBulles::bubbleShownAndHidden()
{
    QVERIFY(InstallMultiLineToolTips());
    SetToolTipMaxWidth(200);
    QCOMPARE(ToolTipMaxWidth(), 200);
    QLabel w("cible");
    w.setToolTip("<c>Tournez ce bouton pour choisir la durée que représente une division horizontale de l'écran.");
    w.setGeometry(100, 100, 200, 50);
    w.show();
    const QRect ecran = QGuiApplication::primaryScreen()->geometry();

    // Away from the edges: under the pointer, centred on it, wrapped.
    QVERIFY(demanderBulle(&w, QPoint(200, 120)));
    QWidget* bulle = BulleAffichee();
    QVERIFY(bulle);
    QVERIFY(!QToolTip::isVisible());
    QVERIFY(bulle->width() <= 206);
    QVERIFY(bulle->height() > 2 * QFontMetrics(QToolTip::font()).height());
    QVERIFY(qAbs(bulle->geometry().center().x() - 200) <= 1);
    QVERIFY(bulle->y() > 120);
    // Drawn in the tooltip colours.
    const QImage image = bulle->grab().toImage();
    QCOMPARE(image.pixelColor(2, 2), QToolTip::palette().color(QPalette::ToolTipBase));

    // At the right edge it ends at the screen's edge; leaving hides it.
    QVERIFY(demanderBulle(&w, QPoint(ecran.right() - 2, 120)));
    QCOMPARE(BulleAffichee()->geometry().right(), ecran.right());
    QEvent depart(QEvent::Leave);
    QApplication::sendEvent(&w, &depart);
    QVERIFY(!BulleAffichee());

    // Hidden by the setting: no tooltip at all.
    SetToolTipsHidden(true);
    demanderBulle(&w, QPoint(200, 120));
    QVERIFY(!BulleAffichee());
    QVERIFY(!QToolTip::isVisible());
    SetToolTipsHidden(false);
    QVERIFY(demanderBulle(&w, QPoint(200, 120)));
    QVERIFY(BulleAffichee());
    // Hiding while one shows takes it away.
    SetToolTipsHidden(true);
    QVERIFY(!BulleAffichee());
}

void tst_InfoBulles::secondInstallRefused()
{
    QVERIFY(InstallMultiLineToolTips());
    QVERIFY(!InstallMultiLineToolTips());
    RemoveMultiLineToolTips();
    RemoveMultiLineToolTips(); // nothing installed: nothing happens
    QVERIFY(InstallMultiLineToolTips());
}

void tst_InfoBulles::bubbleLeavesTheReadoutClear()
{
    // A readout the widget shows beside the pointer (the scope's x and y)
    // stays in sight: the bubble goes above the pointer.
    QVERIFY(InstallMultiLineToolTips());
    QWidget ecran;
    ecran.setToolTip("Double-cliquez sur l'écran pour afficher en plein écran.");
    ecran.setGeometry(100, 100, 400, 300);
    QLabel lecture(" x = 1,23 div \n  y = -0,45 div ", &ecran);
    lecture.adjustSize();
    lecture.move(112, 58); // right of and below the pointer
    ecran.show();
    const QPoint pointeur = ecran.mapToGlobal(QPoint(100, 50));
    QVERIFY(demanderBulle(&ecran, pointeur));
    const QRect lue(lecture.mapToGlobal(QPoint(0, 0)), lecture.size());
    QVERIFY(BulleAffichee());
    QVERIFY(!BulleAffichee()->geometry().intersects(lue));
    QVERIFY(BulleAffichee()->geometry().bottom() < pointeur.y());
    // Without it, below as usual.
    lecture.hide();
    QVERIFY(demanderBulle(&ecran, pointeur));
    QVERIFY(BulleAffichee()->y() > pointeur.y());
}

QTEST_MAIN(tst_InfoBulles)
#include "tst_infobulles.moc"
