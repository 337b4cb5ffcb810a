#include "PetitDisque.h"
#include "TestHome.h"

#include "platform/TextCodec.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class tst_TextFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodeText_data();
    void decodeText();
    void windows1252RoundTripsEveryByte();
    void encodeWindows1252_data();
    void encodeWindows1252();

    void splitLines_data();
    void splitLines();
    void writeTextFileIsWindows1252WithCrLf();
    void writeTextFileReplacesFileAtomically();
    void writeAndReadFailOnMissingFolder();

    void appendedLinesAreOnDiskAtOnce();
    void appendingKeepsWhatTheFileHeld();
    void appendingFailsOnMissingFolder();

    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void readStopsAtItsCap();
    void createdFilesGetTheirModeWhateverTheUmask();
    void failedAppendCutsBackToTheLastWholeRecord();
    void viewCopyIsReadOnlyAndGoesWithTheProgram();
    void viewCopyFolderIsMadeAgain();
};

namespace {

// Sets the umask for the life of the object.
struct Umask {
    mode_t saved;
    explicit Umask(mode_t mask) : saved(umask(mask)) {}
    ~Umask() { umask(saved); }
};

} // namespace

void tst_TextFiles::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ASCII") << QByteArray("abc") << "abc";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("UTF-8") << QByteArray("D\xC3\xA9p\xC3\xB4t \xE2\x82\xAC") << "Dépôt €";
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF" "D\xC3\xA9p\xC3\xB4t") << "Dépôt";
    QTest::newRow("Windows-1252") << QByteArray("D\xE9p\xF4t") << "Dépôt";
    QTest::newRow("Windows-1252 high block")
        << QByteArray("\x80 \x9C \x8C \x85 \x92") << "€ œ Œ … ’";
    QTest::newRow("Windows-1252 undefined byte") << QByteArray("a\x81") << "a\u0081";
    // One bad sequence makes the whole file Windows-1252, not just that part.
    QTest::newRow("UTF-8 mixed with Windows-1252") << QByteArray("\xC3\xA9\xE9") << "Ã©é";
    QTest::newRow("UTF-8 cut in a character") << QByteArray("caf\xC3") << "cafÃ";
    QTest::newRow("overlong UTF-8") << QByteArray("\xC0\xAF") << "À¯";
}

void tst_TextFiles::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(::decodeText(bytes), expected);
}

void tst_TextFiles::windows1252RoundTripsEveryByte()
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        const QString text = decodeWindows1252(byte);
        QCOMPARE(text.size(), 1);
        QCOMPARE(::encodeWindows1252(text), byte);
    }
}

void tst_TextFiles::encodeWindows1252_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("outside"); // the first character the code page has not

    QTest::newRow("ASCII") << "abc" << QByteArray("abc") << "";
    QTest::newRow("Latin-1") << "Dépôt ÿ µF" << QByteArray("D\xE9p\xF4t \xFF \xB5" "F") << "";
    QTest::newRow("high block") << "€œ’" << QByteArray("\x80\x9C\x92") << "";
    QTest::newRow("missing characters") << "Ω→ŝ" << QByteArray("???") << "Ω";
    QTest::newRow("missing between known ones") << "aΩé" << QByteArray("a?\xE9") << "Ω";
    QTest::newRow("beyond 16 bits") << QString::fromUtf8("ok \xF0\x9F\x91\x8D") << QByteArray("ok ??")
                                    << QString::fromUtf8("\xF0\x9F\x91\x8D");
}

void tst_TextFiles::encodeWindows1252()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(::encodeWindows1252(text), expected);
    QTEST(firstCharacterOutsideWindows1252(text), "outside");
}

void tst_TextFiles::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("LF, no final line end") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("empty lines kept") << "a\r\n\r\n\r\nb\r\n" << QStringList{"a", "", "", "b"};
    QTest::newRow("last line empty") << "a\r\n\r\n" << QStringList{"a", ""};
    QTest::newRow("empty") << "" << QStringList{};
}

void tst_TextFiles::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(::splitLines(text), expected);
}

void tst_TextFiles::writeTextFileIsWindows1252WithCrLf()
{
    TestHome home;
    const QString file = home.path("mesures.txt");
    const QStringList lines{"Dépôt", "€ 5", "", "fin"};

    QVERIFY(writeTextFile(file, lines));

    QCOMPARE(TestHome::readFile(file), QByteArray("D\xE9p\xF4t\r\n\x80 5\r\n\r\nfin\r\n"));
    QString text;
    QVERIFY(readTextFile(file, text));
    QCOMPARE(::splitLines(text), lines);
}

void tst_TextFiles::writeTextFileReplacesFileAtomically()
{
    TestHome home;
    const QString file = home.path("mesures.txt");
    QVERIFY(TestHome::writeFile(file, "ancien contenu, plus long que le nouveau\r\n"));
    QFile before(file);
    QVERIFY(before.open(QIODevice::ReadOnly));

    QVERIFY(writeTextFile(file, {"neuf"}));

    QCOMPARE(TestHome::readFile(file), QByteArray("neuf\r\n"));
    QCOMPARE(before.readAll(), QByteArray("ancien contenu, plus long que le nouveau\r\n"));
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"mesures.txt"});
}

