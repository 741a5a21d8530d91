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
