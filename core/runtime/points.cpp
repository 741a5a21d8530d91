// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/points.h"

#include <cmath>

int PointsToPixels(double points)
{
    if (!std::isfinite(points) || points <= 0)
        return 1;
    const double pixels = std::round(points * 96.0 / 72.0);
    return pixels > 4096 ? 4096 : static_cast<int>(pixels);
}
