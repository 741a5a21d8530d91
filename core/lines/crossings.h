// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "lines/meeting.h"
#include "plane/planeview.h"

#include "surface/geometry.h"

#include <string>

#include <vector>

// Where the stored lines cross, worked out exactly from the numbers their
// boxes show, with the coordinates in the words a lesson writes and reads.

// One pair of lines. The coordinates and the pixel are set for a Point only.
struct Crossing {
    int first = 0;  // slot of the first line, 0 to 9
    int second = 0; // slot of the second line, after the first
    CrossingKind kind = CrossingKind::Point;
    Coordinate x;
    Coordinate y;
    // The point lies on the drawn stretch of both lines and on the surface
    // (its border included), and both lines can be drawn at this view: it
    // gets a dot. Never set for parallel lines or one line twice.
    bool marked = false;
    // Where the dot goes, rounded from the exact point; far away or infinite
    // for a point that is not marked.
    Point pixel;
};

// Every pair of stored lines in slot order, (1, 2), (1, 3), ..., (2, 3), ...,
// over the slots that are drawn and hold a line: a slot with a = b = 0 or
// with a value that is not finite takes no part. The surface is the one the
// window has.
std::vector<Crossing> Crossings(const LineTable &table, const PlaneView &view);

// How the line in `slot` meets every other stored line, in slot order, with
// `slot` as the first of each pair. Nothing when `slot` holds no line.
std::vector<Crossing> CrossingsWith(int slot, const LineTable &table, const PlaneView &view);

// "(4/3, 8/3)".
std::string PointText(const Crossing &crossing);
