#include "platform/VbConversions.h"

#include <QtTest>

#include <cmath>
#include <limits>

using OptionalInt = std::optional<int32_t>;
Q_DECLARE_METATYPE(OptionalInt)

class tst_VbConversions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void val_data();
    void val();
    void str_data();
    void str();
    void strSingle_data();
    void strSingle();
    void roundHalfEven_data();
    void roundHalfEven();
    void parseBoundedInteger_data();
    void parseBoundedInteger();
};

void tst_VbConversions::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("number then letters") << "12abc" << 12.0;
    QTest::newRow("blanks skipped") << " 1 2" << 12.0;
    QTest::newRow("tab and blanks in a decimal") << "\t- 1 . 5" << -1.5;
    QTest::newRow("exponent then letter") << "-3.5e2x" << -350.0;
    QTest::newRow("D exponent") << "1.5D2" << 150.0;
    QTest::newRow("exponent with no digits") << "7e" << 7.0;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("decimal comma ends it") << "1,5" << 1.0;
    QTest::newRow("hexadecimal") << "&HFF" << 255.0;
    QTest::newRow("hexadecimal lower case, then letters") << "&hffz" << 255.0;
    QTest::newRow("hexadecimal 16-bit negative") << "&H8000" << -32768.0;
    QTest::newRow("hexadecimal all ones") << "&HFFFF" << -1.0;
    QTest::newRow("hexadecimal above 16 bits") << "&H10000" << 65536.0;
    QTest::newRow("hexadecimal 32-bit negative") << "&HFFFFFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O78" << 7.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
}

void tst_VbConversions::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void tst_VbConversions::str_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole") << 255.0 << "255";
    QTest::newRow("negative") << -1.5 << "-1.5";
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("15 digits hide the binary error") << 0.1 + 0.2 << "0.3";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("largest without exponent") << 999999999999999.0 << "999999999999999";
    QTest::newRow("large") << 1e16 << "1E+16";
    QTest::newRow("large, rounded to 15 digits") << 123456789012345678.0 << "1.23456789012346E+17";
    QTest::newRow("small") << 1e-7 << "1E-07";
    QTest::newRow("small negative") << -2.5e-5 << "-2.5E-05";
    QTest::newRow("ten thousandth") << 0.0001 << "0.0001";
    QTest::newRow("huge exponent") << 1e300 << "1E+300";
}

void tst_VbConversions::str()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(Str(value), expected);
}

void tst_VbConversions::strSingle_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("tenth") << 0.1f << "0.1";
    QTest::newRow("whole") << 12.0f << "12";
    QTest::newRow("third") << 1.0f / 3.0f << "0.3333333";
    QTest::newRow("negative") << -2.75f << "-2.75";
    QTest::newRow("large") << 1e8f << "1E+08";
}

void tst_VbConversions::strSingle()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(StrSingle(value), expected);
}

void tst_VbConversions::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<OptionalInt>("expected");

    QTest::newRow("0.5") << 0.5 << OptionalInt(0);
    QTest::newRow("1.5") << 1.5 << OptionalInt(2);
    QTest::newRow("2.5") << 2.5 << OptionalInt(2);
    QTest::newRow("-2.5") << -2.5 << OptionalInt(-2);
    QTest::newRow("-3.5") << -3.5 << OptionalInt(-4);
    QTest::newRow("below half") << 2.4999 << OptionalInt(2);
    QTest::newRow("above half") << -2.5001 << OptionalInt(-3);
    QTest::newRow("largest") << 2147483647.4 << OptionalInt(2147483647);
    QTest::newRow("smallest") << -2147483648.0 << OptionalInt(std::numeric_limits<int32_t>::min());
    QTest::newRow("just too large") << 2147483647.5 << OptionalInt();
    QTest::newRow("too large") << 3e10 << OptionalInt();
    QTest::newRow("too small") << -2147483649.0 << OptionalInt();
    QTest::newRow("NaN") << std::nan("") << OptionalInt();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << OptionalInt();
}

void tst_VbConversions::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(OptionalInt, expected);
    QCOMPARE(roundHalfEvenToInt32(value), expected);
}

void tst_VbConversions::parseBoundedInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptionalInt>("expected");

    // Range [-100, 100].
    QTest::newRow("whole") << "42" << OptionalInt(42);
    QTest::newRow("surrounding blanks") << "  -7 " << OptionalInt(-7);
    QTest::newRow("decimal rounds half to even") << "2.5" << OptionalInt(2);
    QTest::newRow("decimal rounds up") << "2.6" << OptionalInt(3);
    QTest::newRow("exponent") << "1e2" << OptionalInt(100);
    QTest::newRow("lower bound") << "-100" << OptionalInt(-100);
    QTest::newRow("rounds past the bound") << "100.6" << OptionalInt();
    QTest::newRow("above") << "101" << OptionalInt();
    QTest::newRow("below") << "-101" << OptionalInt();
    QTest::newRow("beyond 32 bits") << "99999999999" << OptionalInt();
    QTest::newRow("number then letters") << "12abc" << OptionalInt();
    QTest::newRow("letters") << "abc" << OptionalInt();
    QTest::newRow("decimal comma") << "1,5" << OptionalInt();
    QTest::newRow("empty") << "" << OptionalInt();
    QTest::newRow("blank") << "   " << OptionalInt();
}

void tst_VbConversions::parseBoundedInteger()
{
    QFETCH(QString, text);
    QFETCH(OptionalInt, expected);
    QCOMPARE(::parseBoundedInteger(text, -100, 100), expected);
}

QTEST_MAIN(tst_VbConversions)
#include "tst_vbconversions.moc"
