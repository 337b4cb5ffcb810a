#include "platform/Forms.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
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

QTEST_MAIN(tst_Forms)
#include "tst_forms.moc"
