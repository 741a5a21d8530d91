// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// How two lines meet, in plain terms that the exact arithmetic and the
// crossings share.

enum class CrossingKind {
    Point,    // the two lines meet in one point
    Parallel, // same direction, different lines: they never meet
    SameLine, // one line written twice, as 2x + 2y = 8 and x + y = 4
};

// A coordinate of a crossing as the lesson has it: exactly, as a whole
// number or a fraction in lowest terms, or rounded when it would take more
// than four digits.
struct Coordinate {
    bool negative = false;
    bool rounded = false;
    // Exact: the digits above and below the bar, `below` empty for a whole
    // number. Rounded: `above` holds the shown number without its sign,
    // "1.234568E+10", "6.8E+38", ".5".
    std::string above;
    std::string below;
};

// As it is written: "3", "−4", "4/3", "−4/3", with the true minus sign;
// rounded, "≈" and the number: "≈1.234568E+10".
std::string WrittenCoordinate(const Coordinate &coordinate);
