// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planeview.h"

#include <cstdint>
#include <optional>

class Canvas;

// The palette colour every stored line is drawn in: light blue.
inline constexpr std::int16_t LineColor = 9;

// Surface pixels of a stored line's two ends, the From end first.
struct PixelSegment {
    float x1;
    float y1;
    float x2;
    float y2;
};

// Works out where a slot's line lies on the surface, in single precision with
// every quotient, product and sum rounded as it is made. Gives nothing for a
// slot that describes no line (a = b = 0) or whose ends are not finite.
std::optional<PixelSegment> LineEnds(const LineSlot &slot, const PlaneView &view);

// Draws one slot's line with a 3-pixel pen in the palette colour, then puts
// the colour back to black. An empty slot leaves the canvas untouched.
void DrawLineOn(Canvas &canvas, const LineTable &table, int slot, std::int16_t colour,
                const PlaneView &view);
