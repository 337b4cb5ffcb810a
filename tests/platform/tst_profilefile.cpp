#include "TestHome.h"

#include "services/FichierINI.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>
#include <utime.h>

namespace {

// A settings file as Windows leaves it: Windows-1252, CR LF, comments, keys
// in several cases, a duplicate key, an empty value and an over-long value.
QByteArray windowsFile()
{
    return QByteArray("; R\xE9glages de Wavix\r\n"
                      "[Options]\r\n"
                      "ColorYa=255\r\n"
                      "; couleur de la voie B\r\n"
                      "ColorYb=65280\r\n"
                      "colorya=999\r\n"
                      "Vide=\r\n"
                      "\r\n"
                      "[R\xE9seau]\r\n"
                      "Dossier=D\xE9p\xF4t\r\n"
                      "posx wavix=1440\r\n"
                      "Long=")
        + QByteArray(300, 'x')
        + QByteArray("\r\n"
                     "; fin du fichier\r\n");
}

QList<QByteArray> crLfLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Every line ends with CR LF.
bool hasOnlyCrLf(const QByteArray& bytes)
{
    if (!bytes.endsWith("\r\n"))
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
    }
    return true;
}

} // namespace

class tst_ProfileFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void read_data();
    void read();
    void readsUtf8FileWithLfLines();
    void missingFileReadsEmpty();

    void writeReplacesOnlyThatLine();
    void writeAddsKeyInsideItsSection();
    void writeMatchesExistingSectionAndKeyInAnyCase();
    void writeToDuplicateKeyChangesTheOneThatIsRead();
    void writeCreatesFileAndSection();
    void writeIsWindows1252WithCrLf();
    void writeReplacesFileAtomically();
    void writeFailsWhenFolderIsMissing();
    void settingsAreTheOwnersAlone_data();
    void settingsAreTheOwnersAlone();
    void writeKeepsOtherLinesByteForByte_data();
    void writeKeepsOtherLinesByteForByte();
    void controlCharactersNeverReachTheFile_data();
    void controlCharactersNeverReachTheFile();
    void changeOnDiskIsSeen_data();
    void changeOnDiskIsSeen();
    void plantedFileGivesDefaultsReportedOnce_data();
    void plantedFileGivesDefaultsReportedOnce();
    void failedWriteIsReportedOncePerRun();
    void twoProgramsOfOneAccountKeepEveryKey();
    void writeCutByAKillLeavesNothingForGood();

    void lireINI_data();
    void lireINI();
    void ecrireINIReadsBack();
    void missingFileGivesEveryDefault();
    void lireEntierINI_data();
    void lireEntierINI();
    void lireCouleurINI_data();
    void lireCouleurINI();
    void lireNombreINI_data();
    void lireNombreINI();
};

void tst_ProfileFile::read_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "Options" << "ColorYa" << "255";
    QTest::newRow("key after a comment") << "Options" << "ColorYb" << "65280";
    QTest::newRow("section and key in other cases, first duplicate wins")
        << "OPTIONS" << "COLORYA" << "255";
    QTest::newRow("empty value") << "Options" << "Vide" << "";
    QTest::newRow("missing key") << "Options" << "Absente" << "";
    QTest::newRow("missing section") << "Affichage" << "ColorYa" << "";
    QTest::newRow("key of another section") << "Options" << "Dossier" << "";
    QTest::newRow("Windows-1252 section and value") << "Réseau" << "Dossier" << "Dépôt";
    QTest::newRow("accented section in capitals, key with a blank")
        << "RÉSEAU" << "PosX Wavix" << "1440";
    QTest::newRow("long value cut") << "Réseau" << "Long" << QString(254, QLatin1Char('x'));
    QTest::newRow("comment is no key") << "Options" << "; couleur de la voie B" << "";
}

void tst_ProfileFile::read()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, windowsFile()));

    QCOMPARE(readProfileString(file, section, key), expected);
}

void tst_ProfileFile::readsUtf8FileWithLfLines()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, "\xEF\xBB\xBF[R\xC3\xA9seau]\nDossier = D\xC3\xA9p\xC3\xB4t \nN=2\n"));

    QCOMPARE(readProfileString(file, "Réseau", "Dossier"), QStringLiteral("Dépôt"));
    QCOMPARE(readProfileString(file, "Réseau", "N"), QStringLiteral("2"));
}

