// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formharness.h"

#include <QLabel>

// The slot buttons, the five boxes and the range caption, driven with the
// mouse and the keyboard.
class TestInputPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepareTestApplication(); }

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
    FormHarness h;
    for (int n = 1; n <= 5; ++n)
        h.Type(h.Box(n), QStringLiteral("7"));
    h.Click(h.SlotButton(2));
    QVERIFY(h.SlotButton(2)->isChecked());
    QVERIFY(!h.SlotButton(0)->isChecked());
    QCOMPARE(h.form->CurrentSlot(), 2);
    for (int n = 1; n <= 5; ++n)
        QCOMPARE(h.Box(n)->text(), QString());
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
}

void TestInputPanel::enterWalksThroughTheBoxesToTheDrawButton()
{
    FormHarness h;
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
    const QStringList values = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"),
                                QStringLiteral("-2"), QStringLiteral("6")};
    for (int n = 1; n <= 5; ++n) {
        h.TypeAndEnter(values[n - 1]);
        QWidget *expected =
            n < 5 ? static_cast<QWidget *>(h.Box(n + 1)) : h.Button(QStringLiteral("Command4"));
        QCOMPARE(QApplication::focusWidget(), expected);
        QCOMPARE(h.Box(n)->text(), values[n - 1]);
    }
    // Enter in the last box only moves on: nothing is drawn or stored yet.
    QVERIFY(!h.form->Lines().Slot(0).IsDrawn());
    QCOMPARE(h.PixelAt(333, 272), SurfaceYellow);
}

void TestInputPanel::otherKeysOnlyEdit()
{
    FormHarness h;
    h.Type(h.Box(1), QStringLiteral("ab 3"));
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
    QCOMPARE(h.Box(1)->text(), QStringLiteral("ab 3"));
    QTest::keyClick(h.Box(1), Qt::Key_Backspace);
    QCOMPARE(h.Box(1)->text(), QStringLiteral("ab "));
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
    FormHarness h;
    // Start from the other caption, so the typed value has to move it.
    h.Type(h.Box(2), top == CaptionShownTop ? QStringLiteral("9") : QStringLiteral("0"));
    QCOMPARE(h.CaptionTop(), top == CaptionShownTop ? CaptionHiddenTop : CaptionShownTop);
    h.Box(2)->selectAll();
    h.Type(h.Box(2), b);
    QCOMPARE(h.Box(2)->text(), b);
    QCOMPARE(h.CaptionTop(), top);
}

void TestInputPanel::emptyingBLeavesTheCaption()
{
    FormHarness h;
    h.Type(h.Box(2), QStringLiteral("0"));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
    QTest::keyClick(h.Box(2), Qt::Key_Backspace);
    QCOMPARE(h.Box(2)->text(), QString());
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
    // An empty slot empties b too, and still moves nothing.
    h.Click(h.SlotButton(5));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
}

void TestInputPanel::recallingAVerticalLineShowsTheYRange()
{
    FormHarness h;
    LineSlot &vertical = h.form->Lines().Slot(3);
    vertical = {1, 2, 0, 6, -1, 4};
    LineSlot &sloped = h.form->Lines().Slot(4);
    sloped = {1, -0.25f, 3, 0, 1.5f, 0.5f};

    h.Click(h.SlotButton(3));
    QCOMPARE(h.BoxTexts(),
             (QStringList{QStringLiteral(" 2"), QStringLiteral(" 0"), QStringLiteral(" 6"),
                          QStringLiteral("-1"), QStringLiteral(" 4")}));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
    QCOMPARE(QApplication::focusWidget(), h.Box(1));

    h.Click(h.SlotButton(4));
    QCOMPARE(h.Box(1)->text(), QStringLiteral("-.25"));
    QCOMPARE(h.Box(2)->text(), QStringLiteral(" 3"));
    QCOMPARE(h.Box(4)->text(), QStringLiteral(" 1.5"));
    QCOMPARE(h.Box(5)->text(), QStringLiteral(" .5"));
    QCOMPARE(h.CaptionTop(), CaptionHiddenTop);

    // A slot emptied by erasing shows nothing of its old numbers.
    vertical.Drawn = 0;
    h.Click(h.SlotButton(3));
    QCOMPARE(h.Box(1)->text(), QString());
    QCOMPARE(h.CaptionTop(), CaptionHiddenTop);
}

void TestInputPanel::recallShowsStoredValuesNotTypedTexts()
{
    FormHarness h;
    h.TypeLine({QStringLiteral("1.50"), QStringLiteral(".5"), QStringLiteral("3"),
                QStringLiteral("-2.0"), QStringLiteral("0.1")});
    h.Click(h.Button(QStringLiteral("Command4")));
    h.Click(h.SlotButton(0));
    QCOMPARE(h.BoxTexts(),
             (QStringList{QStringLiteral(" 1.5"), QStringLiteral(" .5"), QStringLiteral(" 3"),
                          QStringLiteral("-2"), QStringLiteral(" .1")}));
}

void TestInputPanel::arrowKeysMoveTheSelection()
{
    FormHarness h;
    h.form->Lines().Slot(1) = {1, 5, 1, 1, 0, 1};
    h.SlotButton(0)->setFocus();
    QTest::keyClick(h.SlotButton(0), Qt::Key_Right);
    QVERIFY(h.SlotButton(1)->isChecked());
    QCOMPARE(h.form->CurrentSlot(), 1);
    QCOMPARE(h.Box(1)->text(), QStringLiteral(" 5"));
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
    // Only the selected slot button is a Tab stop.
    QVERIFY(h.SlotButton(1)->focusPolicy() & Qt::TabFocus);
    QVERIFY(!(h.SlotButton(0)->focusPolicy() & Qt::TabFocus));
}

QTEST_MAIN(TestInputPanel)
#include "tst_inputpanel.moc"
