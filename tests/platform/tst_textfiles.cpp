#include "TestHome.h"

#include "platform/TextCodec.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QtTest>

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
};

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

    QTest::newRow("ASCII") << "abc" << QByteArray("abc");
    QTest::newRow("Latin-1") << "Dépôt ÿ" << QByteArray("D\xE9p\xF4t \xFF");
    QTest::newRow("high block") << "€œ’" << QByteArray("\x80\x9C\x92");
    QTest::newRow("missing characters") << "Ω→ŝ" << QByteArray("???");
    QTest::newRow("missing between known ones") << "aΩé" << QByteArray("a?\xE9");
}

void tst_TextFiles::encodeWindows1252()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(::encodeWindows1252(text), expected);
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

QTEST_MAIN(tst_TextFiles)
#include "tst_textfiles.moc"
