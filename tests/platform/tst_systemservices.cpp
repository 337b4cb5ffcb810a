// How the program starts the desktop's programs for a file: the text
// editor the desktop chose, in a terminal when it is a terminal program.
#include "TestHome.h"

#include "platform/SystemServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

namespace {

// Programs of that name, doing nothing, in a folder of their own that stands
// alone on PATH while it lives.
struct Programmes {
    QString dossier;
    QByteArray path = qgetenv("PATH");

    Programmes(const TestHome& home, const QStringList& noms, const QString& suite = QString())
        : dossier(home.path("bin"))
    {
        QDir().mkpath(dossier);
        for (const QString& nom : noms)
            ajouter(nom, "#!/bin/sh\nexit 0\n");
        qputenv("PATH", QFile::encodeName(suite.isEmpty() ? dossier : dossier + ':' + suite));
    }
    ~Programmes() { qputenv("PATH", path); }
    void ajouter(const QString& nom, const QByteArray& script) const
    {
        QVERIFY(TestHome::writeFile(dossier + '/' + nom, script));
        QVERIFY(chmod(QFile::encodeName(dossier + '/' + nom).constData(), 0755) == 0);
    }
    QString chemin(const QString& nom) const { return dossier + '/' + nom; }
};

} // namespace

class tst_SystemServices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void desktopEntries_data();
    void desktopEntries();
    void terminalEditorOpensInATerminal_data();
    void terminalEditorOpensInATerminal();
};

void tst_SystemServices::desktopEntries_data()
{
    QTest::addColumn<QByteArray>("entree");
    QTest::addColumn<QStringList>("installes"); // on PATH, alone
    QTest::addColumn<QStringList>("commande");  // %T the terminal's folder, %F the file
    QTest::addColumn<QString>("raison");        // why not, when the command is empty

    const QStringList aucun;
    QTest::newRow("a graphical editor")
        << QByteArray("[Desktop Entry]\nName=Gedit\nExec=gedit %U\nTerminal=false\n") << aucun
        << QStringList{"gedit", "%F"} << "";
    QTest::newRow("no field code: the file goes last")
        << QByteArray("[Desktop Entry]\nExec=mousepad --new-window\n") << aucun
        << QStringList{"mousepad", "--new-window", "%F"} << "";
    QTest::newRow("a terminal editor in Debian's terminal")
        << QByteArray("[Desktop Entry]\nName=Vim\nExec=vim %F\nTerminal=true\n")
        << QStringList{"xterm", "x-terminal-emulator"} << QStringList{"%T/x-terminal-emulator", "-e", "vim", "%F"} << "";
    QTest::newRow("a terminal editor in GNOME's terminal")
        << QByteArray("[Desktop Entry]\nExec=nano %F\nTerminal=true\n") << QStringList{"gnome-terminal"}
        << QStringList{"%T/gnome-terminal", "--", "nano", "%F"} << "";
    QTest::newRow("a terminal editor in Xfce's terminal")
        << QByteArray("[Desktop Entry]\nExec=vim %f\nTerminal=true\n") << QStringList{"xfce4-terminal"}
        << QStringList{"%T/xfce4-terminal", "-x", "vim", "%F"} << "";
    QTest::newRow("a terminal editor in xterm")
        << QByteArray("[Desktop Entry]\nExec=vi %F\nTerminal=true\n") << QStringList{"xterm"}
        << QStringList{"%T/xterm", "-e", "vi", "%F"} << "";
    QTest::newRow("a terminal editor and no terminal")
        << QByteArray("[Desktop Entry]\nExec=vim %F\nTerminal=true\n") << aucun << QStringList()
        << "le programme choisi (vim) s'ouvre dans un terminal, et aucun terminal n'est installé "
           "(x-terminal-emulator, gnome-terminal, konsole, xfce4-terminal, xterm…)";
    QTest::newRow("an action's lines are not the entry's")
        << QByteArray("[Desktop Entry]\nExec=gedit %U\n[Desktop Action fenetre]\nExec=vim %F\nTerminal=true\n")
        << aucun << QStringList{"gedit", "%F"} << "";
    QTest::newRow("no way to start it") << QByteArray("[Desktop Entry]\nName=Rien\n") << aucun << QStringList()
                                        << "le programme choisi (rien.desktop) ne dit pas comment le lancer";
}

void tst_SystemServices::desktopEntries()
{
    QFETCH(QByteArray, entree);
    QFETCH(QStringList, installes);
    QFETCH(QStringList, commande);
    QFETCH(QString, raison);
    TestHome home;
    const Programmes p(home, installes);
    const QString fichier = home.path("Réponses élèves.txt");
    for (QString& mot : commande)
        mot.replace("%T", p.dossier).replace("%F", fichier);
    QString pourquoi;
    QCOMPARE(desktopEntryCommand(entree, "rien.desktop", fichier, &pourquoi), commande);
    QCOMPARE(pourquoi, raison);
}

void tst_SystemServices::terminalEditorOpensInATerminal_data()
{
    QTest::addColumn<bool>("terminal"); // a terminal emulator is installed
    QTest::newRow("in the terminal") << true;
    QTest::newRow("no terminal: a graphical editor") << false;
}

// The desktop as a user leaves it who chose vim for text files: the file
// opens where vim can run, never silently nowhere.
void tst_SystemServices::terminalEditorOpensInATerminal()
{
    QFETCH(bool, terminal);
    TestHome home;
    setTextEditorOpener(nullptr);
    QVERIFY(TestHome::writeFile(home.dataHome() + "/applications/vim-essai.desktop",
                                "[Desktop Entry]\nType=Application\nName=Vim\nExec=vim %F\nTerminal=true\n"
                                "MimeType=text/plain;\n"));
    QVERIFY(TestHome::writeFile(home.path(".config/mimeapps.list"),
                                "[Default Applications]\ntext/plain=vim-essai.desktop\n"));
    // The first of each list is this test's, which writes what it was given.
    const Programmes p(home, {}, QString::fromLocal8Bit(qgetenv("PATH")));
    const QString recu = home.path("lance.txt");
    const QByteArray script = "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" + QFile::encodeName(recu) + "'\n";
    p.ajouter(terminal ? "x-terminal-emulator" : "gnome-text-editor", script);
    if (!terminal)
        for (const char* emulateur : {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "mate-terminal", "terminator",
                                      "kitty", "alacritty", "urxvt", "xterm"})
            if (!QStandardPaths::findExecutable(emulateur).isEmpty())
                QSKIP("A terminal emulator is installed on this machine.");
    const QString fichier = home.path("vue.txt");
    QVERIFY(TestHome::writeFile(fichier, "Nom élève :Durand\r\n"));
    QString pourquoi;
    QVERIFY2(openInTextEditor(fichier, &pourquoi), qPrintable(pourquoi));
    QTRY_VERIFY(QFileInfo(recu).size() > 0);
    const QStringList lance = QString::fromUtf8(TestHome::readFile(recu)).split('\n', Qt::SkipEmptyParts);
    if (terminal)
        QCOMPARE(lance, (QStringList{p.chemin("x-terminal-emulator"), "-e", "vim", fichier}));
    else
        QCOMPARE(lance, (QStringList{p.chemin("gnome-text-editor"), fichier}));
}

QTEST_GUILESS_MAIN(tst_SystemServices)
#include "tst_systemservices.moc"
