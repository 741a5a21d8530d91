// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/coreharness.h"
#include "support/pictures.h"
#include "support/qtext.h"

#include <QTest>

#include <cmath>

namespace {

// Counts light-blue pixels, the colour only stored lines are drawn in.
int BluePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == LineBlue;
    return count;
}

// Draws a line in each of the eight slots: x + ky = k + 1 over -3..3.
void DrawEightLines(CoreHarness &h)
{
    for (int k = 1; k <= SlotButtonCount; ++k) {
        h.TypeLine({QStringLiteral("1"), QString::number(k), QString::number(k + 1),
                    QStringLiteral("-3"), QStringLiteral("3")});
        h.Press(controls::DrawButton);
    }
}

// The five box texts, written one after another with a bar between them.
QStringList Shown(const QString &texts)
{
    return texts.split(QLatin1Char('|'));
}

} // namespace

// Drawing, erasing and resetting through the buttons, as a pupil does it.
class TestLineCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pupilDrawsALine_data();
    void pupilDrawsALine();
    void drawingTheEighthSlotWrapsToTheFirst_data();
    void drawingTheEighthSlotWrapsToTheFirst();
    void drawingASlotTwiceKeepsBothUntilARedraw();
    void eraseKeepsTheSlotSelected();
    void erasingAnEmptySlotStillRedraws();
    void resetClearsEverythingButTheScale();
    void resetEmptiesTheBoxesOfTheSelectedFirstSlot();
    void numbersAreStoredInSinglePrecision();
    void emptyBoxesStoreZerosAndDrawNothing();
    void undoAndRedoACommand_data();
    void undoAndRedoACommand();
    void undoWithNothingToUndoDoesNothing();
    void undoingTheFirstLineLeavesTheBarePlane();
    void marksShowNumbersAndCrossings_data();
    void marksShowNumbersAndCrossings();
};

void TestLineCommands::pupilDrawsALine_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("mouse") << false;
    QTest::newRow("Enter on the button") << true;
}

void TestLineCommands::pupilDrawsALine()
{
    QFETCH(bool, byKeyboard);
    CoreHarness h;
    h.PressSlot(2);
    h.TypeFirstLine();
    QCOMPARE(h.Focus(), controls::DrawButton);
    if (byKeyboard)
        h.Enter();
    else
        h.Press(controls::DrawButton);

    const LineSlot &slot = h.form.Contents().Lines().Slot(2);
    QVERIFY(slot.IsDrawn());
    QCOMPARE(slot.A, 1.0f);
    QCOMPARE(slot.B, 2.0f);
    QCOMPARE(slot.C, 4.0f);
    QCOMPARE(slot.From, -2.0f);
    QCOMPARE(slot.To, 6.0f);
    // x + 2y = 4 from x = -2 to 6 runs from pixel (256, 234) to (432, 322).
    QCOMPARE(h.PixelAt(256, 234), LineBlue);
    QCOMPARE(h.PixelAt(333, 272), LineBlue);
    QCOMPARE(h.PixelAt(432, 322), LineBlue);
    QCOMPARE(h.PixelAt(460, 336), SurfaceYellow);

    QVERIFY(h.form.Control(controls::SlotButtons[3]).checked);
    QCOMPARE(h.form.Contents().Selected(), 3);
    QCOMPARE(h.BoxTexts(), QStringList(5, QString()));
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
}

void TestLineCommands::drawingTheEighthSlotWrapsToTheFirst_data()
{
    QTest::addColumn<bool>("firstHoldsVerticalLine");
    QTest::newRow("first slot empty") << false;
    QTest::newRow("first slot holds a vertical line") << true;
}

void TestLineCommands::drawingTheEighthSlotWrapsToTheFirst()
{
    QFETCH(bool, firstHoldsVerticalLine);
    CoreHarness h;
    if (firstHoldsVerticalLine) {
        h.TypeLine({QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("6"),
                    QStringLiteral("-1"), QStringLiteral("4")});
        h.Press(controls::DrawButton);
    }
    h.StoreLine(7, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"),
                    QStringLiteral("-5"), QStringLiteral("5")});

    QVERIFY(h.form.Contents().Lines().Slot(7).IsDrawn());
    QVERIFY(h.form.Control(controls::SlotButtons[0]).checked);
    QCOMPARE(h.form.Contents().Selected(), 0);
    QCOMPARE(h.BoxText(1), firstHoldsVerticalLine ? QStringLiteral(" 2") : QString());
    QCOMPARE(h.BoxText(2), firstHoldsVerticalLine ? QStringLiteral(" 0") : QString());
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
    // The draw command always leaves the x-range caption, even over a
    // recalled vertical line.
    QCOMPARE(h.CaptionTop(), CaptionHiddenTop);
}