void tst_ProfileFile::missingFileReadsEmpty()
{
    TestHome home;
    QCOMPARE(readProfileString(home.path("none.ini"), "Options", "ColorYa"), QString());
    QVERIFY(!QFile::exists(home.path("none.ini")));
}

void tst_ProfileFile::writeReplacesOnlyThatLine()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, windowsFile()));

    QVERIFY(writeProfileString(file, "Options", "ColorYb", "42"));

    QByteArray expected = windowsFile();
    expected.replace("ColorYb=65280\r\n", "ColorYb=42\r\n");
    QCOMPARE(TestHome::readFile(file), expected);
}

void tst_ProfileFile::writeAddsKeyInsideItsSection()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, windowsFile()));

    QVERIFY(writeProfileString(file, "Options", "Nouvelle", "7"));

    // Every line of the file is still there, in order, plus the new key
    // inside [Options].
    QList<QByteArray> lines = crLfLines(TestHome::readFile(file));
    const qsizetype at = lines.indexOf("Nouvelle=7\r");
    QVERIFY(at > lines.indexOf("[Options]\r"));
    QVERIFY(at < lines.indexOf("[R\xE9seau]\r"));
    lines.removeAt(at);
    QCOMPARE(lines, crLfLines(windowsFile()));
    QCOMPARE(readProfileString(file, "Options", "Nouvelle"), QStringLiteral("7"));
    QCOMPARE(readProfileString(file, "Réseau", "Dossier"), QStringLiteral("Dépôt"));
}

void tst_ProfileFile::writeMatchesExistingSectionAndKeyInAnyCase()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, windowsFile()));

    QVERIFY(writeProfileString(file, "RÉSEAU", "PosX Wavix", "2880"));

    const QByteArray bytes = TestHome::readFile(file);
    QCOMPARE(bytes.toLower().count("[r\xE9seau]"), 1);
    QCOMPARE(bytes.toLower().count("posx wavix="), 1);
    QCOMPARE(crLfLines(bytes).size(), crLfLines(windowsFile()).size());
    QCOMPARE(readProfileString(file, "Réseau", "posx wavix"), QStringLiteral("2880"));
}

void tst_ProfileFile::writeToDuplicateKeyChangesTheOneThatIsRead()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, windowsFile()));

    QVERIFY(writeProfileString(file, "Options", "ColorYa", "1"));

    QCOMPARE(readProfileString(file, "Options", "ColorYa"), QStringLiteral("1"));
    QVERIFY(TestHome::readFile(file).contains("ColorYb=65280\r\n"));
}

void tst_ProfileFile::writeCreatesFileAndSection()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");

    QVERIFY(writeProfileString(file, "Options", "ColorYa", "255"));
    QCOMPARE(TestHome::readFile(file), QByteArray("[Options]\r\nColorYa=255\r\n"));

    QVERIFY(writeProfileString(file, "Position", "Left", "1440"));
    QVERIFY(writeProfileString(file, "Options", "ColorYb", ""));
    const QByteArray bytes = TestHome::readFile(file);
    QVERIFY(hasOnlyCrLf(bytes));
    QVERIFY(bytes.contains("ColorYb=\r\n"));
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), QStringLiteral("255"));
    QCOMPARE(readProfileString(file, "Position", "Left"), QStringLiteral("1440"));
    QCOMPARE(readProfileString(file, "Options", "ColorYb"), QString());
}

void tst_ProfileFile::settingsAreTheOwnersAlone_data()
{
    QTest::addColumn<int>("avant"); // the file's mode before the write; 0: no file
    QTest::newRow("a new file") << 0;
    QTest::newRow("readable by all, from an earlier version") << 0644;
    QTest::newRow("writable by its group") << 0664;
    QTest::newRow("already private") << 0600;
}

// Nobody else can open a settings file, so nobody else can hold a lock on
// it that would stall each of its owner's writes.
void tst_ProfileFile::settingsAreTheOwnersAlone()
{
    QFETCH(int, avant);
    TestHome home;
    const QString file = home.path("ConfQVT_eleve1.ini");
    if (avant) {
        QVERIFY(TestHome::writeFile(file, "[Options]\r\nColorYa=255\r\n"));
        QVERIFY(chmod(QFile::encodeName(file).constData(), mode_t(avant)) == 0);
    }
    QVERIFY(writeProfileString(file, "Options", "ColorYb", "65280"));
    QCOMPARE(TestHome::modeOf(file), 0600u);
    QCOMPARE(readProfileString(file, "Options", "ColorYb"), QStringLiteral("65280"));
    if (avant)
        QCOMPARE(readProfileString(file, "Options", "ColorYa"), QStringLiteral("255"));
}

