// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/form1.h"

#include "form/sentences.h"
#include "runtime/vbnumber.h"

#include <utility>

void Form1::Command4_Click()
{
    const auto read = [this](int n) { return vb::ToSingle(vb::Val(BoxText(n))); };
    // The slot is marked drawn before anything is read; whatever the boxes
    // hold is stored as it reads, without a range check.
    const std::int16_t k = currentSlot_;
    const LineTable before = lineTable_;
    LineSlot &slot = lineTable_.Slot(k);
    slot.Drawn = 1;
    slot.A = read(0);
    slot.B = read(1);
    slot.C = read(2);
    slot.From = read(3);
    slot.To = read(4);
    // Drawn on top of what is shown: an earlier line of this slot stays
    // visible until the next full redraw.
    DrawLine(k);
    if (currentSlot_ == SlotButtonCount - 1)
        currentSlot_ = -1;
    // Moving on selects the next slot (after the eighth, the first), which
    // empties or refills the boxes and puts the focus in the a box.
    FocusSlotButton(currentSlot_ + 1);
    MoveRangeCaption(RangeOf::X);
    Record(before, k, k, LineDrawnSentence(k, lineTable_, view_));
    Announce(LineDrawnAnnouncement(k, lineTable_, view_, marksShown_, currentSlot_));
}

void Form1::Command5_Click()
{
    const LineTable before = lineTable_;
    const bool held = lineTable_.Slot(currentSlot_).IsDrawn();
    lineTable_.Slot(currentSlot_).Drawn = 0;
    EmptyBoxes();
    RedrawSurface();
    SetFocus(Text1);
    MoveRangeCaption(RangeOf::X);
    Record(before, currentSlot_, currentSlot_, LineErasedSentence(currentSlot_));
    Announce(held ? LineErasedSentence(currentSlot_) : SlotAlreadyEmptySentence(currentSlot_));
}

void Form1::Command2_Click()
{
    const LineTable before = lineTable_;
    const int slotBefore = currentSlot_;
    lineTable_.ClearAll();
    currentSlot_ = 0;
    MoveRangeCaption(RangeOf::X);
    // Selecting slot 1 empties the boxes and puts the focus in the a box, also
    // when slot 1 is already selected: the sheet always starts again with
    // empty boxes.
    SelectSlot(0);
    // Every slot is empty now, so the full redraw shows the bare plane.
    RedrawSurface();
    Record(before, slotBefore, 0, AllErasedSentence());
    Announce(AllErasedAnnouncement(view_));
}

void Form1::Record(const LineTable &before, int slotBefore, int slotAfter, const std::string &what)
{
    // A command that changed nothing, such as erasing an empty slot, leaves
    // nothing to undo.
    if (before == lineTable_)
        return;
    history_.Push({before, lineTable_, slotBefore, slotAfter, what});
}

void Form1::RestoreLines(const LineTable &table, int slot, std::string sentence)
{
    lineTable_ = table;
    RedrawSurface();
    SelectSlot(slot);
    Announce(std::move(sentence));
}

Form1::Outcome Form1::Undo()
{
    return Run([this] {
        if (const LineStep *step = history_.Undo())
            RestoreLines(step->before, step->slotBefore, UndoneSentence(step->what));
    });
}

Form1::Outcome Form1::Redo()
{
    return Run([this] {
        if (const LineStep *step = history_.Redo())
            RestoreLines(step->after, step->slotAfter, RedoneSentence(step->what));
    });
}
