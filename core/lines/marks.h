// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/crossings.h"
#include "lines/linetable.h"
#include "plane/planeview.h"

#include "surface/geometry.h"

#include <string>

#include <vector>

class Canvas;

// What a teacher may show over the picture for the lesson on simultaneous
// equations: each drawn line's number ①…⑧ beside it in the line colour, and
// a red dot with its coordinates "(4/3, 8/3)" where two drawn stretches cross
// on the surface.

// A mark and where it goes: its text's top-left corner and the box it fills.
struct PlacedMark {
    std::string text;
    Box box;
};

struct MarkPlaces {
    std::vector<PlacedMark> lineNumbers;
    std::vector<PlacedMark> coordinates;
};

// "①" for slot 0 up to "⑩" for slot 9.
std::string CircledNumber(int slot);

// Finds a place for every mark, each kept clear of the plane's own numbers,
// of the marks placed before it and, where it can be, of the lines. Text
// sizes come from the canvas, in the fonts the marks are printed in.
MarkPlaces PlaceMarks(Canvas &canvas, const LineTable &table, const PlaneView &view,
                      const std::vector<Crossing> &crossings);

// Draws the marks over what is shown and leaves the pen black and the font
// as the plane prints.
void DrawMarksOn(Canvas &canvas, const LineTable &table, const PlaneView &view,
                 const std::vector<Crossing> &crossings);