void TestLineCommands::drawingASlotTwiceKeepsBothUntilARedraw()
{
    CoreHarness h;
    // y = 1 and y = -2 over the whole width, both in slot 1.
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                QStringLiteral("-10"), QStringLiteral("10")});
    h.Press(controls::DrawButton);
    h.StoreLine(0, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("-2"),
                    QStringLiteral("-10"), QStringLiteral("10")});

    QCOMPARE(h.PixelAt(311, 278), LineBlue);
    QCOMPARE(h.PixelAt(311, 344), LineBlue);
    QCOMPARE(h.form.Contents().Lines().Slot(0).C, -2.0f);

    h.Press(controls::SizeButtons[1]);
    QCOMPARE(h.PixelAt(311, 278), Black); // only the grid line is left
    QCOMPARE(h.PixelAt(311, 344), LineBlue);
}

void TestLineCommands::eraseKeepsTheSlotSelected()
{
    CoreHarness h;
    h.TypeLine({QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("0"),
                QStringLiteral("-5"), QStringLiteral("5")});
    h.Press(controls::DrawButton);
    h.PressSlot(0);
    QCOMPARE(h.BoxText(1), QStringLiteral(" 1"));
    QVERIFY(BluePixels(h.Picture()) > 0);

    h.form.FocusedBy(controls::Boxes[box::B]);
    h.Replace(QStringLiteral("0"));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
    h.Press(controls::EraseButton);
    QVERIFY(!h.form.Contents().Lines().Slot(0).IsDrawn());
    QCOMPARE(h.form.Contents().Lines().Slot(0).A, 1.0f); // the numbers stay, unseen
    QVERIFY(h.form.Control(controls::SlotButtons[0]).checked);
    QCOMPARE(h.form.Contents().Selected(), 0);
    QCOMPARE(h.BoxTexts(), QStringList(5, QString()));
    QCOMPARE(BluePixels(h.Picture()), 0);
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
    QCOMPARE(h.CaptionTop(), CaptionHiddenTop);

    // Drawing the slot again stores fresh values.
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("-1"),
                QStringLiteral("1")});
    h.Press(controls::DrawButton);
    QCOMPARE(h.form.Contents().Lines().Slot(0).A, 0.0f);
    QCOMPARE(h.form.Contents().Lines().Slot(0).C, 2.0f);
}

void TestLineCommands::erasingAnEmptySlotStillRedraws()
{
    CoreHarness h;
    // Slot 1 first holds y = -2, then y = 1; the old line stays on the
    // surface until the next full redraw.
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("-2"),
                QStringLiteral("-10"), QStringLiteral("10")});
    h.Press(controls::DrawButton);
    h.StoreLine(0, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                    QStringLiteral("-10"), QStringLiteral("10")});
    QCOMPARE(h.PixelAt(311, 344), LineBlue);
    const bool couldUndo = h.form.Contents().CanUndo();
    h.Type(QStringLiteral("junk"));
    h.Press(controls::EraseButton);
    QCOMPARE(h.form.Contents().Selected(), 1);
    QCOMPARE(h.BoxText(1), QString());
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
    QVERIFY(h.form.Contents().Lines().Slot(0).IsDrawn());
    QCOMPARE(h.PixelAt(311, 278), LineBlue);
    QCOMPARE(h.PixelAt(311, 344), Black); // only the grid line is left
    // Nothing was erased, and the pupil hears so.
    QCOMPARE(h.announcement, QStringLiteral("直線２は空きなので、消す線はありません"));
    QCOMPARE(h.form.Contents().CanUndo(), couldUndo);
    // Undo passes over it and takes back the second drawing of slot 1.
    h.Apply(h.form.Undo());
    QCOMPARE(h.form.Contents().Lines().Slot(0).C, -2.0f);
}

void TestLineCommands::resetClearsEverythingButTheScale()
{
    CoreHarness h;
    h.Press(controls::SizeButtons[2]);
    h.form.FocusedBy(controls::Boxes[box::A]);
    for (int i = 0; i < 3; ++i) {
        h.TypeLine({QStringLiteral("1"), QString::number(i + 1), QStringLiteral("2"),
                    QStringLiteral("-3"), QStringLiteral("3")});
        h.Press(controls::DrawButton);
    }
    QVERIFY(BluePixels(h.Picture()) > 0);
    QCOMPARE(h.form.Contents().Selected(), 3);

    h.Press(controls::ClearButton);
    QCOMPARE(BluePixels(h.Picture()), 0);
    QCOMPARE(h.form.Contents().View().GridUnit, 14);
    QVERIFY(h.form.Control(controls::SlotButtons[0]).checked);
    QCOMPARE(h.form.Contents().Selected(), 0);
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
    for (int slot = 0; slot < LineTable::SlotCount; ++slot)
        QVERIFY(!h.form.Contents().Lines().Slot(slot).IsDrawn());

    // The old lines never come back, neither on recall nor on a redraw.
    h.PressSlot(1);
    QCOMPARE(h.BoxText(1), QString());
    h.Press(controls::SizeButtons[0]);
    QCOMPARE(BluePixels(h.Picture()), 0);
}

