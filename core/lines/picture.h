// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planeview.h"

class Canvas;

// The whole picture, as every full redraw makes it: the plane at the view's
// size, then the line of every slot in slot order, in the line colour. Empty
// slots draw nothing.
void DrawPictureOn(Canvas &canvas, const LineTable &table, const PlaneView &view);
