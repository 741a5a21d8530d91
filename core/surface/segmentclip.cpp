// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "surface/segmentclip.h"

#include <cmath>

namespace {

enum Outside { Left = 1, Right = 2, Above = 4, Below = 8 };

double Clamp(double v, double lo, double hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

} // namespace

std::optional<Segment> ClipSegment(Segment s, double left, double top, double right, double bottom)
{
    if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) ||
        !std::isfinite(s.y2))
        return std::nullopt;

    // Where the line crosses an edge is worked out from the line through the
    // two original ends, y * dx = x * dy + cross. Ends far away make every
    // term huge while the crossing is small, so the terms are formed in long
    // double: its wider exponent cannot overflow for any double, and the
    // products of the single-precision ends the surface passes are exact.
    using Wide = long double;
    const Wide dx = Wide(s.x2) - Wide(s.x1);
    const Wide dy = Wide(s.y2) - Wide(s.y1);
    const Wide cross = Wide(s.y1) * Wide(s.x2) - Wide(s.x1) * Wide(s.y2);
    auto yAt = [&](double x) { return static_cast<double>((Wide(x) * dy + cross) / dx); };
    auto xAt = [&](double y) { return static_cast<double>((Wide(y) * dx - cross) / dy); };
    auto outside = [&](double x, double y) {
        int code = 0;
        if (x < left)
            code |= Left;
        else if (x > right)
            code |= Right;
        if (y < top)
            code |= Above;
        else if (y > bottom)
            code |= Below;
        return code;
    };

    // Cohen-Sutherland: move an outside end onto the edge it lies beyond
    // until both ends are inside or both lie beyond the same edge. Each move
    // puts one coordinate exactly on its edge, so a few rounds always do.
    double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
    int code1 = outside(x1, y1);
    int code2 = outside(x2, y2);
    for (int round = 0; round < 8 && (code1 | code2) != 0; ++round) {
        if ((code1 & code2) != 0)
            return std::nullopt;
        const bool first = code1 != 0;
        const int code = first ? code1 : code2;
        double &x = first ? x1 : x2;
        double &y = first ? y1 : y2;
        // The other end is not beyond this edge, so the line is not parallel
        // to it and the division is safe.
        if (code & Left) {
            x = left;
            y = yAt(left);
        } else if (code & Right) {
            x = right;
            y = yAt(right);
        } else if (code & Above) {
            y = top;
            x = xAt(top);
        } else {
            y = bottom;
            x = xAt(bottom);
        }
        if (!std::isfinite(x) || !std::isfinite(y))
            return std::nullopt;
        (first ? code1 : code2) = outside(x, y);
    }
    if ((code1 & code2) != 0)
        return std::nullopt;
    // What rounding leaves a hair outside is put back on the edge.
    return Segment{Clamp(x1, left, right), Clamp(y1, top, bottom), Clamp(x2, left, right),
                   Clamp(y2, top, bottom)};
}

std::optional<Segment> PenSegment(Segment segment, int penWidth, double width, double height)
{
    const double reach = static_cast<double>(penWidth > 0 ? penWidth : 1) + 1.0;
    return ClipSegment(segment, -reach, -reach, width + reach, height + reach);
}