void TestLineCommands::resetEmptiesTheBoxesOfTheSelectedFirstSlot()
{
    CoreHarness h;
    h.Type(QStringLiteral("5"));
    h.form.FocusedBy(controls::Boxes[box::RangeEnd]);
    h.Type(QStringLiteral("9"));
    h.Press(controls::ClearButton);
    QCOMPARE(h.BoxText(1), QString());
    QCOMPARE(h.BoxText(5), QString());
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
}

void TestLineCommands::numbersAreStoredInSinglePrecision()
{
    CoreHarness h;
    h.TypeLine({QStringLiteral("1E+39"), QStringLiteral("1"), QStringLiteral("0.1"),
                QStringLiteral("-1"), QStringLiteral("1")});
    h.Press(controls::DrawButton);
    const LineSlot &slot = h.form.Contents().Lines().Slot(0);
    QVERIFY(std::isinf(slot.A) && slot.A > 0);
    QCOMPARE(slot.C, 0.1f);
    // A slope of infinity has no end on the plane, so nothing is drawn.
    QCOMPARE(BluePixels(h.Picture()), 0);

    h.PressSlot(0);
    QCOMPARE(h.BoxText(1), QStringLiteral(" 1.#INF"));
    QCOMPARE(h.BoxText(3), QStringLiteral(" .1"));
    // A full redraw with the infinite slot in the table still draws the rest.
    h.StoreLine(1, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                    QStringLiteral("-10"), QStringLiteral("10")});
    h.Press(controls::SizeButtons[1]);
    QCOMPARE(h.PixelAt(311, 278), LineBlue);
}

void TestLineCommands::emptyBoxesStoreZerosAndDrawNothing()
{
    CoreHarness h;
    h.Press(controls::DrawButton);
    const LineSlot &slot = h.form.Contents().Lines().Slot(0);
    QVERIFY(slot.IsDrawn());
    QCOMPARE(slot.A, 0.0f);
    QCOMPARE(slot.B, 0.0f);
    QCOMPARE(BluePixels(h.Picture()), 0);
    QCOMPARE(h.form.Contents().Selected(), 1);
    h.PressSlot(0);
    QCOMPARE(h.BoxText(1), QStringLiteral(" 0"));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
}

void TestLineCommands::undoAndRedoACommand_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("undoneSlot");
    QTest::addColumn<int>("redoneSlot");
    QTest::addColumn<QString>("what");
    // What the boxes show after undoing and after redoing: the line recalled
    // from the slot then selected, or nothing for an empty slot.
    QTest::addColumn<QStringList>("undoneBoxes");
    QTest::addColumn<QStringList>("redoneBoxes");
    QTest::newRow("draw over a filled slot")
        << controls::DrawButton << 2 << 2 << 2
        << QStringLiteral("直線３を引きました: 2y = 5, 0 ≦ x ≦ 1")
        << Shown(QStringLiteral(" 1| 3| 4|-3| 3")) << Shown(QStringLiteral(" 0| 2| 5| 0| 1"));
    QTest::newRow("erase") << controls::EraseButton << 4 << 4 << 4
                           << QStringLiteral("直線５を消しました")
                           << Shown(QStringLiteral(" 1| 5| 6|-3| 3")) << QStringList(5, QString());
    QTest::newRow("reset with eight lines")
        << controls::ClearButton << 6 << 6 << 0 << QStringLiteral("すべての直線を消しました")
        << Shown(QStringLiteral(" 1| 7| 8|-3| 3")) << QStringList(5, QString());
}

