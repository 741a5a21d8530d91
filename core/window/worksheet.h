// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/crossings.h"
#include "lines/linetable.h"
#include "window/sentences.h"

#include <array>
#include <vector>

class Canvas;
class Sheet;

// A worksheet: the plane as shown, on one A4 page upright, at a scale a
// pupil's ruler can check, with the lines' equations, the scale in words and
// a 10 cm bar below it.
//
// It is drawn on a canvas for paper, whose positions are CSS pixels (1/96
// inch) from the page's top-left corner, whose font sizes are points, and
// whose pen widths are hundredths of a millimetre, so that the grid can be
// thinner than a screen pixel. The pen's ends are square and end where the
// line does. Nothing is drawn under the plane: the paper stays white.
namespace paper {
inline constexpr double PixelsPerMillimetre = 96.0 / 25.4;
inline constexpr double Width = 210.0 * PixelsPerMillimetre;
inline constexpr double Height = 297.0 * PixelsPerMillimetre;
inline constexpr double Margin = 15.0 * PixelsPerMillimetre;
// The width a printer can be trusted with.
inline constexpr double PrintableWidth = Width - 2.0 * Margin;
} // namespace paper

// The lengths of one unit of the plane on paper, in millimetres, largest
// first.
inline constexpr std::array<int, 3> PaperScales = {10, 5, 4};

// What the teacher chose to print.
struct WorksheetChoice {
    int millimetresPerUnit = 0; // 0: the largest scale at which the plane fits
    bool withLines = true;      // false: the pupils' copy, the plane bare
};

// Whether the whole plane of this grid unit fits the page at this scale; a
// plane that does not is printed around its origin as far as the page goes.
bool PlaneFitsPaper(int gridUnit, int millimetresPerUnit);
// The largest of PaperScales at which the whole plane fits.
int FittingScale(int gridUnit);

// Everything a worksheet shows: the sheet, what the window shows over it,
// and the function's words while the sheet shows them.
struct WorksheetContent {
    const Sheet &sheet;
    const std::vector<Crossing> &crossings;
    LineSlot typed;
    const FunctionWords *function = nullptr;
};

void DrawWorksheetOn(Canvas &page, const WorksheetContent &content, WorksheetChoice choice);
