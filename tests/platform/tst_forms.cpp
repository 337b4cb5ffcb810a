#include "platform/Forms.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QtTest>

namespace {

// What the windows' handlers did, in order.
QStringList journal;

// A window that writes its handlers' calls in the journal and cancels its
// unload on request.
class ProbeForm : public VbForm {
public:
    explicit ProbeForm(bool mdiChild = false) : VbForm(QStringLiteral("probe"), mdiChild) {}

    bool cancelInQuery = false;
    bool cancelInUnload = false;

    void Form_Load() override { journal << formName() + QLatin1String(":Load"); }
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override
    {
        journal << formName() + QLatin1String(":QueryUnload") + QString::number(int(mode));
        cancel = cancelInQuery;
    }
    void Form_Unload(bool& cancel) override
    {
        journal << formName() + QLatin1String(":Unload");
        cancel = cancelInUnload;
    }
};

void deleteLaterNow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class tst_Forms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void getCreatesAndLoadsOnce();
    void isLoadedCreatesNothing();
    void unload_data();
    void unload();
    void cancelledUnloadKeepsTheWindow_data();
    void cancelledUnloadKeepsTheWindow();
    void unloadAllClosesNewestFirst();
    void childWindowLivesInMdiArea();
    void repaintInsideAChildWindowShowsTheSame_data();
    void repaintInsideAChildWindowShowsTheSame();
};

void tst_Forms::cleanup()
{
    Forms().unloadAll();
    Forms().setMdiArea(nullptr);
    deleteLaterNow();
    journal.clear();
}

void tst_Forms::getCreatesAndLoadsOnce()
{
    ProbeForm* first = Forms().get<ProbeForm>("frmA");
    QVERIFY(first);
    QCOMPARE(first->formName(), QStringLiteral("frmA"));
    QVERIFY(!first->isMdiChild());

    QCOMPARE(Forms().get<ProbeForm>("frmA"), first);
    QCOMPARE(Forms().find("frmA"), first);
    QVERIFY(Forms().isLoaded("frmA"));
    QCOMPARE(journal, QStringList{"frmA:Load"});
    QCOMPARE(Forms().loadedNames(), QStringList{"frmA"});
}

void tst_Forms::isLoadedCreatesNothing()
{
    QVERIFY(!Forms().isLoaded("frmA"));
    QVERIFY(!Forms().find("frmA"));
    QVERIFY(Forms().loadedNames().isEmpty());
    QVERIFY(journal.isEmpty());
    QVERIFY(!Forms().unload("frmA"));
}

void tst_Forms::unload_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("query");

    QTest::newRow("registry") << "registry" << "frmA:QueryUnload1";
    QTest::newRow("Unload Me") << "form" << "frmA:QueryUnload1";
    QTest::newRow("close box") << "close" << "frmA:QueryUnload0";
}

void tst_Forms::unload()
{
    QFETCH(QString, how);
    QFETCH(QString, query);
    QPointer<ProbeForm> form = Forms().get<ProbeForm>("frmA");
    Forms().get<ProbeForm>("frmB");
    form->Show();
    QSignalSpy unloaded(form.data(), &VbForm::unloaded);

    if (how == "registry")
        QVERIFY(Forms().unload("frmA"));
    else if (how == "form")
        form->Unload();
    else
        QVERIFY(form->close());

    QCOMPARE(journal, (QStringList{"frmA:Load", "frmB:Load", query, "frmA:Unload"}));
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!Forms().isLoaded("frmA"));
    QCOMPARE(Forms().loadedNames(), QStringList{"frmB"});
    deleteLaterNow();
    QVERIFY(form.isNull());

    // Loading it again gives a new window.
    journal.clear();
    QVERIFY(Forms().get<ProbeForm>("frmA"));
    QCOMPARE(journal, QStringList{"frmA:Load"});
}

void tst_Forms::cancelledUnloadKeepsTheWindow_data()
{
    QTest::addColumn<bool>("inQuery");
    QTest::addColumn<bool>("byCloseBox");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("query cancels") << true << false << QStringList{"frmA:QueryUnload1"};
    QTest::newRow("unload cancels") << false << false
                                    << QStringList{"frmA:QueryUnload1", "frmA:Unload"};
    QTest::newRow("close box, query cancels") << true << true << QStringList{"frmA:QueryUnload0"};
}

void tst_Forms::cancelledUnloadKeepsTheWindow()
{
    QFETCH(bool, inQuery);
    QFETCH(bool, byCloseBox);
    QFETCH(QStringList, calls);
    QPointer<ProbeForm> form = Forms().get<ProbeForm>("frmA");
    form->Show();
    journal.clear();
    form->cancelInQuery = inQuery;
    form->cancelInUnload = !inQuery;

    if (byCloseBox)
        QVERIFY(!form->close());
    else
        QVERIFY(!Forms().unload("frmA"));

    QCOMPARE(journal, calls);
    deleteLaterNow();
    QVERIFY(!form.isNull());
    QVERIFY(form->isVisible());
    QCOMPARE(Forms().find("frmA"), form.data());

    // Once the handler lets it go, it goes.
    form->cancelInQuery = form->cancelInUnload = false;
    QVERIFY(Forms().unload("frmA"));
    QVERIFY(!Forms().isLoaded("frmA"));
}

