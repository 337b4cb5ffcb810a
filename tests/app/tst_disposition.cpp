// The default layout as the bench shows it: which window lies over which,
// and what of the lower ones it covers. The suite runs this on a 1280 x 1024
// screen, and again on a 1024 x 768 and a 1920 x 1080 one.
#include "ProgrammeLance.h"

#include "bench/Calculatrice.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"

#include <QAbstractButton>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

namespace {

// What a user works with on an instrument, shown or not yet (a display
// lights up with the instrument, a plug appears in its socket): knobs,
// sliders and the selector; keys; lamps; sockets and their plugs; displays.
const QRegularExpression kCommande(QStringLiteral("^(Potentio|sld|imgSelecteur"
                                                  "|cmd|chk|opt"
                                                  "|shpVoie|shpACDC|shpFreq|shpSignal|imgOn"
                                                  "|imgBorne|imgFiche"
                                                  "|picEcran$|picEcranVolt|shpEcran|lblEcran|lblFreq|lblValue|lblSigne|pgb)"));

QList<QMdiSubWindow*> pile(const MDIWavix* mdi)
{
    QList<QMdiSubWindow*> fenetres;
    for (QMdiSubWindow* s : mdi->mdiArea()->subWindowList(QMdiArea::StackingOrder))
        if (s->isVisible())
            fenetres << s;
    return fenetres;
}

QString nom(const QMdiSubWindow* s)
{
    return s->widget()->objectName();
}

// A control's or the title bar's place in the MDI area.
QRect dansZone(const QMdiSubWindow* s, const QWidget* c)
{
    return QRect(c->mapTo(s, QPoint(0, 0)) + s->pos(), c->size());
}

QRect barreDeTitre(const QMdiSubWindow* s)
{
    return QRect(s->pos(), QSize(s->width(), s->widget()->mapTo(s, QPoint(0, 0)).y()));
}

// Per window, the controls of the windows under it that it covers
// ("frmWavix.Potentio(5)"), and the title bars it lies over.
using ParFenetre = QHash<QString, QStringList>;

struct Couverture {
    ParFenetre commandes;
    QStringList titres;
};

Couverture couverture(const MDIWavix* mdi)
{
    Couverture c;
    const QList<QMdiSubWindow*> fenetres = pile(mdi);
    for (qsizetype haut = 0; haut < fenetres.size(); ++haut) {
        QStringList& liste = c.commandes[nom(fenetres[haut])];
        for (qsizetype bas = 0; bas < haut; ++bas) {
            if (!fenetres[haut]->geometry().intersects(fenetres[bas]->geometry()))
                continue;
            if (fenetres[haut]->geometry().intersects(barreDeTitre(fenetres[bas])))
                c.titres << nom(fenetres[haut]) + " over the title bar of " + nom(fenetres[bas]);
            for (const QWidget* w : fenetres[bas]->widget()->findChildren<QWidget*>())
                if (kCommande.match(w->objectName()).hasMatch()
                    && fenetres[haut]->geometry().intersects(dansZone(fenetres[bas], w)))
                    liste << nom(fenetres[bas]) + "." + w->objectName();
        }
        liste.sort();
    }
    return c;
}

// The bench of the lesson: a generator on each channel and a multimeter,
// the stopwatch if asked; the scope was clicked last, as a user does when
// he turns to it.
void ouvrirBanc(ProgrammeLance& p, bool chrono)
{
    p.mdi->showMaximized();
    QCoreApplication::processEvents();
    auto* boite = Forms().get<frmToolBox>();
    boite->choisir(1);
    boite->choisir(10);
    boite->chkMulti->setChecked(true);
    boite->chkClock->setChecked(chrono);
    QCoreApplication::processEvents();
    p.mdi->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Forms().find("frmWavix")->frame()));
}

} // namespace

class tst_Disposition : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coveredControls_data();
    void coveredControls();
    void openedWindowComesToTheFront();
    void restoredMainWindowHasNoScrollBars();
    void calculatorClearOfMenuAndToolbox_data();
    void calculatorClearOfMenuAndToolbox();
};

void tst_Disposition::coveredControls_data()
{
    QTest::addColumn<QString>("college");  // "Multimetre college"
    QTest::addColumn<bool>("chrono");
    // What each window covers on a 1024 x 768 screen, where the bench is
    // larger than the room; on the larger screens nothing.
    QTest::addColumn<ParFenetre>("a1024");

    // The meter is taller than the room under the scope: it stands at the
    // right edge over the scope's time-base column, where it covers the
    // fewest controls (the left edge lies on the box of the CH2 V/DIV knob);
    // the generators stand side by side under the scope, CH1 on the left.
    const QStringList colonneTemps{"frmWavix.Potentio(5)", "frmWavix.imgBorne(2)", "frmWavix.imgFiche(1)",
                                   "frmWavix.imgFiche(2)", "frmWavix.shpACDC(5)"};
    const QStringList sousTrms = QStringList{"frmWavix.Potentio(5)", "frmWavix.Potentio(7)", "frmWavix.chkAuto",
                                             "frmWavix.chkFFT", "frmWavix.cmdVoie(2)", "frmWavix.imgBorne(2)",
                                             "frmWavix.imgFiche(1)", "frmWavix.imgFiche(2)", "frmWavix.shpACDC(5)"};
    QTest::newRow("multimètre TRMS") << "0" << false << ParFenetre{{"frmMulti_RMS", sousTrms}};
    QTest::newRow("multimètre collège") << "1" << false << ParFenetre{{"frmVolt", colonneTemps}};
    // The stopwatch has no room left: it lies over the meter's selector.
    QTest::newRow("TRMS et chronomètre")
        << "0" << true
        << ParFenetre{{"frmMulti_RMS", sousTrms}, {"frmChrono", {"frmMulti_RMS.imgSelecteur", "frmWavix.imgFiche(2)"}}};
    QTest::newRow("collège et chronomètre")
        << "1" << true << ParFenetre{{"frmVolt", colonneTemps}, {"frmChrono", {"frmVolt.imgSelecteur"}}};
}

