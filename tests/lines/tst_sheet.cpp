// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet alone: where a line goes, which slot comes next, what undoing
// gives back, and the plane size it is seen at.

#include "lines/sheet.h"

#include <QtTest>

namespace {

LineSlot Line(float a, float b, float c)
{
    LineSlot line;
    line.A = a;
    line.B = b;
    line.C = c;
    line.From = -5;
    line.To = 5;
    return line;
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawingFillsTheSelectedSlotAndMovesOn()
    {
        Sheet sheet;
        sheet.Select(7);
        sheet.DrawLine(Line(1, 2, 4));
        QVERIFY(sheet.Lines().Slot(7).IsDrawn());
        QCOMPARE(sheet.Lines().Slot(7).C, 4.0f);
        // After ８ comes １.
        QCOMPARE(sheet.Selected(), 0);
        // Undoing and redoing the line selects the slot it was drawn in.
        QVERIFY(sheet.Undo() != nullptr);
        QVERIFY(!sheet.Lines().Slot(7).IsDrawn());
        QCOMPARE(sheet.Selected(), 7);
        QCOMPARE(sheet.Redo()->command, LineCommand::Draw);
        QVERIFY(sheet.Lines().Slot(7).IsDrawn());
        QCOMPARE(sheet.Selected(), 7);
    }

    void erasingAnEmptySlotLeavesNothingToUndo()
    {
        Sheet sheet;
        sheet.Select(3);
        QVERIFY(!sheet.EraseLine());
        QVERIFY(!sheet.CanUndo());
    }

    void erasingAllStartsAgainAtTheFirstSlot()
    {
        Sheet sheet;
        sheet.DrawLine(Line(1, 1, 2));
        sheet.DrawLine(Line(1, -1, 0));
        sheet.EraseAll();
        QCOMPARE(sheet.Selected(), 0);
        QVERIFY(!sheet.Lines().Slot(0).IsDrawn() && !sheet.Lines().Slot(1).IsDrawn());
        // The numbers stay, unseen, and undoing shows them again.
        QCOMPARE(sheet.Lines().Slot(1).B, -1.0f);
        QCOMPARE(sheet.Undo()->command, LineCommand::EraseAll);
        QVERIFY(sheet.Lines().Slot(0).IsDrawn() && sheet.Lines().Slot(1).IsDrawn());
        QCOMPARE(sheet.Selected(), 2);
        // A new command drops what was undone.
        QVERIFY(sheet.EraseLine() == false && sheet.CanRedo());
        sheet.Select(0);
        QVERIFY(sheet.EraseLine());
        QVERIFY(!sheet.CanRedo());
    }

    void theSizeGivesTheView()
    {
        Sheet sheet;
        QCOMPARE(sheet.View().GridUnit, std::int16_t(22));
        sheet.ChooseSize(0);
        QCOMPARE(sheet.View().GridUnit, std::int16_t(40));
        sheet.ChooseSize(3);
        QCOMPARE(sheet.View().GridUnit, std::int16_t(40));
        QCOMPARE(sheet.View().OriginX, std::int16_t(300));
    }

    void theHistoryKeepsItsDepth()
    {
        Sheet sheet;
        for (std::size_t i = 0; i <= LineHistoryDepth; ++i)
            sheet.DrawLine(Line(1, 0, static_cast<float>(i)));
        std::size_t undone = 0;
        while (sheet.Undo() != nullptr)
            ++undone;
        QCOMPARE(undone, LineHistoryDepth);
        // The oldest step went: the first line stays drawn.
        QVERIFY(sheet.Lines().Slot(0).IsDrawn());
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