void tst_ProfileFile::writeIsWindows1252WithCrLf()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");
    // A file a Linux editor saved: UTF-8 and LF.
    QVERIFY(TestHome::writeFile(file, "[Options]\nNom=\xC3\xA9l\xC3\xA8ve\n"));

    QVERIFY(writeProfileString(file, "Réseau", "Dossier", "Œuvre €"));

    // The lines written are Windows-1252 with CR LF; the editor's lines keep
    // their bytes, and both read right.
    QCOMPARE(TestHome::readFile(file),
             QByteArray("[Options]\nNom=\xC3\xA9l\xC3\xA8ve\n[R\xE9seau]\r\nDossier=\x8C" "uvre \x80\r\n"));
    QCOMPARE(readProfileString(file, "Options", "Nom"), QStringLiteral("élève"));
    QCOMPARE(readProfileString(file, "Réseau", "Dossier"), QStringLiteral("Œuvre €"));
}

void tst_ProfileFile::writeReplacesFileAtomically()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, windowsFile()));
    QFile before(file);
    QVERIFY(before.open(QIODevice::ReadOnly));

    QVERIFY(writeProfileString(file, "Options", "ColorYa", "1"));

    // A reader that had the file open still sees the whole old file: the new
    // one was put in its place, not written over it.
    QCOMPARE(before.readAll(), windowsFile());
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Wavix.ini"});
}

void tst_ProfileFile::writeFailsWhenFolderIsMissing()
{
    TestHome home;
    const QString file = home.path("absent/Wavix.ini");

    QVERIFY(!writeProfileString(file, "Options", "ColorYa", "255"));
    QVERIFY(!QFileInfo::exists(home.path("absent")));
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), QString());
}

void tst_ProfileFile::writeKeepsOtherLinesByteForByte_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    // Greek and Cyrillic are not in Windows-1252: once they became "?".
    QTest::newRow("UTF-8 line outside Windows-1252")
        << QByteArray("[Options]\r\nColorYa=1\r\n; \xCE\x94\xD0\x96 \xE2\x86\x92 note\r\n[R\xE9seau]\r\nDossier=D\xE9p\xF4t\r\n")
        << QByteArray("[Options]\r\nColorYa=2\r\n; \xCE\x94\xD0\x96 \xE2\x86\x92 note\r\n[R\xE9seau]\r\nDossier=D\xE9p\xF4t\r\n");
    QTest::newRow("LF lines and no final line end")
        << QByteArray("[Options]\nColorYa=1\n  ; indented\t comment  \nX=y")
        << QByteArray("[Options]\nColorYa=2\n  ; indented\t comment  \nX=y");
    QTest::newRow("key added after a last line without its end")
        << QByteArray("[Options]\nColorYb=\xCE\x94")
        << QByteArray("[Options]\nColorYb=\xCE\x94\r\nColorYa=2\r\n");
    QTest::newRow("key's own line end kept") << QByteArray("[Options]\nColorYa=1\n\n[Autre]\r\n")
                                              << QByteArray("[Options]\nColorYa=2\n\n[Autre]\r\n");
}

void tst_ProfileFile::writeKeepsOtherLinesByteForByte()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, before));

    QVERIFY(writeProfileString(file, "options", "ColorYa", "2"));

    QCOMPARE(TestHome::readFile(file), after);
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), QStringLiteral("2"));
}

void tst_ProfileFile::controlCharactersNeverReachTheFile_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    QTest::newRow("pasted line break") << "Dépôt\r\n[Options]\r\nColorYa=0" << "Dépôt  [Options]  ColorYa=0";
    QTest::newRow("LF alone") << "a\nb" << "a b";
    QTest::newRow("CR alone") << "a\rb" << "a b";
    QTest::newRow("tab and escape") << "a\tb\x1b" << "a b";
    QTest::newRow("NUL") << QString("a") + QChar(0) + "b" << "a b";
    QTest::newRow("outside Windows-1252, kept") << "Δ → ok" << "Δ → ok";
}

void tst_ProfileFile::controlCharactersNeverReachTheFile()
{
    QFETCH(QString, value);
    QFETCH(QString, stored);
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, "[Options]\r\nColorYa=1\r\n[R\xE9seau]\r\nDossier D\xE9p\xF4t=x\r\n"));

    QVERIFY(writeProfileString(file, "Réseau", "Dossier Dépôt", value));

    // One line for the key, no line or section smuggled in.
    const QByteArray bytes = TestHome::readFile(file);
    QCOMPARE(crLfLines(bytes).size(), 4);
    QVERIFY(hasOnlyCrLf(bytes));
    QCOMPARE(readProfileString(file, "Réseau", "Dossier Dépôt"), stored.trimmed());
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), QStringLiteral("1"));
}

