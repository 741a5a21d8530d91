// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linehistory.h"
#include "lines/linetable.h"
#include "plane/planesizes.h"
#include "plane/planeview.h"

#include <cstddef>

// Everything the pupil has made: the lines in their slots, the slot the next
// line goes into, the plane size, whether the lines' numbers and crossings
// are shown and whether the line being typed is shown as a function, and
// the line commands that can be undone. A plain value with no
// words and no drawing; the window turns clicks and keys into these
// operations, then describes and draws the result.
class Sheet {
public:
    const LineTable &Lines() const { return lines_; }
    // The selected slot, 0 to 7: the line commands act on it.
    int Selected() const { return selected_; }
    // One of PlaneSizes.
    std::size_t Size() const { return size_; }
    // The view the size gives: the origin in the middle of the surface.
    PlaneView View() const;
    bool MarksShown() const { return marksShown_; }
    bool FunctionShown() const { return functionShown_; }
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }

    // Selects a slot, 0 to 7; any other number is brought into that range.
    void Select(int slot);
    // Stores `line` in the selected slot as drawn, whatever its numbers, then
    // selects the next slot (after the eighth, the first).
    void DrawLine(const LineSlot &line);
    // Marks the selected slot empty; its numbers stay, unseen. Says whether
    // it held a line.
    bool EraseLine();
    // Marks every slot empty and selects the first.
    void EraseAll();
    // Chooses one of PlaneSizes; any other number is ignored.
    void ChooseSize(std::size_t size);
    void ShowMarks(bool shown) { marksShown_ = shown; }
    void ShowFunction(bool shown) { functionShown_ = shown; }
    // Takes `from`'s lines, selected slot, size and switches, as opening a
    // lesson's link does. With `asStep` it is one line command: undoing it
    // gives back the lines, the selected slot, the size and the switches.
    void Open(const Sheet &from, bool asStep);
    // Takes the last line command back, or does the last one undone again:
    // the table as it was then and the slot that was selected. The step
    // taken, or null when there is none.
    const LineStep *Undo();
    const LineStep *Redo();

private:
    SheetSettings Settings() const;
    void Apply(const SheetSettings &settings);
    // Puts back the sheet as a step left it, before it (undone) or after it;
    // gives the step on.
    const LineStep *Restore(const LineStep *step, bool undone);
    // Keeps a command as an undo step, when it changed the table or, for an
    // opened link, the size or a switch: erasing an empty slot leaves nothing
    // to undo.
    void Record(const LineTable &before, int slotBefore, int slotAfter, LineCommand command,
                int slot, const SheetSettings &settingsBefore);

    LineTable lines_;
    int selected_ = 0;
    std::size_t size_ = StartPlaneSize;
    bool marksShown_ = false;
    bool functionShown_ = false;
    LineHistory history_;
};
