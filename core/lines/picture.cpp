// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/picture.h"

#include "lines/linedrawing.h"
#include "plane/planedrawing.h"

void DrawPictureOn(Canvas &canvas, const LineTable &table, const PlaneView &view)
{
    DrawPlaneOn(canvas, view);
    for (int slot = 0; slot < LineTable::SlotCount; ++slot)
        DrawLineOn(canvas, table, slot, LineColor, view);
}
