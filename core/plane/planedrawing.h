// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "plane/planeview.h"

#include <string>

#include <vector>

class Canvas;

// Wipes the canvas and draws the empty plane: both axes, one grid line per
// unit, the origin mark and the tick numbers. Draws in the canvas's current
// colour and leaves the pen 1 pixel wide and the font bold.
void DrawPlaneOn(Canvas &canvas, const PlaneView &view);

// A text the plane prints: the origin mark or a tick number, with the top-left
// corner of where it is printed.
struct PlaneText {
    int x;
    int y;
    std::string text;
};
// Every text of the plane at this view, in the order it is printed. Marks
// drawn over the plane keep clear of them.
std::vector<PlaneText> PlaneTexts(const PlaneView &view);

// Window positions of the two axis names that stand beside the surface:
// "ｙ" above the y axis, "χ" right of the x axis.
struct AxisNamePlaces {
    int yNameLeft;
    int xNameTop;
};
AxisNamePlaces AxisNamePlacesFor(const PlaneView &view);
