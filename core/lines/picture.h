// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/crossings.h"
#include "lines/linetable.h"
#include "plane/planeview.h"

#include <vector>

class Canvas;
class Sheet;

// The whole picture, as every full redraw makes it: the plane at the view's
// size, then the line of every slot in slot order, in the line colour. Empty
// slots draw nothing.
void DrawPictureOn(Canvas &canvas, const LineTable &table, const PlaneView &view);

// The picture as the window shows it: the whole picture above, then the
// lines' numbers and crossings when the sheet shows them, then the slope
// triangle of the line being typed when it shows the function. Without
// `withLines`, only the bare plane: a worksheet for pupils to draw on.
void DrawShownPictureOn(Canvas &canvas, const Sheet &sheet, const std::vector<Crossing> &crossings,
                        const LineSlot &typed, bool withLines = true);
