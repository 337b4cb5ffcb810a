#include "services/ModFonctions.h"

#include <QtTest>

class tst_ModFonctions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void remplacer_data();
    void remplacer();
    void recomposerLignes_data();
    void recomposerLignes();
    void splitString_data();
    void splitString();
    void arrondi_data();
    void arrondi();
};

void tst_ModFonctions::remplacer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal comma") << "1,5" << "," << "." << "1.5";
    QTest::newRow("every occurrence") << "1.2.3" << "." << "" << "123";
    // The search resumes one character after the replaced occurrence, so the
    // second point, moved onto that character, is passed over.
    QTest::newRow("adjacent occurrences") << "1..2" << "." << "" << "1.2";
    QTest::newRow("longer search and replacement") << "a<br>b<br>" << "<br>" << "\r\n"
                                                   << "a\r\nb\r\n";
    QTest::newRow("case matters") << "Volt volt" << "volt" << "V" << "Volt V";
    QTest::newRow("not found") << "abc" << "x" << "y" << "abc";
    QTest::newRow("empty text") << "" << "," << "." << "";
    QTest::newRow("empty search") << "a,b" << "" << "." << "a,b";
}

void tst_ModFonctions::remplacer()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);

    Remplacer(text, search, replacement);
    QCOMPARE(text, expected);
}

void tst_ModFonctions::recomposerLignes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");

    QTest::newRow("final line end dropped") << "abc\r\n" << "" << "abc";
    QTest::newRow("two lines") << "a\r\nb" << "-" << "a-b";
    QTest::newRow("three lines, final line end") << "a\r\nb\r\nc\r\n" << " / " << "a / b / c";
    QTest::newRow("empty line inside") << "a\r\n\r\nb" << "-" << "a--b";
    QTest::newRow("no line end") << "abc" << "-" << "abc";
    QTest::newRow("LF alone is no line end") << "a\nb" << "-" << "a\nb";
    QTest::newRow("starts with a line end") << "\r\nabc" << "-" << "\r\nabc";
    QTest::newRow("only empty lines before") << "\r\n\r\nabc" << "-" << "\r\n\r\nabc";
    QTest::newRow("empty") << "" << "-" << "";
}

void tst_ModFonctions::recomposerLignes()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(RecomposerLignes(text, separator), expected);
}

void tst_ModFonctions::splitString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no delimiter") << "abc" << QStringList{"abc"};
    QTest::newRow("trailing delimiter") << "a/b/" << QStringList{"a", "b", ""};
    QTest::newRow("leading delimiter") << "/a" << QStringList{"", "a"};
    QTest::newRow("delimiters only") << "//" << QStringList{"", "", ""};
    QTest::newRow("empty") << "" << QStringList{};
}

void tst_ModFonctions::splitString()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(SplitString(text, QLatin1Char('/')), expected);
}

void tst_ModFonctions::arrondi_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("expected");

    QTest::newRow("half up") << 2.5 << 0 << 3.0;
    QTest::newRow("half away from zero") << -2.5 << 0 << -3.0;
    QTest::newRow("below half") << 1.234 << 2 << 1.23;
    QTest::newRow("above half") << 1.236 << 2 << 1.24;
    QTest::newRow("negative half") << -1.25 << 1 << -1.3;
    QTest::newRow("zero") << 0.0 << 3 << 0.0;
    QTest::newRow("whole kept") << 12345.0 << 2 << 12345.0;
    // The decimal a user reads is rounded, whatever the double holds.
    QTest::newRow("0.15 rounds up") << 0.15 << 1 << 0.2;
    QTest::newRow("-0.15 rounds away") << -0.15 << 1 << -0.2;
    QTest::newRow("0.45 rounds up") << 0.45 << 1 << 0.5;
}

void tst_ModFonctions::arrondi()
{
    QFETCH(double, x);
    QFETCH(int, n);
    QFETCH(double, expected);
    QCOMPARE(Arrondi(x, n), expected);
}

QTEST_MAIN(tst_ModFonctions)
#include "tst_modfonctions.moc"
