// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formharness.h"

#include <QAccessible>

// What a screen reader can say of every control and of the drawn picture.
class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepareTestApplication(); }
    void everyControlHasASpokenName_data();
    void everyControlHasASpokenName();
    void surfaceDescribesThePlaneAndItsLines();

private:
    static QString Spoken(QWidget *widget, QAccessible::Text what)
    {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(what) : QString();
    }
};

void TestAccessibility::everyControlHasASpokenName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const char *rows[][2] = {
        {"Option1(0)", "１"},
        {"Option1(7)", "８"},
        {"Text1", "ａ"},
        {"Text2", "ｂ"},
        {"Text3", "ｃ"},
        {"Text4", "変域の始め"},
        {"Text5", "変域の終わり"},
        {"Command4", "線を引く"},
        {"Command5", "線を消す"},
        {"Command2", "初期画面"},
        {"Command1", "終了"},
        {"Command3(0)", "座標平面の大きさ 小"},
        {"Command3(1)", "座標平面の大きさ 中"},
        {"Command3(2)", "座標平面の大きさ 大"},
        {"Picture1", "座標平面"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromUtf8(row[1]);
}

void TestAccessibility::everyControlHasASpokenName()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    FormHarness h;
    QWidget *widget = h.Control(control);
    QVERIFY(widget);
    QCOMPARE(Spoken(widget, QAccessible::Name), name);
}

void TestAccessibility::surfaceDescribesThePlaneAndItsLines()
{
    FormHarness h;
    QWidget *surface = h.Control(QStringLiteral("Picture1"));
    QCOMPARE(Spoken(surface, QAccessible::Description),
             QStringLiteral("座標平面 大きさ中。直線なし"));

    h.Click(h.SlotButton(2));
    for (const char *value : {"1", "2", "4", "-2", "6"})
        h.TypeAndEnter(QString::fromLatin1(value));
    h.Click(h.Button(QStringLiteral("Command4")));
    for (const char *value : {"2", "0", "6", "-1", "4.5"})
        h.TypeAndEnter(QString::fromLatin1(value));
    h.Click(h.Button(QStringLiteral("Command4")));
    QCOMPARE(Spoken(surface, QAccessible::Description),
             QStringLiteral("座標平面 大きさ中。直線3: 1x + 2y = 4, -2 ≦ x ≦ 6。"
                            "直線4: 2x + 0y = 6, -1 ≦ y ≦ 4.5"));

    h.Click(h.Button(QStringLiteral("Command3(2)")));
    QVERIFY(Spoken(surface, QAccessible::Description)
                .startsWith(QStringLiteral("座標平面 大きさ大。")));
    h.Click(h.Button(QStringLiteral("Command2")));
    QCOMPARE(Spoken(surface, QAccessible::Description),
             QStringLiteral("座標平面 大きさ大。直線なし"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