void tst_Disposition::coveredControls()
{
    QFETCH(QString, college);
    QFETCH(bool, chrono);
    QFETCH(ParFenetre, a1024);
    ProgrammeLance p({{"Options", "Multimetre college", college}});
    ouvrirBanc(p, chrono);
    p.mdi->menu("Mnu_PosWin")->trigger();
    QCoreApplication::processEvents();

    const Couverture c = couverture(p.mdi.get());
    QVERIFY2(c.titres.isEmpty(), qPrintable(c.titres.join("\n")));
    // What the layout placed stands over the scope, which stays at the bottom.
    const QList<QMdiSubWindow*> fenetres = pile(p.mdi.get());
    QStringList attendues{"frmGBFA", "frmGBFB", college == "0" ? "frmMulti_RMS" : "frmVolt"};
    if (chrono)
        attendues << "frmChrono";
    for (const QString& f : attendues) {
        QVERIFY2(c.commandes.contains(f), qPrintable(f));
        QVERIFY2(fenetres.indexOf(Forms().find(f)->frame()) > fenetres.indexOf(Forms().find("frmWavix")->frame()),
                 qPrintable(f));
    }
    // The top one is the active window: activating the main window again
    // raises that one, not the scope.
    QCOMPARE(p.mdi->mdiArea()->activeSubWindow(), fenetres.constLast());
    const bool petit = QGuiApplication::primaryScreen()->geometry().width() <= 1024;
    QStringList ecarts;
    for (auto it = c.commandes.cbegin(); it != c.commandes.cend(); ++it)
        if (it.value() != (petit ? a1024.value(it.key()) : QStringList()))
            ecarts << it.key() + " covers " + it.value().join(", ");
    QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts.join("\n")));
}

void tst_Disposition::openedWindowComesToTheFront()
{
    // Opened while the scope is in front, each window shows over it.
    ProgrammeLance p;
    ouvrirBanc(p, false);
    QCOMPARE(nom(pile(p.mdi.get()).constLast()), QStringLiteral("frmWavix"));
    auto* boite = Forms().get<frmToolBox>();
    boite->chkClock->setChecked(true);
    QCOMPARE(nom(pile(p.mdi.get()).constLast()), QStringLiteral("frmChrono"));
    p.mdi->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Forms().find("frmWavix")->frame()));
    boite->choisir(16);
    QCOMPARE(nom(pile(p.mdi.get()).constLast()), QStringLiteral("frmHarmoniqueA"));
}

void tst_Disposition::restoredMainWindowHasNoScrollBars()
{
    // Laid out maximised, then brought back to its normal size: every window
    // comes into view, the toolbox whole, and the area shows no scroll bar,
    // on the smallest screen too.
    ProgrammeLance p;
    ouvrirBanc(p, true);
    p.mdi->menu("Mnu_PosWin")->trigger();
    QCoreApplication::processEvents();
    p.mdi->showNormal();
    QCoreApplication::processEvents();
    QMdiArea* zone = p.mdi->mdiArea();
    const QRect vue(QPoint(0, 0), zone->viewport()->size());
    QStringList dehors;
    for (const QMdiSubWindow* s : pile(p.mdi.get()))
        if (!vue.contains(s->geometry()))
            dehors << QStringLiteral("%1 at (%2, %3) %4 x %5 in %6 x %7")
                          .arg(nom(s))
                          .arg(s->x())
                          .arg(s->y())
                          .arg(s->width())
                          .arg(s->height())
                          .arg(vue.width())
                          .arg(vue.height());
    QVERIFY2(dehors.isEmpty(), qPrintable(dehors.join("\n")));
    QTRY_VERIFY(!zone->verticalScrollBar()->isVisible());
    QVERIFY(!zone->horizontalScrollBar()->isVisible());
}

void tst_Disposition::calculatorClearOfMenuAndToolbox_data()
{
    QTest::addColumn<QSize>("taille"); // the calculator's window with its frame
    QTest::newRow("xcalc") << QSize(245, 410);
    QTest::newRow("gnome-calculator") << QSize(360, 616);
    QTest::newRow("wider than the bench") << QSize(1400, 300);
}

void tst_Disposition::calculatorClearOfMenuAndToolbox()
{
    // The calculator's window goes under the menu bar and right of the
    // toolbox, on the work area; one too wide for the room right of the
    // toolbox keeps its left edge on the work area.
    QFETCH(QSize, taille);
    ProgrammeLance p;
    p.mdi->showMaximized();
    QCoreApplication::processEvents();
    const QWidget* vue = p.mdi->mdiArea()->viewport();
    const QRect zone(vue->mapToGlobal(QPoint(0, 0)), vue->size());
    const QWidget* boite = Forms().find("frmToolBox")->frame();
    const QRect outils(boite->mapToGlobal(QPoint(0, 0)), boite->size());
    const QRect menus(p.mdi->menuBar()->mapToGlobal(QPoint(0, 0)), p.mdi->menuBar()->size());
    const QRect bureau = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect place(PlaceCalculatrice(zone, outils, taille, bureau), taille);
    QVERIFY(bureau.contains(place) || place.width() > bureau.width());
    QVERIFY(!place.intersects(menus));
    if (taille.width() <= bureau.right() - outils.right())
        QVERIFY(!place.intersects(outils));
    else
        QCOMPARE(place.left(), bureau.left());
}

QTEST_MAIN(tst_Disposition)
#include "tst_disposition.moc"
