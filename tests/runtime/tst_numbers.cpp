// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/numbertables.h"
#include "runtime/numbers.h"
#include "support/sevendigits.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// QCOMPARE compares doubles fuzzily, but these rules must hold to the last
// bit, so the checks compare exactly and report all seventeen digits.
QString describe(double value)
{
    return QString::number(value, 'g', 17);
}

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
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");
    for (const numbertables::ValRow &row : numbertables::ValRows())
        QTest::newRow(row.name.c_str()) << QByteArray::fromStdString(row.text) << row.expected;
}

void TestVbNumber::val()
{
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    const double actual = ReadNumber(text.toStdString());
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
        QVERIFY2(!std::isnan(ReadNumber(text.toStdString())), qPrintable(text));
    }
}

void TestVbNumber::toSingle_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("expected");

    for (const numbertables::SingleRow &row : numbertables::ToSingleRows())
        QTest::newRow(row.name) << row.value << row.expected;
}

void TestVbNumber::toSingle()
{
    QFETCH(double, value);
    QFETCH(float, expected);
    const float actual = ToSingle(value);
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

    for (const numbertables::StrRow &row : numbertables::StrRows())
        QTest::newRow(row.name) << row.value << QString::fromUtf8(row.expected);
}

void TestVbNumber::str()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(NumberText(value)), expected);
}

void TestVbNumber::roundTripClassroomValues_data()
{
    QTest::addColumn<float>("value");
    for (const float value : numbertables::ClassroomValues())
        QTest::newRow(NumberText(value).c_str()) << value;
}

void TestVbNumber::roundTripClassroomValues()
{
    QFETCH(float, value);
    QCOMPARE(ToSingle(ReadNumber(NumberText(value))), value);
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
        const std::string text = NumberText(value);
        const float back = ToSingle(ReadNumber(text));
        QVERIFY2(back == sevenDigitSingle(value), text.c_str());
    }
}

QTEST_APPLESS_MAIN(TestVbNumber)

#include "tst_numbers.moc"
