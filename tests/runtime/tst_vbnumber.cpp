// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/vbnumber.h"
#include "support/sevendigits.h"

#include <QtTest>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// QCOMPARE compares doubles fuzzily, but these rules must hold to the last
// bit, so the checks compare exactly and report all seventeen digits.
QString describe(double value)
{
    return QString::number(value, 'g', 17);
}

// std::bit_cast is missing from emscripten's C++ library, where these
// tables run too.
float singleFromBits(quint32 bits)
{
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float sevenDigitSingle(float value)
{
    return SevenDigitSingle(value).value_or(value);
}

// The decimal digits of 5^n. 5^1076 * 10^-1075 is exactly halfway between
// the second and third smallest positive doubles, a tie that only a reader
// keeping all of its 753 digits decides right.
QString powerOfFive(int n)
{
    std::vector<int> digits{1}; // Least significant first.
    for (int i = 0; i < n; ++i) {
        int carry = 0;
        for (int &digit : digits) {
            const int product = digit * 5 + carry;
            digit = product % 10;
            carry = product / 10;
        }
        if (carry > 0)
            digits.push_back(carry);
    }
    QString text;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it)
        text += QChar(u'0' + *it);
    return text;
}

} // namespace

class TestVbNumber : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void val_data();
    void val();
    void valNeverNaN();
    void toSingle_data();
    void toSingle();
    void str_data();
    void str();
    void roundTripClassroomValues_data();
    void roundTripClassroomValues();
    void roundTripRandomSingles();
};