void tst_ProfileFile::changeOnDiskIsSeen_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("another program replaces the file, same size") << "replace";
    QTest::newRow("an editor rewrites it in place, same size, new time") << "in place";
    QTest::newRow("an editor rewrites it in place, new size") << "longer";
    QTest::newRow("removed") << "removed";
}

void tst_ProfileFile::changeOnDiskIsSeen()
{
    QFETCH(QString, how);
    TestHome home;
    const QString file = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(file, "[Options]\r\nColorYa=1\r\n"));
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), QStringLiteral("1"));
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), QStringLiteral("1")); // from what was kept

    // What another program of the account does to the file.
    if (how == "replace") {
        QVERIFY(TestHome::writeFile(file + ".new", "[Options]\r\nColorYa=7\r\n"));
        QCOMPARE(::rename(QFile::encodeName(file + ".new").constData(), QFile::encodeName(file).constData()), 0);
    } else if (how == "in place" || how == "longer") {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek(19));
        QVERIFY(f.write(how == "longer" ? "77\r\n" : "7\r\n") > 0);
        f.close();
        // Times may be coarse: the other program's write is a second ago.
        struct utimbuf t {1000000000, 1000000000};
        QCOMPARE(utime(QFile::encodeName(file).constData(), &t), 0);
    } else {
        QVERIFY(QFile::remove(file));
    }

    const QString expected = how == "removed" ? QString() : how == "longer" ? "77" : "7";
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), expected);
    // And a write of this program keeps what the other one wrote.
    QVERIFY(writeProfileString(file, "Options", "ColorYb", "3"));
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), expected);
    QCOMPARE(readProfileString(file, "Options", "ColorYb"), QStringLiteral("3"));
}

void tst_ProfileFile::plantedFileGivesDefaultsReportedOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("FIFO") << "fifo" << "n'est pas un fichier ordinaire (lien, dossier, tube ou périphérique)";
    QTest::newRow("link to another account's file") << "link" << "n'est pas un fichier ordinaire (lien, dossier, tube ou périphérique)";
    QTest::newRow("over 1 MiB") << "huge" << "est trop volumineux (plus de 1 Mo)";
}

void tst_ProfileFile::plantedFileGivesDefaultsReportedOnce()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    TestHome home;
    ScriptedDialogs dialogs;
    dialogs.answerMessage(vb::OK);
    Session().CheminINI = home.path("ConfQVT_eleve2.ini");
    const QString other = home.path("ConfQVT_professeur.ini");
    QVERIFY(TestHome::writeFile(other, "[Options]\r\nColorYa=5\r\n"));
    if (kind == "fifo")
        QVERIFY(TestHome::makeFifo(Session().CheminINI));
    else if (kind == "link")
        QVERIFY(QFile::link(other, Session().CheminINI));
    else
        QVERIFY(TestHome::writeFile(Session().CheminINI, "[Options]\r\nColorYa=5\r\n" + QByteArray(1 << 20, ';')));

    // Start-up reads and writes many keys: one message for them all.
    QCOMPARE(LireINI("Options", "ColorYa", "65535"), QStringLiteral("65535"));
    EcrireINI("Options", "ColorYa", "9");
    QCOMPARE(LireEntierINI("Options", "ColorYa", 12, 0, 100), 12);

    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages()[0].text, "Le fichier des réglages " + reason + " :\r\n" + Session().CheminINI
                                             + "\r\nLes réglages par défaut sont utilisés ; les changements de "
                                               "réglages de cette séance seront perdus.");
    QCOMPARE(dialogs.messages()[0].title, QStringLiteral("Wavix - Réglages"));
    QCOMPARE(TestHome::readFile(other), QByteArray("[Options]\r\nColorYa=5\r\n"));
}

