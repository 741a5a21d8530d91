// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planeview.h"

#include <QString>

// What the surface shows, in words a screen reader can speak: the plane size
// and every stored line as its equation and range.
QString DescribePicture(const LineTable &table, const PlaneView &view);