void tst_TextFiles::writeAndReadFailOnMissingFolder()
{
    TestHome home;
    const QString file = home.path("absent/mesures.txt");

    QVERIFY(!writeTextFile(file, {"x"}));
    QString text = QStringLiteral("inchangé");
    QVERIFY(!readTextFile(file, text));
    QCOMPARE(text, QStringLiteral("inchangé"));
    QVERIFY(!QFileInfo::exists(home.path("absent")));
}

void tst_TextFiles::appendedLinesAreOnDiskAtOnce()
{
    TestHome home;
    const QString file = home.path("journal.txt");
    AppendingTextFile out;
    QVERIFY(out.open(file));
    QVERIFY(out.isOpen());
    QCOMPARE(out.path(), file);

    QVERIFY(out.writeLine("Première"));
    QCOMPARE(TestHome::readFile(file), QByteArray("Premi\xE8re\r\n"));

    QVERIFY(out.writeLine("5 €"));
    QCOMPARE(TestHome::readFile(file), QByteArray("Premi\xE8re\r\n5 \x80\r\n"));

    out.close();
    QVERIFY(!out.isOpen());
    QVERIFY(!out.writeLine("après"));
    QCOMPARE(TestHome::readFile(file), QByteArray("Premi\xE8re\r\n5 \x80\r\n"));
}

void tst_TextFiles::appendingKeepsWhatTheFileHeld()
{
    TestHome home;
    const QString file = home.path("journal.txt");
    QVERIFY(TestHome::writeFile(file, "ligne 1\r\n"));

    AppendingTextFile out;
    QVERIFY(out.open(file));
    QVERIFY(out.writeLine("ligne 2"));

    QCOMPARE(TestHome::readFile(file), QByteArray("ligne 1\r\nligne 2\r\n"));
}

void tst_TextFiles::appendingFailsOnMissingFolder()
{
    TestHome home;
    AppendingTextFile out;

    QVERIFY(!out.open(home.path("absent/journal.txt")));
    QVERIFY(!out.isOpen());
    QVERIFY(!out.writeLine("x"));
}

void tst_TextFiles::refusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a teacher's file") << "link";
    QTest::newRow("dangling link") << "dangling";
    QTest::newRow("link to /dev/zero") << "zero";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("folder") << "folder";
}

void tst_TextFiles::refusesWhatIsNoRegularFile()
{
    QFETCH(QString, kind);
    TestHome home;
    const QString target = home.path("professeur/notes.txt");
    QVERIFY(TestHome::writeFile(target, "notes du professeur\r\n"));
    const QString planted = home.path("partage/Resultat.txt");
    QDir().mkpath(home.path("partage"));
    if (kind == "link")
        QVERIFY(QFile::link(target, planted));
    else if (kind == "dangling")
        QVERIFY(QFile::link(home.path("professeur/absent.txt"), planted));
    else if (kind == "zero")
        QVERIFY(QFile::link("/dev/zero", planted));
    else if (kind == "fifo")
        QVERIFY(TestHome::makeFifo(planted));
    else
        QVERIFY(QDir().mkpath(planted));

    // Each way in is refused at once (a FIFO never blocks) and the file
    // behind stays as it was.
    QByteArray bytes;
    QCOMPARE(readFileBytes(planted, bytes, 1 << 20), FileStatus::NotRegular);
    QString text;
    QVERIFY(!readTextFile(planted, text));
    AppendingTextFile out;
    QVERIFY(!out.open(planted));
    QCOMPARE(truncateRegularFile(planted), FileStatus::NotRegular);
    QCOMPARE(replaceFileBytes(planted, "remplacé\r\n"), FileStatus::NotRegular);
    QVERIFY(!writeTextFile(planted, {"remplacé"}));

    QCOMPARE(TestHome::readFile(target), QByteArray("notes du professeur\r\n"));
    QVERIFY(!QFileInfo::exists(home.path("professeur/absent.txt")));
    const QFileInfo still(planted);
    QCOMPARE(still.isSymLink(), kind == "link" || kind == "dangling" || kind == "zero");
}

void tst_TextFiles::readStopsAtItsCap()
{
    TestHome home;
    const QString file = home.path("exercice.qvt");
    QVERIFY(TestHome::writeFile(file, QByteArray(1000, 'x')));
    QByteArray bytes;
    QCOMPARE(readFileBytes(file, bytes, 1000), FileStatus::Ok);
    QCOMPARE(bytes.size(), 1000);
    QCOMPARE(readFileBytes(file, bytes, 999), FileStatus::TooLarge);
    QCOMPARE(bytes.size(), 1000); // left as it was
    QCOMPARE(readFileBytes(home.path("absent.qvt"), bytes, 999), FileStatus::Missing);
    QCOMPARE(frenchReason(FileStatus::TooLarge, 4 << 20), QStringLiteral("est trop volumineux (plus de 4 Mo)"));
}

