// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRgb>

#include <array>
#include <cstdint>

// What a pupil sees, written down once for every test and on purpose apart
// from the program's own constants, so that a changed constant shows as a
// failing test.

// The colours of the picture, as opaque pixels.
inline constexpr QRgb SurfaceYellow = qRgb(255, 255, 192);
inline constexpr QRgb LineBlue = qRgb(0, 0, 255);
inline constexpr QRgb Black = qRgb(0, 0, 0);

// The colours of the window: its green ground, the olive panel and the white
// captions on both.
inline constexpr QRgb WindowGreen = qRgb(0, 128, 0);
inline constexpr QRgb PanelOlive = qRgb(128, 128, 0);
inline constexpr QRgb CaptionWhite = qRgb(255, 255, 255);

// The surface is a square of this many pixels with the plane's origin in its
// middle; its text is printed at 20 points.
inline constexpr int SurfaceSize = 600;
inline constexpr int PlaneOrigin = 300;
inline constexpr float SurfaceTextPoints = 20.0f;

// The two places of the caption "≦ ｙ≦": over "≦χ≦" for a vertical line, and
// hidden under the draw button otherwise.
inline constexpr int CaptionShownTop = 408;
inline constexpr int CaptionHiddenTop = 456;

// Pixels per unit of the plane sizes "小", "中" and "大".
inline constexpr std::array<std::int16_t, 3> PlaneUnits = {40, 22, 14};
