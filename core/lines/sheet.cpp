// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/sheet.h"

PlaneView Sheet::View() const
{
    PlaneView view;
    view.GridUnit = PlaneSizes[size_].gridUnit;
    return view;
}

void Sheet::Select(int slot)
{
    selected_ = (slot % SlotButtonCount + SlotButtonCount) % SlotButtonCount;
}

void Sheet::DrawLine(const LineSlot &line)
{
    const LineTable before = lines_;
    const int slot = selected_;
    LineSlot &stored = lines_.Slot(slot);
    stored = line;
    stored.Drawn = 1;
    Select(slot + 1);
    // Undoing or redoing it selects the slot it was drawn in.
    Record(before, slot, slot, LineCommand::Draw, slot, Settings());
}

bool Sheet::EraseLine()
{
    const LineTable before = lines_;
    LineSlot &slot = lines_.Slot(selected_);
    const bool held = slot.IsDrawn();
    slot.Drawn = 0;
    Record(before, selected_, selected_, LineCommand::Erase, selected_, Settings());
    return held;
}

void Sheet::EraseAll()
{
    const LineTable before = lines_;
    const int slotBefore = selected_;
    lines_.ClearAll();
    selected_ = 0;
    Record(before, slotBefore, 0, LineCommand::EraseAll, 0, Settings());
}

void Sheet::ChooseSize(std::size_t size)
{
    if (size < PlaneSizes.size())
        size_ = size;
}

void Sheet::Open(const Sheet &from, bool asStep)
{
    const LineTable before = lines_;
    const int slotBefore = selected_;
    const SheetSettings settingsBefore = Settings();
    lines_ = from.lines_;
    selected_ = from.selected_;
    Apply(from.Settings());
    // One step, which takes back the size and the switches with the lines.
    if (asStep)
        Record(before, slotBefore, selected_, LineCommand::Open, selected_, settingsBefore);
}

SheetSettings Sheet::Settings() const
{
    return {size_, marksShown_, functionShown_};
}

void Sheet::Apply(const SheetSettings &settings)
{
    size_ = settings.size;
    marksShown_ = settings.marksShown;
    functionShown_ = settings.functionShown;
}

const LineStep *Sheet::Undo()
{
    return Restore(history_.Undo(), true);
}

const LineStep *Sheet::Redo()
{
    return Restore(history_.Redo(), false);
}

const LineStep *Sheet::Restore(const LineStep *step, bool undone)
{
    if (step == nullptr)
        return nullptr;
    lines_ = undone ? step->before : step->after;
    selected_ = undone ? step->slotBefore : step->slotAfter;
    // An opened link changed the size and the switches too.
    if (step->command == LineCommand::Open)
        Apply(undone ? step->settingsBefore : step->settingsAfter);
    return step;
}

void Sheet::Record(const LineTable &before, int slotBefore, int slotAfter, LineCommand command,
                   int slot, const SheetSettings &settingsBefore)
{
    if (before == lines_ && settingsBefore == Settings())
        return;
    history_.Push(
        {before, lines_, slotBefore, slotAfter, command, slot, View(), settingsBefore, Settings()});
}
