#include "TestHome.h"

#include "app/FichierINI.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QtTest>

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
    void writeFailsSilentlyWhenFolderIsMissing();

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

void tst_ProfileFile::writeIsWindows1252WithCrLf()
{
    TestHome home;
    const QString file = home.path("Wavix.ini");
    // A file a Linux editor saved: UTF-8 and LF.
    QVERIFY(TestHome::writeFile(file, "[Options]\nNom=\xC3\xA9l\xC3\xA8ve\n"));

    QVERIFY(writeProfileString(file, "Réseau", "Dossier", "Œuvre €"));

    const QByteArray bytes = TestHome::readFile(file);
    QVERIFY(hasOnlyCrLf(bytes));
    QVERIFY(bytes.contains("Nom=\xE9l\xE8ve\r\n"));
    QVERIFY(bytes.contains("[R\xE9seau]\r\n"));
    QVERIFY(bytes.contains("Dossier=\x8C" "uvre \x80\r\n"));
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

void tst_ProfileFile::writeFailsSilentlyWhenFolderIsMissing()
{
    TestHome home;
    const QString file = home.path("absent/Wavix.ini");

    QVERIFY(!writeProfileString(file, "Options", "ColorYa", "255"));
    EcrireINI(file, "Options", "ColorYa", "255");

    QVERIFY(!QFileInfo::exists(home.path("absent")));
    QCOMPARE(LireINI(file, "Options", "ColorYa", "0"), QStringLiteral("0"));
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
    CheminINI = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(CheminINI, windowsFile()));

    QCOMPARE(LireINI("Options", key, "défaut"), expected);
}

void tst_ProfileFile::ecrireINIReadsBack()
{
    TestHome home;
    CheminINI = home.path("Wavix.ini");
    QVERIFY(TestHome::writeFile(CheminINI, windowsFile()));

    EcrireINI("Réseau", "Dossier", "/srv/dépôt");
    EcrireINI("Nouvelle section", "Clé", "é");

    QCOMPARE(LireINI("réseau", "dossier", QString()), QStringLiteral("/srv/dépôt"));
    QCOMPARE(LireINI("Nouvelle section", "Clé", QString()), QStringLiteral("é"));
    QCOMPARE(LireINI("Options", "ColorYb", QString()), QStringLiteral("65280"));
}

void tst_ProfileFile::missingFileGivesEveryDefault()
{
    TestHome home;
    CheminINI = home.path("Wavix.ini");

    QCOMPARE(LireINI("Options", "ColorYa", "d"), QStringLiteral("d"));
    QCOMPARE(LireEntierINI("Options", "N", 5, 0, 10), 5);
    QCOMPARE(LireCouleurINI("Options", "ColorYa", 0xFF00), 0xFF00);
    QCOMPARE(LireNombreINI("Options", "PosX", 2.5), 2.5);
    QVERIFY(!QFile::exists(CheminINI));
}

namespace {

// Writes "[S]\r\nK=<value>\r\n" as the settings file (no key at all for a
// null value).
bool useSettings(const TestHome& home, const QString& value)
{
    CheminINI = home.path("Wavix.ini");
    QByteArray bytes = "[S]\r\n";
    if (!value.isNull())
        bytes += "K=" + value.toLatin1() + "\r\n";
    return TestHome::writeFile(CheminINI, bytes);
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
