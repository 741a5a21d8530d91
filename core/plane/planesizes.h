// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

// The run of tick numbers along each half-axis: `count` numbers, one every
// `step` units; from the `twoDigitsFrom`-th on they have two digits and stand
// a little to the left.
struct TickRun {
    int count;
    int step;
    int twoDigitsFrom;
};

// One of the three plane sizes the buttons "小", "中" and "大" choose: a small
// plane shows few units large, a large plane many units small.
struct PlaneSize {
    std::int16_t gridUnit; // pixels per unit
    const char *caption;   // UTF-8, as on its button
    TickRun ticks;
};

inline constexpr std::array<PlaneSize, 3> PlaneSizes = {{
    {40, "小", {7, 2, 5}},
    {22, "中", {5, 5, 2}},
    {14, "大", {8, 5, 2}},
}};

// The plane starts at the middle size.
inline constexpr std::size_t StartPlaneSize = 1;

// The size shown at `gridUnit` pixels per unit, or null for any other unit.
constexpr const PlaneSize *PlaneSizeFor(int gridUnit)
{
    for (const PlaneSize &size : PlaneSizes) {
        if (size.gridUnit == gridUnit)
            return &size;
    }
    return nullptr;
}
