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
    void commandsSayWhatTheyDid();
    void lineIsSpokenAsATeacherWritesIt_data();
    void lineIsSpokenAsATeacherWritesIt();

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
        {"Option1(0)", "１ 空き"},
        {"Option1(7)", "８ 空き"},
        {"Text1", "ａ（χの係数）"},
        {"Text2", "ｂ（ｙの係数）"},
        {"Text3", "ｃ（右辺の数）"},
        {"Text4", "変域の始め（χ）"},
        {"Text5", "変域の終わり（χ）"},
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
             QStringLiteral("座標平面 大きさ中、xもyも −13 から 13 まで。直線なし"));

    h.Click(h.SlotButton(2));
    h.TypeFirstLine();
    h.Click(h.Button(QStringLiteral("Command4")));
    h.TypeLine({QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("6"), QStringLiteral("-1"),
                QStringLiteral("4.5")});
    h.Click(h.Button(QStringLiteral("Command4")));
    QCOMPARE(Spoken(surface, QAccessible::Description),
             QStringLiteral("座標平面 大きさ中、xもyも −13 から 13 まで。"
                            "直線３: x + 2y = 4, −2 ≦ x ≦ 6。直線４: 2x = 6, −1 ≦ y ≦ 4.5"));
    // The slot buttons say what they hold, the range boxes what they range.
    QCOMPARE(Spoken(h.SlotButton(2), QAccessible::Name),
             QStringLiteral("３ x + 2y = 4, −2 ≦ x ≦ 6"));
    h.Click(h.SlotButton(3));
    QCOMPARE(Spoken(h.Box(5), QAccessible::Name), QStringLiteral("変域の終わり（ｙ）"));

    h.Click(h.Button(QStringLiteral("Command3(2)")));
    QVERIFY(Spoken(surface, QAccessible::Description)
                .startsWith(QStringLiteral("座標平面 大きさ大、xもyも −21 から 21 まで。")));
    h.Click(h.Button(QStringLiteral("Command2")));
    QCOMPARE(Spoken(surface, QAccessible::Description),
             QStringLiteral("座標平面 大きさ大、xもyも −21 から 21 まで。直線なし"));
}

// What a command did is said by a notification that appears once the
// command has moved the focus where it ends.
void TestAccessibility::commandsSayWhatTheyDid()
{
    FormHarness h;
    QWidget *announcer = h.Control(QStringLiteral("Announcer"));
    QVERIFY(announcer && announcer->isHidden());
    QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->role(), QAccessible::Notification);
    const auto said = [announcer] {
        QCoreApplication::processEvents();
        return Spoken(announcer, QAccessible::Name);
    };
    h.TypeFirstLine();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
    QCOMPARE(said(), QStringLiteral("直線１を引きました: x + 2y = 4, −2 ≦ x ≦ 6。次は２ 空き"));

    h.Click(h.Button(QStringLiteral("Command3(2)")));
    QCOMPARE(said(), QStringLiteral("座標平面 大きさ大、xもyも −21 から 21 まで。"
                                    "直線１: x + 2y = 4, −2 ≦ x ≦ 6"));
    // Slot ２ holds no line, so nothing was erased, and the pupil hears so.
    h.Click(h.Button(QStringLiteral("Command5")));
    QCOMPARE(said(), QStringLiteral("直線２は空きなので、消す線はありません"));
    h.Click(h.SlotButton(0));
    h.Click(h.Button(QStringLiteral("Command5")));
    QCOMPARE(said(), QStringLiteral("直線１を消しました"));
    h.Click(h.Button(QStringLiteral("Command2")));
    QCOMPARE(said(), QStringLiteral(
                         "すべての直線を消しました。座標平面 大きさ大、xもyも −21 から 21 まで"));
}

void TestAccessibility::lineIsSpokenAsATeacherWritesIt_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("spoken");
    const auto row = [](const char *name, const char *a, const char *b, const char *c,
                        const char *spoken) {
        QTest::newRow(name) << QStringList{QString::fromUtf8(a), QString::fromUtf8(b),
                                           QString::fromUtf8(c), QStringLiteral("-1"),
                                           QStringLiteral("4")}
                            << QString::fromUtf8(spoken);
    };
    row("minus one", "-1", "1", "2", "−x + y = 2, −1 ≦ x ≦ 4");
    row("negative b", "3", "-2.5", "-4", "3x − 2.5y = −4, −1 ≦ x ≦ 4");
    row("no x", "0", "2", "4", "2y = 4, −1 ≦ x ≦ 4");
    row("vertical", "1", "0", "3", "x = 3, −1 ≦ y ≦ 4");
    row("no line", "0", "0", "3", "0 = 3、aもbも0なので直線になりません");
    row("too far", "1", "1", "3E38", "x + y = 3E+38, −1 ≦ x ≦ 4、大きすぎて描けません");
}

void TestAccessibility::lineIsSpokenAsATeacherWritesIt()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, spoken);
    FormHarness h;
    h.StoreLine(0, typed);
    h.Click(h.Button(QStringLiteral("Command3(1)")));
    QCOMPARE(Spoken(h.Control(QStringLiteral("Picture1")), QAccessible::Description)
                 .section(QStringLiteral("。"), 1),
             QStringLiteral("直線１: ") + spoken);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
