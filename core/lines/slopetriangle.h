// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planeview.h"

#include "surface/geometry.h"

#include <optional>
#include <string>

class Canvas;

// The slope triangle the lesson on linear functions draws under a line: from
// a point of the line across to the right by the slope's denominator, then up
// or down by its numerator to the line again, so that both legs are whole
// numbers of units: 3 across and 2 down for y = −2/3x + 2.
struct SlopeTriangle {
    Point start;  // on the line
    Point corner; // level with the start, across from it
    Point end;    // on the line again, above or below the corner
    // The legs' lengths as written beside them: "3" across, "2" up or down.
    std::string across;
    std::string rise;
};

// Where the triangle of the line being typed goes at this view, its corners
// at their surface pixels. It starts at a whole x from which it stays wholly
// inside the line's range and on the surface, its border included: the
// smallest such x whose point of the line has a whole y too, so that every
// corner is a grid point; failing that, the smallest such x. When the plane or
// the range leaves no room for whole legs, the triangle 1 across and the slope
// up or down takes their place, placed the same way. Nothing when that does
// not fit either, or for a level or vertical line, or no line.
std::optional<SlopeTriangle> SlopeTriangleOf(const LineSlot &typed, const PlaneView &view);

// Draws the triangle over what is shown in a colour of its own: the legs with
// the 3-pixel pen of the lines, the slanting side thin (the line itself need
// not be drawn yet), each leg's length on a white backing outside it. Leaves
// the pen black and the font as the plane prints.
void DrawSlopeTriangleOn(Canvas &canvas, const SlopeTriangle &triangle);
