// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formharness.h"
#include "support/pictures.h"

#include "runtime/vbnumber.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QLabel>

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

} // namespace

// Drawing, erasing and resetting through the buttons, as a pupil does it.
class TestLineCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepareTestApplication(); }

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
    void undoInABoxUndoesItsTypingFirst();
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
    FormHarness h;
    h.Click(h.SlotButton(2));
    h.TypeFirstLine();
    QPushButton *draw = h.Button(QStringLiteral("Command4"));
    QCOMPARE(QApplication::focusWidget(), draw);
    if (byKeyboard)
        QTest::keyClick(draw, Qt::Key_Return);
    else
        h.Click(draw);

    const LineSlot &slot = h.form->Lines().Slot(2);
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

    QVERIFY(h.SlotButton(3)->isChecked());
    QCOMPARE(h.form->CurrentSlot(), 3);
    for (int n = 1; n <= 5; ++n)
        QCOMPARE(h.Box(n)->text(), QString());
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
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
    FormHarness h;
    if (firstHoldsVerticalLine) {
        h.TypeLine({QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("6"),
                    QStringLiteral("-1"), QStringLiteral("4")});
        h.Click(h.Button(QStringLiteral("Command4")));
    }
    h.Click(h.SlotButton(7));
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("-5"),
                QStringLiteral("5")});
    h.Click(h.Button(QStringLiteral("Command4")));

    QVERIFY(h.form->Lines().Slot(7).IsDrawn());
    QVERIFY(h.SlotButton(0)->isChecked());
    QCOMPARE(h.form->CurrentSlot(), 0);
    QCOMPARE(h.Box(1)->text(), firstHoldsVerticalLine ? QStringLiteral(" 2") : QString());
    QCOMPARE(h.Box(2)->text(), firstHoldsVerticalLine ? QStringLiteral(" 0") : QString());
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
    // The draw command always leaves the x-range caption, even over a
    // recalled vertical line.
    QCOMPARE(h.CaptionTop(), CaptionHiddenTop);
}

void TestLineCommands::drawingASlotTwiceKeepsBothUntilARedraw()
{
    FormHarness h;
    // y = 1 and y = -2 over the whole width, both in slot 1.
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                QStringLiteral("-10"), QStringLiteral("10")});
    h.Click(h.Button(QStringLiteral("Command4")));
    h.Click(h.SlotButton(0));
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("-2"),
                QStringLiteral("-10"), QStringLiteral("10")});
    h.Click(h.Button(QStringLiteral("Command4")));

    QCOMPARE(h.PixelAt(311, 278), LineBlue);
    QCOMPARE(h.PixelAt(311, 344), LineBlue);
    QCOMPARE(h.form->Lines().Slot(0).C, -2.0f);

    h.Click(h.Button(QStringLiteral("Command3(1)")));
    QCOMPARE(h.PixelAt(311, 278), Black); // only the grid line is left
    QCOMPARE(h.PixelAt(311, 344), LineBlue);
}

void TestLineCommands::eraseKeepsTheSlotSelected()
{
    FormHarness h;
    h.TypeLine({QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("0"),
                QStringLiteral("-5"), QStringLiteral("5")});
    h.Click(h.Button(QStringLiteral("Command4")));
    h.Click(h.SlotButton(0));
    QCOMPARE(h.Box(1)->text(), QStringLiteral(" 1"));
    QVERIFY(BluePixels(h.Picture()) > 0);

    h.Box(2)->selectAll();
    h.Type(h.Box(2), QStringLiteral("0"));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
    h.Click(h.Button(QStringLiteral("Command5")));
    QVERIFY(!h.form->Lines().Slot(0).IsDrawn());
    QCOMPARE(h.form->Lines().Slot(0).A, 1.0f); // the numbers stay, unseen
    QVERIFY(h.SlotButton(0)->isChecked());
    QCOMPARE(h.form->CurrentSlot(), 0);
    for (int n = 1; n <= 5; ++n)
        QCOMPARE(h.Box(n)->text(), QString());
    QCOMPARE(BluePixels(h.Picture()), 0);
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
    QCOMPARE(h.CaptionTop(), CaptionHiddenTop);

    // Drawing the slot again stores fresh values.
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("-1"),
                QStringLiteral("1")});
    h.Click(h.Button(QStringLiteral("Command4")));
    QCOMPARE(h.form->Lines().Slot(0).A, 0.0f);
    QCOMPARE(h.form->Lines().Slot(0).C, 2.0f);
}

void TestLineCommands::erasingAnEmptySlotStillRedraws()
{
    FormHarness h;
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                QStringLiteral("-10"), QStringLiteral("10")});
    h.Click(h.Button(QStringLiteral("Command4")));
    h.Type(h.Box(1), QStringLiteral("junk"));
    h.Click(h.Button(QStringLiteral("Command5")));
    QCOMPARE(h.form->CurrentSlot(), 1);
    QCOMPARE(h.Box(1)->text(), QString());
    QVERIFY(h.form->Lines().Slot(0).IsDrawn());
    QCOMPARE(h.PixelAt(311, 278), LineBlue);
}

