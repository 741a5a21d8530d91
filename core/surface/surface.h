// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/palette.h"

// The drawing surface as the window has it: 600 x 600 pixels, pale yellow
// wherever nothing is drawn, and text printed at 20 points.
inline constexpr int SurfaceWidth = 600;
inline constexpr int SurfaceHeight = 600;
inline constexpr Rgb SurfaceBackColour = RgbOf(255, 255, 192);
inline constexpr float SurfaceFontPoints = 20.0f;
