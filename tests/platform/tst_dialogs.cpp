#include "platform/Dialogs.h"
#include "platform/ScriptedDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using Kind = ScriptedDialogs::Kind;

class tst_Dialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void qtNameFilters_data();
    void qtNameFilters();

    void answersInOrderAndRecords();
    void unexpectedMessageGetsCancellingAnswer_data();
    void unexpectedMessageGetsCancellingAnswer();
    void answerOfAnotherKindWaitsForItsDialog();
    void unexpectedInputAndFileAreCancelled();
    void modalWindowIsFilledInAndClosed();
    void serviceLastsAsLongAsTheScript();
    void messageIsPlainText();
    void enterAnswersTheDefaultButton_data();
    void enterAnswersTheDefaultButton();
};

void tst_Dialogs::qtNameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one pair") << "Fichier texte (*.txt)|*.txt" << QStringList{"Fichier texte (*.txt)"};
    QTest::newRow("two pairs") << "Texte (*.txt)|*.txt|Tous les fichiers (*.*)|*.*"
                               << QStringList{"Texte (*.txt)", "Tous les fichiers (*.*)"};
    QTest::newRow("description without patterns")
        << "Mesures|*.csv" << QStringList{"Mesures (*.csv)"};
    QTest::newRow("several patterns") << "Images (*.bmp;*.gif)|*.bmp;*.gif"
                                      << QStringList{"Images (*.bmp *.gif)"};
    QTest::newRow("patterns come from the second half")
        << "Texte (*.txt)|*.txt;*.dat" << QStringList{"Texte (*.txt *.dat)"};
}

void tst_Dialogs::qtNameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(::qtNameFilters(filter), expected);
}

void tst_Dialogs::answersInOrderAndRecords()
{
    ScriptedDialogs script;
    script.answerMessage(vb::Yes)
        .answerInput(QStringLiteral("12"))
        .answerFile(QStringLiteral("/tmp/mesures.txt"))
        .answerFile(std::nullopt)
        .answerMessage(vb::Cancel);

    QCOMPARE(MsgBox("Quitter ?", vb::YesNo | vb::Question, "Fin"), int(vb::Yes));
    QCOMPARE(dialogs().inputBox("Période ?", "Réglage", "1"), std::optional<QString>("12"));
    FileDialogRequest save;
    save.title = QStringLiteral("Enregistrer");
    save.initialDir = QStringLiteral("/tmp");
    QCOMPARE(dialogs().saveFile(save), std::optional<QString>("/tmp/mesures.txt"));
    QCOMPARE(dialogs().openFile({}), std::optional<QString>());
    QCOMPARE(MsgBox("Continuer ?", vb::OKCancel), int(vb::Cancel));

    QVERIFY(script.allAnswered());
    QCOMPARE(script.unexpected(), 0);
    const QList<ScriptedDialogs::Shown> shown = script.shown();
    QCOMPARE(shown.size(), 5);
    QCOMPARE(shown[0].kind, Kind::Message);
    QCOMPARE(shown[0].title, QStringLiteral("Fin"));
    QCOMPARE(shown[0].text, QStringLiteral("Quitter ?"));
    QCOMPARE(shown[0].style, vb::YesNo | vb::Question);
    QCOMPARE(shown[1].kind, Kind::Input);
    QCOMPARE(shown[1].title, QStringLiteral("Réglage"));
    QCOMPARE(shown[1].text, QStringLiteral("Période ?"));
    QCOMPARE(shown[2].kind, Kind::SaveFile);
    QCOMPARE(shown[2].title, QStringLiteral("Enregistrer"));
    QCOMPARE(shown[3].kind, Kind::OpenFile);
    // A box with no title of its own carries the program's.
    QCOMPARE(shown[4].title, programTitle());
    QCOMPARE(shown[4].style, int(vb::OKCancel));

    const QList<ScriptedDialogs::Shown> messages = script.messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages[1].text, QStringLiteral("Continuer ?"));
}

void tst_Dialogs::unexpectedMessageGetsCancellingAnswer_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("answer");

    QTest::newRow("OK only") << int(vb::OKOnly) << int(vb::OK);
    QTest::newRow("OK Cancel") << int(vb::OKCancel) << int(vb::Cancel);
    QTest::newRow("Yes No") << int(vb::YesNo) << int(vb::No);
    QTest::newRow("Yes No Cancel") << int(vb::YesNoCancel) << int(vb::Cancel);
    QTest::newRow("Retry Cancel") << int(vb::RetryCancel) << int(vb::Cancel);
    QTest::newRow("Abort Retry Ignore") << int(vb::AbortRetryIgnore) << int(vb::Abort);
    QTest::newRow("Yes No with icon and default")
        << int(vb::YesNo | vb::Exclamation | vb::DefaultButton2 | vb::SetForeground) << int(vb::No);
    QTest::newRow("OK Cancel with icon") << int(vb::OKCancel | vb::Critical) << int(vb::Cancel);
}

void tst_Dialogs::unexpectedMessageGetsCancellingAnswer()
{
    QFETCH(int, style);
    QFETCH(int, answer);
    ScriptedDialogs script;

    QCOMPARE(MsgBox("Sûr ?", style), answer);
    QCOMPARE(MsgBox("Vraiment ?", style), answer);

    QCOMPARE(script.unexpected(), 2);
    QCOMPARE(script.messages().size(), 2);
    QCOMPARE(script.messages()[1].text, QStringLiteral("Vraiment ?"));
}

