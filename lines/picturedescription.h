// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planeview.h"

#include <QStringList>

// What the surface shows, in words a screen reader can speak: the plane size,
// then every stored line as its equation and range, one part each.
QStringList DescribePicture(const LineTable &table, const PlaneView &view);