void TestLineCommands::resetClearsEverythingButTheScale()
{
    FormHarness h;
    h.Click(h.Button(QStringLiteral("Command3(2)")));
    for (int i = 0; i < 3; ++i) {
        h.TypeLine({QStringLiteral("1"), QString::number(i + 1), QStringLiteral("2"),
                    QStringLiteral("-3"), QStringLiteral("3")});
        h.Click(h.Button(QStringLiteral("Command4")));
    }
    QVERIFY(BluePixels(h.Picture()) > 0);
    QCOMPARE(h.form->CurrentSlot(), 3);

    h.Click(h.Button(QStringLiteral("Command2")));
    QCOMPARE(BluePixels(h.Picture()), 0);
    QCOMPARE(h.form->View().GridUnit, 14);
    QVERIFY(h.SlotButton(0)->isChecked());
    QCOMPARE(h.form->CurrentSlot(), 0);
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
    for (int slot = 0; slot < LineTable::SlotCount; ++slot)
        QVERIFY(!h.form->Lines().Slot(slot).IsDrawn());

    // The old lines never come back, neither on recall nor on a redraw.
    h.Click(h.SlotButton(1));
    QCOMPARE(h.Box(1)->text(), QString());
    h.Click(h.Button(QStringLiteral("Command3(0)")));
    QCOMPARE(BluePixels(h.Picture()), 0);
}

void TestLineCommands::resetEmptiesTheBoxesOfTheSelectedFirstSlot()
{
    FormHarness h;
    h.Type(h.Box(1), QStringLiteral("5"));
    h.Type(h.Box(5), QStringLiteral("9"));
    h.Click(h.Button(QStringLiteral("Command2")));
    QCOMPARE(h.Box(1)->text(), QString());
    QCOMPARE(h.Box(5)->text(), QString());
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
}

void TestLineCommands::numbersAreStoredInSinglePrecision()
{
    FormHarness h;
    h.TypeLine({QStringLiteral("1E+39"), QStringLiteral("1"), QStringLiteral("0.1"),
                QStringLiteral("-1"), QStringLiteral("1")});
    h.Click(h.Button(QStringLiteral("Command4")));
    const LineSlot &slot = h.form->Lines().Slot(0);
    QVERIFY(std::isinf(slot.A) && slot.A > 0);
    QCOMPARE(slot.C, 0.1f);
    // A slope of infinity has no end on the plane, so nothing is drawn.
    QCOMPARE(BluePixels(h.Picture()), 0);

    h.Click(h.SlotButton(0));
    QCOMPARE(h.Box(1)->text(), QStringLiteral(" 1.#INF"));
    QCOMPARE(h.Box(3)->text(), QStringLiteral(" .1"));
    // A full redraw with the infinite slot in the table still draws the rest.
    h.Click(h.SlotButton(1));
    h.TypeLine({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                QStringLiteral("-10"), QStringLiteral("10")});
    h.Click(h.Button(QStringLiteral("Command4")));
    h.Click(h.Button(QStringLiteral("Command3(1)")));
    QCOMPARE(h.PixelAt(311, 278), LineBlue);
}

void TestLineCommands::emptyBoxesStoreZerosAndDrawNothing()
{
    FormHarness h;
    h.Click(h.Button(QStringLiteral("Command4")));
    const LineSlot &slot = h.form->Lines().Slot(0);
    QVERIFY(slot.IsDrawn());
    QCOMPARE(slot.A, 0.0f);
    QCOMPARE(slot.B, 0.0f);
    QCOMPARE(BluePixels(h.Picture()), 0);
    QCOMPARE(h.form->CurrentSlot(), 1);
    h.Click(h.SlotButton(0));
    QCOMPARE(h.Box(1)->text(), QStringLiteral(" 0"));
    QCOMPARE(h.CaptionTop(), CaptionShownTop);
}

QTEST_MAIN(TestLineCommands)
#include "tst_linecommands.moc"

namespace {

// Draws a line in each of the eight slots: x + ky = k + 1 over -3..3.
void DrawEightLines(const FormHarness &h)
{
    for (int k = 1; k <= SlotButtonCount; ++k) {
        h.TypeLine({QStringLiteral("1"), QString::number(k), QString::number(k + 1),
                    QStringLiteral("-3"), QStringLiteral("3")});
        h.Click(h.Button(QStringLiteral("Command4")));
    }
}

QString Said(const FormHarness &h)
{
    QCoreApplication::processEvents();
    return h.Control<Announcer>(QStringLiteral("Announcer"))->Message();
}

QStringList ShownAsRecalled(const LineSlot &slot)
{
    if (!slot.IsDrawn())
        return QStringList(5, QString());
    return {vb::Str(slot.A), vb::Str(slot.B), vb::Str(slot.C), vb::Str(slot.From),
            vb::Str(slot.To)};
}

} // namespace

