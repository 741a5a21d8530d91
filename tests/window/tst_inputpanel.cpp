// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/coreharness.h"

#include <QTest>

// The slot buttons, the five boxes and the range caption, driven through
// The window's input panel as the mouse and the keyboard drive it.
class TestInputPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choosingAnEmptySlotEmptiesTheBoxes();
    void enterWalksThroughTheBoxesToTheDrawButton();
    void otherKeysOnlyEdit();
    void rangeCaptionFollowsB_data();
    void rangeCaptionFollowsB();
    void emptyingBLeavesTheCaption();
    void recallingAVerticalLineShowsTheYRange();
    void recallShowsStoredValuesNotTypedTexts();
    void arrowKeysMoveTheSelection();
};

void TestInputPanel::choosingAnEmptySlotEmptiesTheBoxes()
{
    CoreHarness h;
    h.TypeLine(QStringList(5, QStringLiteral("7")));
    h.PressSlot(2);
    QVERIFY(h.form.Control(controls::SlotButtons[2]).checked);
    QVERIFY(!h.form.Control(controls::SlotButtons[0]).checked);
    QCOMPARE(h.form.Contents().Selected(), 2);
    QCOMPARE(h.BoxTexts(), QStringList(5, QString()));
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
}

void TestInputPanel::enterWalksThroughTheBoxesToTheDrawButton()
{
    CoreHarness h;
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
    const QStringList values = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"),
                                QStringLiteral("-2"), QStringLiteral("6")};
    for (int n = 1; n <= 5; ++n) {
        h.TypeAndEnter(values[n - 1]);
        QCOMPARE(h.Focus(),
                 n < 5 ? controls::Boxes[static_cast<std::size_t>(n)] : controls::DrawButton);
        QCOMPARE(h.BoxText(n), values[n - 1]);
    }
    // Enter in the last box only moves on: nothing is drawn or stored yet.
    QVERIFY(!h.form.Contents().Lines().Slot(0).IsDrawn());
    QCOMPARE(h.PixelAt(333, 272), SurfaceYellow);
}

void TestInputPanel::otherKeysOnlyEdit()
{
    CoreHarness h;
    h.Type(QStringLiteral("ab 3"));
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
    QCOMPARE(h.BoxText(1), QStringLiteral("ab 3"));
    h.Backspace();
    QCOMPARE(h.BoxText(1), QStringLiteral("ab "));
}

void TestInputPanel::rangeCaptionFollowsB_data()
{
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("top");
    const int shown = CaptionShownTop;
    const int hidden = CaptionHiddenTop;
    QTest::newRow("0") << QStringLiteral("0") << shown;
    QTest::newRow("0.0") << QStringLiteral("0.0") << shown;
    QTest::newRow("lone minus") << QStringLiteral("-") << shown;
    QTest::newRow("x") << QStringLiteral("x") << shown;
    QTest::newRow("abc") << QStringLiteral("abc") << shown;
    QTest::newRow("full-width zero") << QStringLiteral("０") << shown;
    QTest::newRow("hiragana minus 3") << QStringLiteral("ー３") << hidden;
    QTest::newRow("2") << QStringLiteral("2") << hidden;
    QTest::newRow("blank 5") << QStringLiteral(" 5") << hidden;
    QTest::newRow("0.5") << QStringLiteral("0.5") << hidden;
    // Not 0 as read, although a stored line would round it to 0.
    QTest::newRow("1E-50") << QStringLiteral("1E-50") << hidden;
}

void TestInputPanel::rangeCaptionFollowsB()
{
    QFETCH(QString, b);
    QFETCH(int, top);
    CoreHarness h;
    h.form.FocusedBy(controls::Boxes[box::B]);
    // Start from the other caption, so the typed value has to move it.
    h.Type(top == CaptionShownTop ? QStringLiteral("9") : QStringLiteral("0"));
    QCOMPARE(h.CaptionTop(), top == CaptionShownTop ? CaptionHiddenTop : CaptionShownTop);
    h.Replace(b);
    QCOMPARE(h.BoxText(2), b);
    QCOMPARE(h.CaptionTop(), top);
}

void TestInputPanel::emptyingBLeavesTheCaption()
{
    CoreHarness h;
    h.form.FocusedBy(controls::Boxes[box::B]);
    h.Type(QStringLiteral("0"));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
    h.Backspace();
    QCOMPARE(h.BoxText(2), QString());
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
    // An empty slot empties b too, and still moves nothing.
    h.PressSlot(5);
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
}

void TestInputPanel::recallingAVerticalLineShowsTheYRange()
{
    CoreHarness h;
    // 2x = 6 for y from -1 to 4, and -0.25x + 3y = 0 for x from 1.5 to 0.5.
    h.StoreLine(3, {QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("6"),
                    QStringLiteral("-1"), QStringLiteral("4")});
    h.StoreLine(4, {QStringLiteral("-.25"), QStringLiteral("3"), QStringLiteral("0"),
                    QStringLiteral("1.5"), QStringLiteral(".5")});

    h.PressSlot(3);
    QCOMPARE(h.BoxTexts(),
             (QStringList{QStringLiteral(" 2"), QStringLiteral(" 0"), QStringLiteral(" 6"),
                          QStringLiteral("-1"), QStringLiteral(" 4")}));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);

    h.PressSlot(4);
    QCOMPARE(h.BoxText(1), QStringLiteral("-.25"));
    QCOMPARE(h.BoxText(2), QStringLiteral(" 3"));
    QCOMPARE(h.BoxText(4), QStringLiteral(" 1.5"));
    QCOMPARE(h.BoxText(5), QStringLiteral(" .5"));
    QCOMPARE(h.CaptionTop(), CaptionHiddenTop);

    // A slot emptied by erasing shows nothing of its old numbers.
    h.PressSlot(3);
    h.Press(controls::EraseButton);
    h.PressSlot(4);
    h.PressSlot(3);
    QCOMPARE(h.BoxText(1), QString());
    QCOMPARE(h.CaptionTop(), CaptionHiddenTop);
}

void TestInputPanel::recallShowsStoredValuesNotTypedTexts()
{
    CoreHarness h;
    h.TypeLine({QStringLiteral("1.50"), QStringLiteral(".5"), QStringLiteral("3"),
                QStringLiteral("-2.0"), QStringLiteral("0.1")});
    h.Press(controls::DrawButton);
    h.PressSlot(0);
    QCOMPARE(h.BoxTexts(),
             (QStringList{QStringLiteral(" 1.5"), QStringLiteral(" .5"), QStringLiteral(" 3"),
                          QStringLiteral("-2"), QStringLiteral(" .1")}));
}

void TestInputPanel::arrowKeysMoveTheSelection()
{
    CoreHarness h;
    h.StoreLine(1, {QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("1"),
                    QStringLiteral("0"), QStringLiteral("1")});
    // The first slot button is chosen, and then Tab brings the focus to it.
    h.PressSlot(0);
    h.form.FocusedBy(controls::SlotButtons[0]);
    h.Apply(h.form.Arrow(controls::SlotButtons[0], 1, 0));
    QVERIFY(h.form.Control(controls::SlotButtons[1]).checked);
    QCOMPARE(h.form.Contents().Selected(), 1);
    QCOMPARE(h.BoxText(1), QStringLiteral(" 5"));
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
    // Only the selected slot button is a Tab stop.
    QVERIFY(h.form.Control(controls::SlotButtons[1]).tabStop);
    QVERIFY(!h.form.Control(controls::SlotButtons[0]).tabStop);
}

QTEST_MAIN(TestInputPanel)
#include "tst_inputpanel.moc"