void TestVbNumber::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    const auto row = [](const char *name, const QString &text, double expected) {
        QTest::newRow(name) << text << expected;
    };
    // Plain decimals and where reading stops.
    row("integer", QStringLiteral("12"), 12);
    row("12abc", QStringLiteral("12abc"), 12);
    row(".5", QStringLiteral(".5"), 0.5);
    row("5.", QStringLiteral("5."), 5);
    row("-.25", QStringLiteral("-.25"), -0.25);
    row("0.0", QStringLiteral("0.0"), 0);
    row("0.1", QStringLiteral("0.1"), 0.1);
    row("1.2.3", QStringLiteral("1.2.3"), 1.2);
    row("+7", QStringLiteral("+7"), 7);
    row("1E", QStringLiteral("1E"), 1);
    row("1E+", QStringLiteral("1E+"), 1);
    row("1D2", QStringLiteral("1D2"), 100);
    row("1d-2", QStringLiteral("1d-2"), 0.01);
    row("2.5e3", QStringLiteral("2.5e3"), 2500);
    row("1E2E3", QStringLiteral("1E2E3"), 100);
    // Texts without a number.
    row("empty", QString(), 0);
    row("point", QStringLiteral("."), 0);
    row("minus", QStringLiteral("-"), 0);
    row("plus", QStringLiteral("+"), 0);
    row("--5", QStringLiteral("--5"), 0);
    row("+-5", QStringLiteral("+-5"), 0);
    row("abc", QStringLiteral("abc"), 0);
    row("x", QStringLiteral("x"), 0);
    row("E5", QStringLiteral("E5"), 0);
    row("NUL stops", QStringLiteral("1") + QChar(0) + QStringLiteral("2"), 1);
    // Blanks anywhere.
    row("1 2", QStringLiteral("1 2"), 12);
    row(" - 5", QStringLiteral(" - 5"), -5);
    row("tabs and line feeds", QStringLiteral("\t1\n.\t5 E\n1"), 15);
    row("ideographic space", QStringLiteral("1\u30002"), 12);
    row("carriage return stops", QStringLiteral("1\r2"), 1);
    // Full-width forms.
    row("full-width 2", QStringLiteral("\uFF12"), 2);
    row("full-width -3.5", QStringLiteral("\uFF0D\uFF13\uFF0E\uFF15"), -3.5);
    row("full-width 1E2", QStringLiteral("\uFF11\uFF25\uFF12"), 100);
    row("full-width 1e2", QStringLiteral("\uFF11\uFF45\uFF12"), 100);
    row("full-width &H10", QStringLiteral("\uFF06\uFF28\uFF11\uFF10"), 16);
    // The minus keys of Japanese and other input methods.
    row("long vowel mark 3", QStringLiteral("\u30FC\uFF13"), -3);
    row("minus sign .5", QStringLiteral("\u2212.5"), -0.5);
    row("hyphen, blank, 4", QStringLiteral("\u2010 4"), -4);
    row("1E long vowel mark 2", QStringLiteral("1E\u30FC2"), 0.01);
    row("3 long vowel mark 1", QStringLiteral("3\u30FC1"), 3);
    row("two long vowel marks", QStringLiteral("\u30FC\u30FC5"), 0);
    // Hexadecimal and octal as the old 16- and 32-bit integers.
    row("&H10", QStringLiteral("&H10"), 16);
    row("&hff", QStringLiteral("&hff"), 255);
    row("&H7FFF", QStringLiteral("&H7FFF"), 32767);
    row("&H8000", QStringLiteral("&H8000"), -32768);
    row("&HFFFF", QStringLiteral("&HFFFF"), -1);
    row("&H10000", QStringLiteral("&H10000"), 65536);
    row("&HFFFFFFFF", QStringLiteral("&HFFFFFFFF"), -1);
    row("&H80000000", QStringLiteral("&H80000000"), -2147483648.0);
    row("&H100000000", QStringLiteral("&H100000000"), kInf);
    row("leading zeros", QStringLiteral("&H0000000000000000FFFF"), -1);
    row("&H1G", QStringLiteral("&H1G"), 1);
    row("blanks in hex", QStringLiteral(" & H 1 0"), 16);
    row("&H", QStringLiteral("&H"), 0);
    row("&", QStringLiteral("&"), 0);
    row("&Q1", QStringLiteral("&Q1"), 0);
    row("-&H10", QStringLiteral("-&H10"), 0);
    row("&O17", QStringLiteral("&O17"), 15);
    row("&O177777", QStringLiteral("&O177777"), -1);
    row("&O8", QStringLiteral("&O8"), 0);
    row("&O40000000000", QStringLiteral("&O40000000000"), kInf);
    // Range ends, huge exponents and long texts.
    row("1E308", QStringLiteral("1E308"), 1e308);
    row("max double", QStringLiteral("1.7976931348623157E308"), 1.7976931348623157e308);
    row("above max", QStringLiteral("1.7976931348623159E308"), kInf);
    row("1E999999999", QStringLiteral("1E999999999"), kInf);
    row("-1E999999999", QStringLiteral("-1E999999999"), -kInf);
    row("1E-huge", QStringLiteral("1E-99999999999999999999"), 0);
    row("0E huge", QStringLiteral("0E99999999999999999999"), 0);
    row("4.9E-324", QStringLiteral("4.9E-324"), std::numeric_limits<double>::denorm_min());
    row("just above half denorm", QStringLiteral("2.4703282292062328E-324"),
        std::numeric_limits<double>::denorm_min());
    row("just below half denorm", QStringLiteral("2.4703282292062327E-324"), 0);
    row("min normal", QStringLiteral("2.2250738585072014E-308"), 2.2250738585072014e-308);
    row("-1E-400", QStringLiteral("-1E-400"), 0);
    const QString zeros(1000, QLatin1Char('0'));
    row("halfway rounds to even", QStringLiteral("9007199254740993.") + zeros, 9007199254740992.0);
    row("just above halfway",
        QStringLiteral("9007199254740993") + zeros + QStringLiteral("1E-1001"), 9007199254740994.0);
    const double denorm = std::numeric_limits<double>::denorm_min();
    row("long tie rounds to even", powerOfFive(1076) + QStringLiteral("E-1075"), 2 * denorm);
    row("long tie plus a little", powerOfFive(1076) + QStringLiteral("1E-1076"), 3 * denorm);
    row("tie above 1", QStringLiteral("1.00000000000000011102230246251565404236316680908203125"),
        1);
    row("400 digits", QStringLiteral("1") + QString(399, QLatin1Char('0')), kInf);
    row("400 digits scaled",
        QStringLiteral("12345") + QString(395, QLatin1Char('0')) + QStringLiteral("E-399"), 1.2345);
    row("100000 nines", QString(100000, QLatin1Char('9')), kInf);
    row("100000 digits scaled",
        QStringLiteral("1") + QString(99999, QLatin1Char('0')) + QStringLiteral("E-99999"), 1);
    row("tiny fraction scaled",
        QStringLiteral(".") + QString(99998, QLatin1Char('0')) + QStringLiteral("1E99999"), 1);
    row("1 and 99999 blanks", QStringLiteral("1") + QString(99999, QLatin1Char(' ')), 1);
}

void TestVbNumber::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = vb::Val(text);
    QVERIFY2(actual == expected,
             qPrintable(describe(actual) + QStringLiteral(" != ") + describe(expected)));
}

void TestVbNumber::valNeverNaN()
{
    // Short texts from the characters the reader cares about must never
    // produce NaN, and must not trip the sanitizers.
    const QString alphabet = QStringLiteral("0123456789.+-eEdD&HhOoF \t\uFF10\uFF0E");
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        const int length = static_cast<int>(random() % 24);
        for (int k = 0; k < length; ++k)
            text += alphabet.at(static_cast<qsizetype>(random() % alphabet.size()));
        QVERIFY2(!std::isnan(vb::Val(text)), qPrintable(text));
    }
}

