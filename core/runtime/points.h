// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Converts a font size in points to pixels at the layout's 96 pixels per
// inch, rounded to the nearest pixel; at least 1 and at most 4096 whatever
// the input, NaN included.
int PointsToPixels(double points);
