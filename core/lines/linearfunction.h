// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "lines/meeting.h"

#include <optional>
#include <vector>

// The line being typed, read as the lesson on linear functions reads it:
// y = ax + b with its slope, intercept, ranges, rate of change and table of
// values. Every number is worked out exactly from the numbers as the boxes
// show them (0.1 is 1/10), as the crossings are, and kept as a Coordinate: a
// whole number or a fraction in lowest terms, or rounded beyond four digits.

// What the boxes make.
enum class FunctionKind {
    NoLine,   // a and b are both 0
    TooLarge, // a box holds a number beyond the single range
    Vertical, // b = 0: the line x = c/a, and y is no function of x
    Function, // y = slope * x + intercept
};

// One column of the table of values.
struct TableColumn {
    Coordinate x;
    Coordinate y;
};

// The rate of change between the ends of the range, in the textbook's steps:
// (y2 − y1)/(x2 − x1) = unreduced = rate.
struct RateOfChange {
    Coordinate x1; // the smaller end of the range, and its y
    Coordinate y1;
    Coordinate x2; // the larger end, and its y
    Coordinate y2;
    // The increases of y and x brought to whole numbers over their least
    // common denominator and not reduced: "−4/6". Nothing when that is
    // written as the rate already, or takes more than four digits.
    std::optional<Coordinate> unreduced;
    Coordinate rate; // the slope, as it must be
};

// At most this many columns in the table of values.
inline constexpr int MostTableColumns = 13;

struct LinearFunction {
    FunctionKind kind = FunctionKind::NoLine;
    // Vertical only: the x of every point of the line.
    Coordinate verticalX;
    // The rest for a Function only.
    Coordinate slope;
    Coordinate intercept;
    // The range from its smaller end, whichever box holds it, and the range
    // of y it gives, from the smaller y to the larger.
    Coordinate xLow;
    Coordinate xHigh;
    Coordinate yLow;
    Coordinate yHigh;
    // Nothing when the range is one point.
    std::optional<RateOfChange> rate;
    // The table of values, x at the whole numbers of the range: all of them
    // when there are at most 13; beyond that the multiples of the smallest
    // whole step with which 13 columns reach from the first whole number to
    // the last, step = ceil((last − first) / 12), so that x = 0 is a column
    // whenever the range holds it. −20 to 20 gives −20, −16, …, 20. Empty
    // when the range holds no whole number.
    std::vector<TableColumn> table;
};

// Reads the line the boxes hold, as the draw button would store it (the
// Drawn mark is not looked at).
LinearFunction FunctionOf(const LineSlot &typed);
