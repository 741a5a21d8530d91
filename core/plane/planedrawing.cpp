// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plane/planedrawing.h"

#include "runtime/numbers.h"
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

// The origin mark "Ｏ" below the x axis and left of the y axis, then the tick
// numbers, four per step: positive and negative x, positive and negative y.
// Two-digit numbers stand a little to the left.
void AddTickNumbers(std::vector<PlaneText> &texts, const PlaneView &view)
{
    const PlaneSize *size = PlaneSizeFor(view.GridUnit);
    if (size == nullptr)
        return;
    const TickRun &run = size->ticks;
    for (int i = 1; i <= run.count; ++i) {
        const int v = run.step * i;
        const int w = Truth(i >= run.twoDigitsFrom);
        const int p = (i * view.GridUnit) * run.step;
        const std::string positive = NumberText(static_cast<float>(v));
        const std::string negative = NumberText(static_cast<float>(-v));
        texts.push_back({view.OriginX - 15 + p + 8 * w, view.OriginY - 2, positive});
        texts.push_back({view.OriginX - 20 - p + 8 * w, view.OriginY - 2, negative});
        texts.push_back({view.OriginX - 25 + 13 * w, view.OriginY - 12 - p, positive});
        texts.push_back({view.OriginX - 30 + 13 * w, view.OriginY - 12 + p, negative});
    }
}

void PrintTexts(Canvas &canvas, const std::vector<PlaneText> &texts)
{
    for (const PlaneText &text : texts) {
        canvas.SetCurrentX(static_cast<float>(text.x));
        canvas.SetCurrentY(static_cast<float>(text.y));
        canvas.Print(text.text);
    }
}

} // namespace

void DrawPlaneOn(Canvas &canvas, const PlaneView &view)
{
    canvas.Clear();
    DrawAxes(canvas, view);
    DrawGrid(canvas, view);
    canvas.SetFontBold(true);
    PrintTexts(canvas, PlaneTexts(view));
    canvas.Refresh();
}

std::vector<PlaneText> PlaneTexts(const PlaneView &view)
{
    std::vector<PlaneText> texts{{view.OriginX - 20, view.OriginY - 2, "Ｏ"}};
    AddTickNumbers(texts, view);
    return texts;
}

AxisNamePlaces AxisNamePlacesFor(const PlaneView &view)
{
    return {view.OriginX + 4, view.OriginY + 28};
}
