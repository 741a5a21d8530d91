// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/linetable.h"

#include "runtime/numbers.h"

std::size_t LineTable::Index(int slot)
{
    if (slot < 0)
        return 0;
    if (slot >= SlotCount)
        return SlotCount - 1;
    return static_cast<std::size_t>(slot);
}

LineSlot &LineTable::Slot(int slot)
{
    return slots_[Index(slot)];
}

const LineSlot &LineTable::Slot(int slot) const
{
    return slots_[Index(slot)];
}

void LineTable::ClearAll()
{
    for (LineSlot &slot : slots_)
        slot.Drawn = 0;
}

std::optional<RangeOf> RangeForTypedB(std::string_view bText)
{
    if (bText.empty())
        return std::nullopt;
    // The test is made on the double that is read, not on the single that a
    // drawn line will store: 1E-50 is not 0 here.
    return RangeFor(ReadNumber(bText));
}