void TestLineCommands::undoAndRedoACommand()
{
    QFETCH(int, command);
    QFETCH(int, slot);
    QFETCH(int, undoneSlot);
    QFETCH(int, redoneSlot);
    QFETCH(QString, what);
    QFETCH(QStringList, undoneBoxes);
    QFETCH(QStringList, redoneBoxes);
    CoreHarness h;
    DrawEightLines(h);
    const LineTable before = h.form.Contents().Lines();
    const QImage pictureBefore = h.Picture();
    h.PressSlot(slot);
    if (command == controls::DrawButton)
        h.TypeLine({QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5"),
                    QStringLiteral("0"), QStringLiteral("1")});
    h.Press(command);
    const LineTable after = h.form.Contents().Lines();
    QVERIFY(after != before);

    h.Apply(h.form.Undo());
    QVERIFY(h.form.Contents().Lines() == before);
    QCOMPARE(h.Picture(), pictureBefore);
    QCOMPARE(h.form.Contents().Selected(), undoneSlot);
    QVERIFY(h.form.Control(controls::SlotButtons[static_cast<std::size_t>(undoneSlot)]).checked);
    QCOMPARE(h.BoxTexts(), undoneBoxes);
    QCOMPARE(h.Focus(), controls::Boxes[box::A]);
    QCOMPARE(h.announcement, QStringLiteral("元に戻しました: ") + what);

    // Redo after another control has been used.
    h.Press(controls::SizeButtons[0]);
    h.Apply(h.form.Redo());
    QVERIFY(h.form.Contents().Lines() == after);
    QCOMPARE(h.Picture(), PictureDrawnAfresh(after, ViewAt(40)));
    QCOMPARE(h.form.Contents().Selected(), redoneSlot);
    QCOMPARE(h.BoxTexts(), redoneBoxes);
    QCOMPARE(h.announcement, QStringLiteral("やり直しました: ") + what);
}

void TestLineCommands::undoWithNothingToUndoDoesNothing()
{
    CoreHarness h;
    // Erasing an empty slot changes no line, so it is no step either.
    h.Press(controls::EraseButton);
    const QImage picture = h.Picture();
    QVERIFY(!h.form.Contents().CanUndo());
    QVERIFY(!h.form.Contents().CanRedo());
    for (const int focus : {controls::Boxes[box::A], controls::Surface}) {
        h.form.FocusedBy(focus);
        h.Apply(h.form.Undo());
        h.Apply(h.form.Redo());
    }
    QVERIFY(h.form.Contents().Lines() == LineTable());
    QCOMPARE(h.Picture(), picture);
}

void TestLineCommands::undoingTheFirstLineLeavesTheBarePlane()
{
    CoreHarness h;
    h.TypeFirstLine();
    h.Press(controls::DrawButton);
    h.Type(QStringLiteral("12"));
    h.Apply(h.form.Undo());
    QVERIFY(!h.form.Contents().Lines().Slot(0).IsDrawn());
    QCOMPARE(h.form.Contents().Selected(), 0);
    QCOMPARE(h.BoxText(1), QString());
    QCOMPARE(BluePixels(h.Picture()), 0);
}

void TestLineCommands::marksShowNumbersAndCrossings_data()
{
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QPoint>("dot");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("spoken");
    // x + y = 4 with 2x - y = 5 and with 2x - y = 0, at 22 pixels a unit.
    QTest::newRow("(3, 1)") << QStringList{QStringLiteral("2"), QStringLiteral("-1"),
                                           QStringLiteral("5"), QStringLiteral("-2"),
                                           QStringLiteral("6")}
                            << QPoint(366, 278) << QStringLiteral("(3, 1)")
                            << QStringLiteral("(3, 1)");
    QTest::newRow("(4/3, 8/3)") << QStringList{QStringLiteral("2"), QStringLiteral("-1"),
                                               QStringLiteral("0"), QStringLiteral("-2"),
                                               QStringLiteral("6")}
                                << QPoint(329, 241) << QStringLiteral("(4/3, 8/3)")
                                << QStringLiteral("(3分の4, 3分の8)");
}

void TestLineCommands::marksShowNumbersAndCrossings()
{
    QFETCH(QStringList, second);
    QFETCH(QPoint, dot);
    QFETCH(QString, written);
    QFETCH(QString, spoken);
    CoreHarness h;
    h.TypeLine({QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("-3"),
                QStringLiteral("8")});
    h.Press(controls::DrawButton);
    h.Apply(h.form.ShowMarks(true));
    QVERIFY(h.form.Contents().MarksShown());
    h.TypeLine(second);
    h.Press(controls::DrawButton);
    QVERIFY(h.announcement.contains(QStringLiteral("。直線１との交点 ") + spoken +
                                    QStringLiteral("。次は３ 空き")));

    // The dot sits on the exact point, in light red, with the numbers beside
    // the lines in their blue.
    QCOMPARE(h.PixelAt(dot.x(), dot.y()), qRgb(255, 0, 0));
    const QString crossing = QStringLiteral("直線１と直線２の交点 ");
    QVERIFY(Q(h.form.CopyText()).endsWith(crossing + written + QLatin1Char('\n')));
    QVERIFY(Q(h.form.Control(controls::Surface).accessibleDescription).endsWith(crossing + spoken));

    // Off, the picture is the plain one again.
    h.Apply(h.form.ShowMarks(false));
    QVERIFY(!h.form.Contents().MarksShown());
    QCOMPARE(h.Picture(), PictureDrawnAfresh(h.form.Contents().Lines(), ViewAt(22)));
}

QTEST_MAIN(TestLineCommands)
#include "tst_linecommands.moc"
