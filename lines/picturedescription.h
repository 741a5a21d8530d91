// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planeview.h"

#include <QStringList>

// What the surface shows, in the words a teacher writes on the board, for a
// screen reader to speak and for the text of a copied picture.

// "直線３", the slot as its button names it.
QString LineName(int slot);

// A stored line as "x + 2y = 4, −2 ≦ x ≦ 6": coefficients of 1 left out, zero
// terms left out, a vertical line with its range of y. A line that cannot be
// drawn at this view says so and why.
QString DescribeLine(const LineSlot &line, const PlaneView &view);

// "座標平面 大きさ中、xもyも −13 から 13 まで": the plane size and what it shows.
QString DescribePlaneSize(const PlaneView &view);

// The plane size, then every stored line with its name, one part each.
QStringList DescribePicture(const LineTable &table, const PlaneView &view);

// What a slot button holds: "１ 空き", or its line.
QString DescribeSlotButton(int slot, const LineTable &table, const PlaneView &view);
