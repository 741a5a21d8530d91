// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>

// Points, sizes and boxes on the surface, in surface pixels, as doubles.

struct Point {
    double x = 0;
    double y = 0;
};

// How far a text reaches from its top-left corner.
struct Extent {
    double width = 0;
    double height = 0;
};

// A box with its top-left corner and a size; a box of no width or height is
// empty, and no box contains it or meets it.
struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    Box() = default;
    Box(double l, double t, double w, double h)
        : left(l)
        , top(t)
        , width(w)
        , height(h)
    {}
    Box(Point corner, Extent size)
        : Box(corner.x, corner.y, size.width, size.height)
    {}

    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
    bool IsEmpty() const { return width <= 0 || height <= 0; }

    // The box grown by dx1, dy1 at its top-left and dx2, dy2 at its
    // bottom-right corner.
    Box Adjusted(double dx1, double dy1, double dx2, double dy2) const
    {
        return {left + dx1, top + dy1, width + dx2 - dx1, height + dy2 - dy1};
    }

    // Whether `inner` lies wholly inside, edges included. Both must have a
    // width and a height.
    bool Contains(const Box &inner) const
    {
        if (width == 0 || height == 0 || inner.width == 0 || inner.height == 0)
            return false;
        return inner.left >= left && inner.Right() <= Right() && inner.top >= top &&
               inner.Bottom() <= Bottom();
    }

    // What the two boxes share; empty where they do not overlap.
    Box Intersected(const Box &other) const
    {
        if (width == 0 || height == 0 || other.width == 0 || other.height == 0)
            return {};
        if (left >= other.Right() || other.left >= Right() || top >= other.Bottom() ||
            other.top >= Bottom())
            return {};
        const double l = std::max(left, other.left);
        const double t = std::max(top, other.top);
        return {l, t, std::min(Right(), other.Right()) - l, std::min(Bottom(), other.Bottom()) - t};
    }
};
