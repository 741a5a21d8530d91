// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// What a line's range runs over. b = 0 makes a vertical line, ranged in y;
// any other b, however small, gives a range of x. The test is exact: -0
// counts as 0, 1E-50 does not.
enum class RangeOf { X, Y };
constexpr RangeOf RangeFor(double b)
{
    return b == 0.0 ? RangeOf::Y : RangeOf::X;
}

// What the range of the line being typed runs over, going by the text typed
// as b; nothing for an empty text, which leaves the range as it was.
std::optional<RangeOf> RangeForTypedB(std::string_view bText);

// One stored line a*x + b*y = c over a range, as RangeFor(B) says. Values are
// single precision, as stored.
struct LineSlot {
    float Drawn = 0; // exactly 1 when the slot holds a line, 0 when it is empty
    float A = 0;
    float B = 0;
    float C = 0;
    float From = 0;
    float To = 0;

    // Every reader asks this one question; Drawn is only ever written as
    // exactly 0 or 1.
    bool IsDrawn() const { return Drawn == 1.0f; }
    RangeOf Range() const { return RangeFor(B); }
    bool operator==(const LineSlot &) const = default;
};

// The slot buttons １ to ８ stand in two rows of four and reach the first
// eight slots of the table.
inline constexpr int SlotButtonCount = 8;
inline constexpr int SlotButtonsPerRow = 4;

// Ten slots of six singles, as the old program's table had them: the slot
// buttons reach the first eight, a full redraw visits all ten, and the drawn
// mark is a number like the rest.
class LineTable {
public:
    static constexpr int SlotCount = 10;

    // Out-of-range slots are clamped to the nearest real one rather than
    // reading past the table.
    LineSlot &Slot(int slot);
    const LineSlot &Slot(int slot) const;

    // Marks every slot empty; the stored numbers stay.
    void ClearAll();

    bool operator==(const LineTable &) const = default;

private:
    static std::size_t Index(int slot);
    std::array<LineSlot, SlotCount> slots_{};
};
