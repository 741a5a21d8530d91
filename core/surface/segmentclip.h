// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

struct Segment {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// Cuts a segment to the rectangle [left, right] x [top, bottom], in double
// precision. Returns nothing when no part of it lies inside or when an end is
// not finite, so what comes back is always safe to hand to any face's drawing.
std::optional<Segment> ClipSegment(Segment segment, double left, double top, double right,
                                   double bottom);

// What a pen `penWidth` pixels wide draws of a line on a surface of
// `width` x `height` pixels: the segment cut to the surface and the little
// the pen reaches past it, so that lines ending just outside still draw
// their caps up to the edge. Nothing when no part of it shows.
std::optional<Segment> PenSegment(Segment segment, int penWidth, double width, double height);