void tst_Dialogs::answerOfAnotherKindWaitsForItsDialog()
{
    ScriptedDialogs script;
    script.answerInput(QStringLiteral("5"));

    QCOMPARE(MsgBox("Surprise", vb::YesNo), int(vb::No));
    QCOMPARE(script.unexpected(), 1);
    QVERIFY(!script.allAnswered());

    QCOMPARE(dialogs().inputBox("Valeur ?", "Wavix", ""), std::optional<QString>("5"));
    QCOMPARE(script.unexpected(), 1);
    QVERIFY(script.allAnswered());
}

void tst_Dialogs::unexpectedInputAndFileAreCancelled()
{
    ScriptedDialogs script;

    QCOMPARE(dialogs().inputBox("Valeur ?", "Wavix", "3"), std::optional<QString>());
    QCOMPARE(dialogs().openFile({}), std::optional<QString>());
    QCOMPARE(dialogs().saveFile({}), std::optional<QString>());

    QCOMPARE(script.unexpected(), 3);
    QCOMPARE(script.shown().size(), 3);
}

void tst_Dialogs::modalWindowIsFilledInAndClosed()
{
    ScriptedDialogs script;
    QWidget window;
    window.setObjectName(QStringLiteral("frmSaisie"));
    window.setWindowTitle(QStringLiteral("Saisie"));
    auto* edit = new QLineEdit(&window);
    edit->setObjectName(QStringLiteral("Valeur"));
    script.answerModal([](QWidget* w) {
        w->findChild<QLineEdit*>(QStringLiteral("Valeur"))->setText(QStringLiteral("42"));
        w->show(); // left open: the script closes it
    });

    dialogs().showModal(&window);

    QCOMPARE(edit->text(), QStringLiteral("42"));
    QVERIFY(!window.isVisible());
    QCOMPARE(script.unexpected(), 0);
    QCOMPARE(script.shown().size(), 1);
    QCOMPARE(script.shown()[0].kind, Kind::Modal);
    QCOMPARE(script.shown()[0].text, QStringLiteral("frmSaisie"));
    QCOMPARE(script.shown()[0].title, QStringLiteral("Saisie"));

    // Unscripted: counted, and the window does not stay open.
    dialogs().showModal(&window);
    QCOMPARE(script.unexpected(), 1);
    QVERIFY(!window.isVisible());
}

void tst_Dialogs::serviceLastsAsLongAsTheScript()
{
    Dialogs* before = &dialogs();
    {
        ScriptedDialogs script;
        QCOMPARE(&dialogs(), static_cast<Dialogs*>(&script));
        dialogs().beep();
        QCOMPARE(script.beeps(), 1);
    }
    QCOMPARE(&dialogs(), before);
}

void tst_Dialogs::messageIsPlainText()
{
    // The real box: a link in a text shows as its characters, not as a link.
    const QString texte = QStringLiteral("La version 9.0 <a href=\"http://x.invalid/\">ici</a>");
    int labels = 0;
    QList<Qt::TextFormat> formats;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        formats << box->textFormat();
        for (const QLabel* label : box->findChildren<QLabel*>())
            if (label->text() == texte) {
                ++labels;
                formats << label->textFormat();
            }
        box->done(QMessageBox::Ok);
    });
    QCOMPARE(MsgBox(texte, vb::Information, QStringLiteral("Wavix")), int(vb::OK));
    QCOMPARE(labels, 1);
    QCOMPARE(formats, (QList<Qt::TextFormat>{Qt::PlainText, Qt::PlainText}));
}

void tst_Dialogs::enterAnswersTheDefaultButton_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("touche");
    QTest::addColumn<int>("reponse");
    QTest::newRow("Yes No, Enter") << int(vb::YesNo | vb::Question) << int(Qt::Key_Return) << int(vb::Yes);
    QTest::newRow("No by default, Enter") << int(vb::YesNo | vb::Critical | vb::DefaultButton2) << int(Qt::Key_Return)
                                          << int(vb::No);
    QTest::newRow("No by default, keypad Enter") << int(vb::YesNo | vb::Critical | vb::DefaultButton2)
                                                 << int(Qt::Key_Enter) << int(vb::No);
    QTest::newRow("Cancel by default, Enter") << int(vb::YesNoCancel | vb::Question | vb::DefaultButton3)
                                              << int(Qt::Key_Return) << int(vb::Cancel);
    QTest::newRow("Yes No, Escape") << int(vb::YesNo | vb::Question) << int(Qt::Key_Escape) << int(vb::No);
}

// The real box, answered by a key with its text, as a user presses it.
void tst_Dialogs::enterAnswersTheDefaultButton()
{
    QFETCH(int, style);
    QFETCH(int, touche);
    bool vue = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        vue = true;
        const QString texte = touche == Qt::Key_Escape ? QString(QChar(27)) : QStringLiteral("\r");
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key(touche), texte, Qt::NoModifier);
    });
    // A box the key left open is closed, and that is a failure.
    bool resteOuverte = false;
    QTimer garde;
    garde.setSingleShot(true);
    connect(&garde, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            resteOuverte = true;
            box->done(-1);
        }
    });
    garde.start(2000);
    QTEST(MsgBox(QStringLiteral("Voulez-vous vraiment vider le fichier ?"), style, QStringLiteral("Wavix")), "reponse");
    QVERIFY(vue);
    QVERIFY(!resteOuverte);
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