void tst_TextFiles::createdFilesGetTheirModeWhateverTheUmask()
{
    TestHome home;
    const Umask restrictive(077);
    const QString own = home.path("ConfQVT_eleve1.ini");
    QCOMPARE(replaceFileBytes(own, "[Options]\r\n"), FileStatus::Ok);
    QCOMPARE(TestHome::modeOf(own), unsigned(0644));
    // A file replaced keeps the rights it had.
    QVERIFY(QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(writeTextFile(own, {"[Options]"}));
    QCOMPARE(TestHome::modeOf(own), unsigned(0600));

    const QString shared = home.path("Resultat.txt");
    AppendingTextFile out;
    QVERIFY(out.open(shared, kModeFichierPartage));
    QCOMPARE(TestHome::modeOf(shared), unsigned(0666));
    out.close();
    // An existing file is only opened, its rights untouched.
    QVERIFY(QFile::setPermissions(shared, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(out.open(shared, kModeFichierPartage));
    QCOMPARE(TestHome::modeOf(shared), unsigned(0600));
}

void tst_TextFiles::failedAppendCutsBackToTheLastWholeRecord()
{
    TestHome home;
    PetitDisque disque(home.path("disque"), 4096);
    const QString file = home.path("disque/Resultat.txt");
    AppendingTextFile out;
    QVERIFY(out.open(file));
    const QStringList record = {QString(60, 'a'), QString(60, 'b'), QString(52, '*')}; // 178 bytes
    int whole = 0;
    while (out.writeLines(record))
        ++whole;
    QVERIFY(whole > 0);
    QVERIFY(!out.isOpen());
    // Whole records only: the one that failed left nothing.
    const QByteArray one = QByteArray(60, 'a') + "\r\n" + QByteArray(60, 'b') + "\r\n" + QByteArray(52, '*') + "\r\n";
    QCOMPARE(TestHome::readFile(file), one.repeated(whole));
    QVERIFY(qint64(one.size()) * (whole + 1) > 4096);

    // Space comes back: nothing of the failed record appears.
    disque.liberer();
    QVERIFY(!out.writeLines(record));
    QCOMPARE(TestHome::readFile(file), one.repeated(whole));
}

void tst_TextFiles::viewCopyIsReadOnlyAndGoesWithTheProgram()
{
    TestHome home;
    const QString tmp = home.path("tmp");
    QVERIFY(QDir().mkpath(tmp));
    const QByteArray avant = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp));
    // A program that makes a copy, then ends as the program does.
    QProcess programme;
    programme.start(QStringLiteral(WAVIX_AUTRE_COMPTE), {"copie", "Réponses de Léa\r\n"});
    QVERIFY(programme.waitForFinished(30000));
    if (avant.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", avant);
    QCOMPARE(programme.exitCode(), 0);
    // While it ran: UTF-8, readable by its owner alone, in a folder of its own.
    const QStringList vue = QString::fromLocal8Bit(programme.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(vue.size(), 4);
    const QString copie = vue[0];
    QVERIFY2(copie.startsWith(tmp + "/wavix-vues-"), qPrintable(copie));
    QCOMPARE(vue[1], QStringLiteral("400"));
    QCOMPARE(vue[2], QStringLiteral("700"));
    QCOMPARE(vue[3].trimmed(), QStringLiteral("Réponses de Léa"));
    // Gone with the program, its folder too.
    QVERIFY(!QFileInfo::exists(copie));
    QVERIFY(QDir(tmp).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

void tst_TextFiles::viewCopyFolderIsMadeAgain()
{
    // The folder of the copies removed (by a cleaner of the temporary
    // folder), or the temporary folder changed: the next copy is made all
    // the same, in the temporary folder of now.
    TestHome home;
    const QByteArray avant = qgetenv("TMPDIR");
    for (const char* dossier : {"tmp1", "tmp2"}) {
        QVERIFY(QDir().mkpath(home.path(dossier)));
        qputenv("TMPDIR", QFile::encodeName(home.path(dossier)));
        const QString premiere = writeViewCopy("un", "essai");
        QVERIFY2(premiere.startsWith(home.path(dossier) + "/wavix-vues-"), qPrintable(premiere));
        QVERIFY(QDir(QFileInfo(premiere).path()).removeRecursively());
        const QString seconde = writeViewCopy("deux", "essai");
        QVERIFY2(seconde.startsWith(home.path(dossier) + "/wavix-vues-"), qPrintable(seconde));
        QCOMPARE(TestHome::readFile(seconde), QByteArray("deux"));
    }
    if (avant.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", avant);
}

QTEST_MAIN(tst_TextFiles)
#include "tst_textfiles.moc"