void tst_ProfileFile::failedWriteIsReportedOncePerRun()
{
    TestHome home;
    ScriptedDialogs dialogs;
    dialogs.answerMessage(vb::OK);
    Session().CheminINI = home.path("absent/ConfQVT_eleve2.ini");

    EcrireINI("Options", "ColorYa", "255");
    EcrireINI("Interface", "PosX Wavix", "1440");

    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages()[0].text, "Le fichier des réglages ne peut pas être enregistré :\r\n" + Session().CheminINI
                                             + "\r\nLes changements de réglages de cette séance seront perdus.");
    QCOMPARE(dialogs.messages()[0].style & 0x70, int(vb::Exclamation));
    QCOMPARE(LireINI("Options", "ColorYa", "0"), QStringLiteral("0"));
    QCOMPARE(dialogs.unexpected(), 0);
}

namespace {

// Waits, without sleeping, until the other program has written its first key.
bool premiereCleEcrite(const QString& file, const QString& cle, QProcess& autre)
{
    QDeadlineTimer limite(30000);
    while (readProfileString(file, "Essai", cle).isEmpty()) {
        if (limite.hasExpired() || autre.waitForFinished(0))
            return false;
    }
    return true;
}

} // namespace

void tst_ProfileFile::twoProgramsOfOneAccountKeepEveryKey()
{
    TestHome home;
    const QString file = home.path("ConfQVT_eleve1.ini");
    QVERIFY(TestHome::writeFile(file, windowsFile()));
    constexpr int kCles = 150;
    // A second program of the same account writes its keys while this one
    // writes its own.
    QProcess autre;
    autre.start(WAVIX_AUTRE_COMPTE, {"cles", file, "B", QString::number(kCles)});
    QVERIFY(autre.waitForStarted(10000));
    QVERIFY(premiereCleEcrite(file, "B1", autre));
    bool toutes = true;
    for (int i = 1; i <= kCles; ++i)
        toutes = writeProfileString(file, "Essai", "A" + QString::number(i), QString::number(i)) && toutes;
    QVERIFY(autre.waitForFinished(60000));
    QCOMPARE(autre.exitCode(), 0);
    QVERIFY(toutes);

    int perdues = 0;
    for (const char* prefixe : {"A", "B"})
        for (int i = 1; i <= kCles; ++i)
            perdues += readProfileString(file, "Essai", prefixe + QString::number(i)) != QString::number(i);
    QCOMPARE(perdues, 0);
    // The lines already there are kept too, and no temporary file is left.
    QCOMPARE(readProfileString(file, "Réseau", "Dossier"), QStringLiteral("Dépôt"));
    QCOMPARE(readProfileString(file, "Options", "ColorYb"), QStringLiteral("65280"));
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ConfQVT_eleve1.ini"});
}

void tst_ProfileFile::writeCutByAKillLeavesNothingForGood()
{
    TestHome home;
    const QString file = home.path("ConfQVT_eleve1.ini");
    // What a write killed before its rename leaves: its temporary file.
    QVERIFY(TestHome::writeFile(file + ".Ab3xZ9", "[Options]\r\n"));
    // Files that are no such thing stay: a copy, another file's write.
    QVERIFY(TestHome::writeFile(file + ".bak", "x"));
    QVERIFY(TestHome::writeFile(file + ".Ab3xZ9q", "x"));
    QVERIFY(TestHome::writeFile(home.path("ConfQVT_eleve2.ini.Ab3xZ9"), "x"));
    // A program of the account killed while it writes.
    QProcess autre;
    autre.start(WAVIX_AUTRE_COMPTE, {"cles", file, "B", "1000000"});
    QVERIFY(autre.waitForStarted(10000));
    QVERIFY(premiereCleEcrite(file, "B1", autre));
    autre.kill();
    QVERIFY(autre.waitForFinished(10000));

    // The next write of the account clears what the cut writes left.
    QVERIFY(writeProfileString(file, "Options", "ColorYa", "1"));
    QStringList restes = QDir(home.path()).entryList(QDir::Files | QDir::Hidden);
    restes.sort();
    QCOMPARE(restes, (QStringList{"ConfQVT_eleve1.ini", "ConfQVT_eleve1.ini.Ab3xZ9q", "ConfQVT_eleve1.ini.bak",
                                  "ConfQVT_eleve2.ini.Ab3xZ9"}));
    QCOMPARE(readProfileString(file, "Essai", "B1"), QStringLiteral("1"));
    QCOMPARE(readProfileString(file, "Options", "ColorYa"), QStringLiteral("1"));
}

void tst_ProfileFile::lireINI_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("value") << "ColorYa" << "255";
    QTest::newRow("empty value gives the default") << "Vide" << "défaut";
    QTest::newRow("missing key gives the default") << "Absente" << "défaut";
}

