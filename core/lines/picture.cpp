// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/picture.h"

#include "lines/linedrawing.h"
#include "lines/marks.h"
#include "lines/sheet.h"
#include "lines/slopetriangle.h"
#include "plane/planedrawing.h"
#include "surface/canvas.h"
#include "surface/surface.h"

void DrawPictureOn(Canvas &canvas, const LineTable &table, const PlaneView &view)
{
    DrawPlaneOn(canvas, view);
    for (int slot = 0; slot < LineTable::SlotCount; ++slot)
        DrawLineOn(canvas, table, slot, LineColor, view);
}

void DrawShownPictureOn(Canvas &canvas, const Sheet &sheet, const std::vector<Crossing> &crossings,
                        const LineSlot &typed, bool withLines)
{
    const PlaneView view = sheet.View();
    canvas.SetFontSize(SurfaceFontPoints);
    if (!withLines) {
        DrawPlaneOn(canvas, view);
        return;
    }
    DrawPictureOn(canvas, sheet.Lines(), view);
    if (sheet.MarksShown())
        DrawMarksOn(canvas, sheet.Lines(), view, crossings);
    if (sheet.FunctionShown()) {
        if (const auto triangle = SlopeTriangleOf(typed, view))
            DrawSlopeTriangleOn(canvas, *triangle);
    }
}