void TestVbNumber::toSingle_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("expected");

    const double threshold = 0x1.ffffffp127;
    const float fInf = std::numeric_limits<float>::infinity();
    QTest::newRow("0.1") << 0.1 << 0.1f;
    QTest::newRow("1e39") << 1e39 << fInf;
    QTest::newRow("-1e39") << -1e39 << -fInf;
    QTest::newRow("threshold") << 3.4028235677973366e38 << fInf;
    QTest::newRow("-threshold") << -threshold << -fInf;
    QTest::newRow("below threshold") << std::nextafter(threshold, 0.0) << FLT_MAX;
    QTest::newRow("-below threshold") << -std::nextafter(threshold, 0.0) << -FLT_MAX;
    QTest::newRow("FLT_MAX") << double(FLT_MAX) << FLT_MAX;
    QTest::newRow("double max") << DBL_MAX << fInf;
    QTest::newRow("tie to even") << 16777217.0 << 16777216.0f;
    QTest::newRow("1e-45") << 1e-45 << std::numeric_limits<float>::denorm_min();
    QTest::newRow("7e-46") << 7e-46 << 0.0f;
    QTest::newRow("1e-50") << 1e-50 << 0.0f;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN()
                         << std::numeric_limits<float>::quiet_NaN();
}

void TestVbNumber::toSingle()
{
    QFETCH(double, value);
    QFETCH(float, expected);
    const float actual = vb::ToSingle(value);
    if (std::isnan(expected))
        QVERIFY(std::isnan(actual));
    else
        QVERIFY2(actual == expected,
                 qPrintable(describe(actual) + QStringLiteral(" != ") + describe(expected)));
}

void TestVbNumber::str_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *expected, float value) {
        QTest::newRow(expected) << value << QString::fromLatin1(expected);
    };
    row(" 0", 0.0f);
    QTest::newRow("-0") << -0.0f << QStringLiteral(" 0");
    row(" 5", 5.0f);
    row("-10", -10.0f);
    row(" 3", 3.0f);
    row(" 1.5", 1.5f);
    row(" .1", 0.1f);
    row(" .5", 0.5f);
    row("-.25", -0.25f);
    row(" .3333333", 1.0f / 3);
    row(" .6666667", 2.0f / 3);
    row(" .0001", 1e-4f);
    // Plain decimals as long as seven places hold the digits, then the
    // exponent form.
    row(" .00001", 1e-5f);
    row("-.00001", -1e-5f);
    row(" .00005", 5e-5f);
    row(" .000005", 5e-6f);
    row(" .0000012", 1.2e-6f);
    row(" .0000001", 1e-7f);
    row(" 1.5E-07", 1.5e-7f);
    row(" 1E-08", 1e-8f);
    row(" 1.234E-05", 1.234e-5f);
    row(" 1.234567E-02", 0.01234567f);
    row(" 123.456", 123.456f);
    row(" 1000000", 1e6f);
    row(" 9999999", 9999999.0f);
    row(" 1E+07", 1e7f);
    row(" 1.234568E+07", 12345678.0f);
    row("-1.234568E+07", -12345678.0f);
    row(" 1.234568E+10", 12345678901.0f);
    // Exactly halfway between two seven-digit texts: away from zero.
    row(" 654322.3", 654322.25f);
    row("-654322.3", -654322.25f);
    row(" 1.439679E+07", 14396785.0f);
    // Just below halfway (1.00484549999237...): a shorter rounded text would
    // look like a tie, but it must not round up.
    row(" 1.004845", 1.0048455f);
    row(" 3.402823E+38", FLT_MAX);
    row(" 1.401298E-45", std::numeric_limits<float>::denorm_min());
    row(" 1.#INF", std::numeric_limits<float>::infinity());
    row("-1.#INF", -std::numeric_limits<float>::infinity());
    row(" NaN", std::numeric_limits<float>::quiet_NaN());
}

void TestVbNumber::str()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(vb::Str(value), expected);
}

void TestVbNumber::roundTripClassroomValues_data()
{
    QTest::addColumn<float>("value");
    for (float value : {0.1f, 1.5f, -2.0f, 12.25f, 0.3333333f, -0.5f, 3.14f, 100.0f, 0.01f, -7.75f,
                        2.5e-3f, 1e7f, 65536.0f})
        QTest::newRow(qPrintable(vb::Str(value))) << value;
}

void TestVbNumber::roundTripClassroomValues()
{
    QFETCH(float, value);
    QCOMPARE(vb::ToSingle(vb::Val(vb::Str(value))), value);
}

void TestVbNumber::roundTripRandomSingles()
{
    std::mt19937 random(20240601);
    int checked = 0;
    while (checked < 5000) {
        const float value = singleFromBits(static_cast<quint32>(random()));
        if (!std::isfinite(value))
            continue;
        ++checked;
        const QString text = vb::Str(value);
        const float back = vb::ToSingle(vb::Val(text));
        QVERIFY2(back == sevenDigitSingle(value), qPrintable(text));
    }
}

QTEST_APPLESS_MAIN(TestVbNumber)

#include "tst_vbnumber.moc"