void tst_ProfileFile::lireINI()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TestHome home;
    Session().CheminINI = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(Session().CheminINI, windowsFile()));

    QCOMPARE(LireINI("Options", key, "défaut"), expected);
}

void tst_ProfileFile::ecrireINIReadsBack()
{
    TestHome home;
    Session().CheminINI = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(Session().CheminINI, windowsFile()));

    EcrireINI("Réseau", "Dossier", "/srv/dépôt");
    EcrireINI("Nouvelle section", "Clé", "é");

    QCOMPARE(LireINI("réseau", "dossier", QString()), QStringLiteral("/srv/dépôt"));
    QCOMPARE(LireINI("Nouvelle section", "Clé", QString()), QStringLiteral("é"));
    QCOMPARE(LireINI("Options", "ColorYb", QString()), QStringLiteral("65280"));
}

void tst_ProfileFile::missingFileGivesEveryDefault()
{
    TestHome home;
    Session().CheminINI = home.path("Wavix.ini");

    QCOMPARE(LireINI("Options", "ColorYa", "d"), QStringLiteral("d"));
    QCOMPARE(LireEntierINI("Options", "N", 5, 0, 10), 5);
    QCOMPARE(LireCouleurINI("Options", "ColorYa", 0xFF00), 0xFF00);
    QCOMPARE(LireNombreINI("Options", "PosX", 2.5), 2.5);
    QVERIFY(!QFile::exists(Session().CheminINI));
}

namespace {

// Writes "[S]\r\nK=<value>\r\n" as the settings file (no key at all for a
// null value).
bool useSettings(const TestHome& home, const QString& value)
{
    Session().CheminINI = home.path("Wavix.ini");
    QByteArray bytes = "[S]\r\n";
    if (!value.isNull())
        bytes += "K=" + value.toLatin1() + "\r\n";
    return TestHome::writeFile(Session().CheminINI, bytes);
}

} // namespace

void tst_ProfileFile::lireEntierINI_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");

    // Range [-10, 100], default 7.
    QTest::newRow("good") << "42" << 42;
    QTest::newRow("negative") << "-10" << -10;
    QTest::newRow("upper bound") << "100" << 100;
    QTest::newRow("above the range") << "101" << 7;
    QTest::newRow("below the range") << "-11" << 7;
    QTest::newRow("huge") << "99999999" << 7;
    QTest::newRow("beyond 32 bits") << "99999999999" << 7;
    QTest::newRow("letters") << "abc" << 7;
    QTest::newRow("number then letters") << "12abc" << 7;
    QTest::newRow("empty") << "" << 7;
    QTest::newRow("missing") << QString() << 7;
}

void tst_ProfileFile::lireEntierINI()
{
    QFETCH(QString, value);
    QFETCH(int, expected);
    TestHome home;
    QVERIFY(useSettings(home, value));

    QCOMPARE(LireEntierINI("S", "K", 7, -10, 100), expected);
}

void tst_ProfileFile::lireCouleurINI_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");

    // Default 0x123456.
    QTest::newRow("red") << "255" << 255;
    QTest::newRow("white") << "16777215" << 0xFFFFFF;
    QTest::newRow("black") << "0" << 0;
    QTest::newRow("negative") << "-5" << 0x123456;
    QTest::newRow("above white") << "16777216" << 0x123456;
    QTest::newRow("huge") << "99999999" << 0x123456;
    QTest::newRow("letters") << "abc" << 0x123456;
    QTest::newRow("number then letters") << "12abc" << 0x123456;
}

void tst_ProfileFile::lireCouleurINI()
{
    QFETCH(QString, value);
    QFETCH(int, expected);
    TestHome home;
    QVERIFY(useSettings(home, value));

    QCOMPARE(LireCouleurINI("S", "K", 0x123456), expected);
}

void tst_ProfileFile::lireNombreINI_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("expected");

    // Default 3.25.
    QTest::newRow("whole") << "1440" << 1440.0;
    QTest::newRow("negative decimal") << "-1.5" << -1.5;
    QTest::newRow("letters") << "abc" << 3.25;
    QTest::newRow("empty") << "" << 3.25;
}

void tst_ProfileFile::lireNombreINI()
{
    QFETCH(QString, value);
    QFETCH(double, expected);
    TestHome home;
    QVERIFY(useSettings(home, value));

    QCOMPARE(LireNombreINI("S", "K", 3.25), expected);
}

QTEST_MAIN(tst_ProfileFile)
#include "tst_profilefile.moc"
