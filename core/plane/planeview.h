// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "plane/planesizes.h"
#include "surface/surface.h"

#include <cstdint>

// Where the plane's origin sits on the surface and how many pixels one unit
// of the plane takes. A point (x, y) is drawn at pixel
// (OriginX + x * GridUnit, OriginY - y * GridUnit). The defaults are the view
// the program starts with: the origin in the middle of the surface,
// the middle plane size.
struct PlaneView {
    std::int16_t OriginX = SurfaceWidth / 2;
    std::int16_t OriginY = SurfaceHeight / 2;
    std::int16_t GridUnit = PlaneSizes[StartPlaneSize].gridUnit;
};

// The one mapping from the plane to the surface: the point (x, y) lies at
// pixel (OriginX + x * GridUnit, OriginY - y * GridUnit). T is the caller's
// arithmetic: single precision for the drawn ends, every product and sum
// rounded as it is made; whole numbers for the exact crossings, which pass a
// coordinate as x / per and get the pixel times per, so that nothing is
// divided or reduced on the way.
template <typename T> T PixelX(const T &x, const PlaneView &view, const T &per = T(1))
{
    return T(view.OriginX) * per + T(view.GridUnit) * x;
}

template <typename T> T PixelY(const T &y, const PlaneView &view, const T &per = T(1))
{
    return T(view.OriginY) * per - T(view.GridUnit) * y;
}