void TestLineCommands::undoAndRedoACommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("undoneSlot");
    QTest::addColumn<int>("redoneSlot");
    QTest::addColumn<QString>("what");
    QTest::newRow("draw over a filled slot")
        << "Command4" << 2 << 2 << 2 << QStringLiteral("直線３を引きました: 2y = 5, 0 ≦ x ≦ 1");
    QTest::newRow("erase") << "Command5" << 4 << 4 << 4 << QStringLiteral("直線５を消しました");
    QTest::newRow("reset with eight lines")
        << "Command2" << 6 << 6 << 0 << QStringLiteral("すべての直線を消しました");
}

void TestLineCommands::undoAndRedoACommand()
{
    QFETCH(QString, command);
    QFETCH(int, slot);
    QFETCH(int, undoneSlot);
    QFETCH(int, redoneSlot);
    QFETCH(QString, what);
    FormHarness h;
    DrawEightLines(h);
    const LineTable before = h.form->Lines();
    const QImage pictureBefore = h.Picture();
    h.Click(h.SlotButton(slot));
    if (command == QLatin1String("Command4"))
        h.TypeLine({QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5"),
                    QStringLiteral("0"), QStringLiteral("1")});
    h.Click(h.Button(command));
    const LineTable after = h.form->Lines();
    QVERIFY(after != before);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(h.form->Lines() == before);
    QCOMPARE(h.Picture(), pictureBefore);
    QCOMPARE(h.form->CurrentSlot(), undoneSlot);
    QVERIFY(h.SlotButton(undoneSlot)->isChecked());
    QCOMPARE(h.BoxTexts(), ShownAsRecalled(before.Slot(undoneSlot)));
    QCOMPARE(QApplication::focusWidget(), h.Box(1));
    QCOMPARE(Said(h), QStringLiteral("元に戻しました: ") + what);

    // Redo from another control, with the other key.
    h.Click(h.Button(QStringLiteral("Command3(0)")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(h.form->Lines() == after);
    QCOMPARE(h.Picture().convertToFormat(QImage::Format_RGB32),
             PictureDrawnAfresh(after, h.form->View()));
    QCOMPARE(h.form->CurrentSlot(), redoneSlot);
    QCOMPARE(h.BoxTexts(), ShownAsRecalled(after.Slot(redoneSlot)));
    QCOMPARE(Said(h), QStringLiteral("やり直しました: ") + what);
}

void TestLineCommands::undoWithNothingToUndoDoesNothing()
{
    FormHarness h;
    // Erasing an empty slot changes no line, so it is no step either.
    h.Click(h.Button(QStringLiteral("Command5")));
    const QImage picture = h.Picture();
    int history = 0;
    for (QAction *action : h.form->actions()) {
        if (action->text() == QStringLiteral("元に戻す") ||
            action->text() == QStringLiteral("やり直す")) {
            QVERIFY(!action->isEnabled());
            ++history;
        }
    }
    QCOMPARE(history, 2);
    for (QWidget *focus :
         {static_cast<QWidget *>(h.Box(1)), h.Control(QStringLiteral("Picture1"))}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
    }
    QVERIFY(h.form->Lines() == LineTable());
    QCOMPARE(h.Picture(), picture);
}

void TestLineCommands::undoInABoxUndoesItsTypingFirst()
{
    FormHarness h;
    h.TypeFirstLine();
    h.Click(h.Button(QStringLiteral("Command4")));
    h.Type(h.Box(1), QStringLiteral("12"));
    QTest::keyClick(h.Box(1), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.Box(1)->text(), QString());
    QVERIFY(h.form->Lines().Slot(0).IsDrawn());
    // Nothing of its own is left to undo: the draw command is undone.
    QTest::keyClick(h.Box(1), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!h.form->Lines().Slot(0).IsDrawn());
    QCOMPARE(h.form->CurrentSlot(), 0);
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
    FormHarness h;
    const auto toggle = [&] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::ControlModifier);
    };
    h.TypeLine({QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("-3"),
                QStringLiteral("8")});
    h.Click(h.Button(QStringLiteral("Command4")));
    toggle();
    QVERIFY(h.form->MarksShown());
    h.TypeLine(second);
    h.Click(h.Button(QStringLiteral("Command4")));
    QVERIFY(Said(h).contains(QStringLiteral("。直線１との交点 ") + spoken +
                             QStringLiteral("。次は３ 空き")));

    // The dot sits on the exact point, in light red, with the numbers beside
    // the lines in their blue.
    QCOMPARE(h.PixelAt(dot.x(), dot.y()), qRgb(255, 0, 0));
    const QString crossing = QStringLiteral("直線１と直線２の交点 ");
    QWidget *surface = h.Control(QStringLiteral("Picture1"));
    surface->setFocus();
    QTest::keyClick(surface, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QGuiApplication::clipboard()->text().endsWith(crossing + written + QLatin1Char('\n')));
    QCOMPARE(QGuiApplication::clipboard()->image(), h.Picture());
    QVERIFY(QAccessible::queryAccessibleInterface(surface)
                ->text(QAccessible::Description)
                .endsWith(crossing + spoken));

    // Off, the picture is the plain one again.
    toggle();
    QVERIFY(!h.form->MarksShown());
    QCOMPARE(h.Picture().convertToFormat(QImage::Format_RGB32),
             PictureDrawnAfresh(h.form->Lines(), h.form->View()));
}