void tst_Forms::unloadAllClosesNewestFirst()
{
    Forms().get<ProbeForm>("frmA");
    Forms().get<ProbeForm>("frmB")->cancelInQuery = true; // cannot stop a shutdown
    Forms().get<ProbeForm>("frmC");
    journal.clear();

    Forms().unloadAll();

    QCOMPARE(journal, (QStringList{"frmC:QueryUnload4", "frmC:Unload", "frmB:QueryUnload4",
                                   "frmB:Unload", "frmA:QueryUnload4", "frmA:Unload"}));
    QVERIFY(Forms().loadedNames().isEmpty());
    QVERIFY(!Forms().isLoaded("frmB"));
}

void tst_Forms::childWindowLivesInMdiArea()
{
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    Forms().setMdiArea(&area);

    QPointer<ProbeForm> form = Forms().get<ProbeForm>("frmChild", true);
    QVERIFY(form->isMdiChild());
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    QVERIFY(sub);
    QCOMPARE(form->frame(), sub);
    QCOMPARE(area.subWindowList(), QList<QMdiSubWindow*>{sub});

    form->Show();
    form->Move(300, 450);
    QCOMPARE(sub->pos(), QPoint(20, 30));
    QCOMPARE(form->Left(), 300.0);
    QCOMPARE(form->Top(), 450.0);
    form->setLeft(600);
    QCOMPARE(sub->x(), 40);
    QCOMPARE(form->Width(), sub->width() * 15.0);

    // The sub-window's close box unloads the window.
    QPointer<QMdiSubWindow> frame = sub;
    sub->close();
    QVERIFY(!Forms().isLoaded("frmChild"));
    QCOMPARE(journal, (QStringList{"frmChild:Load", "frmChild:QueryUnload0", "frmChild:Unload"}));
    QVERIFY(area.subWindowList().isEmpty());
    deleteLaterNow();
    QVERIFY(form.isNull());
    QVERIFY(frame.isNull());
}

void tst_Forms::repaintInsideAChildWindowShowsTheSame_data()
{
    // Where the window is repainted, in the child window's frame: a control
    // on the form, the title bar, a stretch across the form's edge and the
    // frame, the whole frame.
    QTest::addColumn<QString>("where");
    QTest::newRow("a label on the form") << "label";
    QTest::newRow("the title bar") << "title";
    QTest::newRow("across the form's left edge") << "edge";
    QTest::newRow("the whole frame") << "frame";
}

void tst_Forms::repaintInsideAChildWindowShowsTheSame()
{
    QFETCH(QString, where);
    QMdiArea area;
    area.resize(640, 480);
    area.show();
    Forms().setMdiArea(&area);
    QPointer<ProbeForm> form = Forms().get<ProbeForm>("frmChild", true);
    form->setWindowTitle(QStringLiteral("Une fenêtre au titre assez long pour être coupé dans sa barre"));
    auto* label = new QLabel(QStringLiteral("Bonjour"), form);
    label->setGeometry(10, 10, 120, 24);
    form->resize(300, 200);
    form->Show();
    QWidget* cadre = form->frame();
    cadre->resize(320, 240);
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QTest::qWait(50);
    const auto ecran = [&] { return area.screen()->grabWindow(area.winId()).toImage(); };
    const QImage avant = ecran();
    // The frame is drawn: its title bar is not the window's background.
    const QPoint titre = cadre->mapTo(&area, QPoint(cadre->width() / 2, form->geometry().top() / 2));
    const QPoint fond = form->mapTo(&area, QPoint(form->width() - 10, form->height() - 10));
    QVERIFY(avant.pixel(titre) != avant.pixel(fond));

    if (where == QLatin1String("label")) {
        label->setText(QStringLiteral("Au revoir"));
        QTest::qWait(20);
        label->setText(QStringLiteral("Bonjour"));
    } else if (where == QLatin1String("title")) {
        cadre->update(QRect(0, 0, cadre->width(), form->geometry().top()));
    } else if (where == QLatin1String("edge")) {
        cadre->update(QRect(0, form->geometry().top() + 20, form->geometry().left() + 30, 40));
    } else {
        cadre->update();
    }
    QTest::qWait(50);
    QCOMPARE(ecran(), avant);
    Forms().unload("frmChild");
    deleteLaterNow();
}

QTEST_MAIN(tst_Forms)
#include "tst_forms.moc"
