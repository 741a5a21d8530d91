// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/linedrawing.h"

#include "runtime/palette.h"
#include "surface/canvas.h"

#include <cmath>

std::optional<PixelSegment> LineEnds(const LineSlot &slot, const PlaneView &view)
{
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    if (slot.Range() == RangeOf::Y) {
        // A vertical line. With a = 0 as well the slot describes no line at
        // all.
        if (slot.A == 0.0f)
            return std::nullopt;
        const float x = slot.C / slot.A;
        x1 = x;
        y1 = slot.From;
        x2 = x;
        y2 = slot.To;
    } else {
        // The slope form, each part rounded to single precision on its own:
        // (-a/b)*x + c/b, not (c - a*x)/b.
        const float m = (slot.A * -1.0f) / slot.B;
        const float q = slot.C / slot.B;
        const float mFrom = m * slot.From;
        const float mTo = m * slot.To;
        x1 = slot.From;
        y1 = mFrom + q;
        x2 = slot.To;
        y2 = mTo + q;
    }
    const PixelSegment ends{PixelX(x1, view), PixelY(y1, view), PixelX(x2, view), PixelY(y2, view)};
    if (!std::isfinite(ends.x1) || !std::isfinite(ends.y1) || !std::isfinite(ends.x2) ||
        !std::isfinite(ends.y2))
        return std::nullopt;
    return ends;
}

void DrawLineOn(Canvas &canvas, const LineTable &table, int slot, std::int16_t colour,
                const PlaneView &view)
{
    const LineSlot &line = table.Slot(slot);
    if (!line.IsDrawn())
        return;
    canvas.SetForeColor(PaletteColour(colour));
    canvas.SetDrawWidth(3);
    if (const auto ends = LineEnds(line, view))
        canvas.Line(ends->x1, ends->y1, ends->x2, ends->y2);
    canvas.SetForeColor(PaletteColour(0));
}
