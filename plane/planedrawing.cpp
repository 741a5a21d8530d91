// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plane/planedrawing.h"

#include "runtime/vbnumber.h"
#include "surface/canvas.h"

#include <cmath>

namespace {

// A comparison as the old BASIC gave it: -1 when true, 0 when false. The tick
// numbers use it to move two-digit labels to the left.
int Truth(bool condition)
{
    return condition ? -1 : 0;
}

void DrawAxes(Canvas &canvas, const PlaneView &view)
{
    canvas.SetDrawWidth(3);
    canvas.Line(0, view.OriginY, canvas.Width(), view.OriginY);
    canvas.Line(view.OriginX, 0, view.OriginX, canvas.Height());
}

// One line per unit on both sides of both axes. The count comes from the
// width alone and serves every direction, so some lines fall beyond the edges;
// the canvas clips them.
void DrawGrid(Canvas &canvas, const PlaneView &view)
{
    const auto n =
        static_cast<std::int16_t>(std::floor(canvas.Width() / static_cast<float>(view.GridUnit)));
    canvas.SetDrawWidth(1);
    for (int i = 1; i <= n; ++i) {
        const int step = i * view.GridUnit;
        canvas.Line(0, view.OriginY + step, canvas.Width(), view.OriginY + step);
        canvas.Line(view.OriginX + step, 0, view.OriginX + step, canvas.Height());
        canvas.Line(0, view.OriginY - step, canvas.Width(), view.OriginY - step);
        canvas.Line(view.OriginX - step, 0, view.OriginX - step, canvas.Height());
    }
}

void PrintAt(Canvas &canvas, int x, int y, const QString &text)
{
    canvas.SetCurrentX(static_cast<float>(x));
    canvas.SetCurrentY(static_cast<float>(y));
    canvas.Print(text);
}

void DrawOriginMark(Canvas &canvas, const PlaneView &view)
{
    PrintAt(canvas, view.OriginX - 20, view.OriginY - 2, QStringLiteral("Ｏ"));
}

void DrawTickNumbers(Canvas &canvas, const PlaneView &view)
{
    const PlaneSize *size = PlaneSizeFor(view.GridUnit);
    if (size == nullptr)
        return;
    const TickRun &run = size->ticks;
    for (int i = 1; i <= run.count; ++i) {
        const int v = run.step * i;
        const int w = Truth(i >= run.twoDigitsFrom);
        const int p = (i * view.GridUnit) * run.step;
        const QString positive = vb::Str(static_cast<float>(v));
        const QString negative = vb::Str(static_cast<float>(-v));
        PrintAt(canvas, view.OriginX - 15 + p + 8 * w, view.OriginY - 2, positive);
        PrintAt(canvas, view.OriginX - 20 - p + 8 * w, view.OriginY - 2, negative);
        PrintAt(canvas, view.OriginX - 25 + 13 * w, view.OriginY - 12 - p, positive);
        PrintAt(canvas, view.OriginX - 30 + 13 * w, view.OriginY - 12 + p, negative);
    }
}

} // namespace

void DrawPlaneOn(Canvas &canvas, const PlaneView &view)
{
    canvas.Cls();
    DrawAxes(canvas, view);
    DrawGrid(canvas, view);
    canvas.SetFontBold(true);
    DrawOriginMark(canvas, view);
    DrawTickNumbers(canvas, view);
    canvas.Refresh();
}

AxisNamePlaces AxisNamePlacesFor(const PlaneView &view)
{
    return {view.OriginX + 4, view.OriginY + 28};
}
