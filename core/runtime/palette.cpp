// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/palette.h"

#include <array>

Rgb PaletteColour(int index)
{
    static constexpr std::array<Rgb, 16> palette = {
        RgbOf(0, 0, 0),       RgbOf(0, 0, 128),   RgbOf(0, 128, 0),   RgbOf(0, 128, 128),
        RgbOf(128, 0, 0),     RgbOf(128, 0, 128), RgbOf(128, 128, 0), RgbOf(192, 192, 192),
        RgbOf(128, 128, 128), RgbOf(0, 0, 255),   RgbOf(0, 255, 0),   RgbOf(0, 255, 255),
        RgbOf(255, 0, 0),     RgbOf(255, 0, 255), RgbOf(255, 255, 0), RgbOf(255, 255, 255),
    };
    if (index < 0 || index >= static_cast<int>(palette.size()))
        return palette[0];
    return palette[static_cast<std::size_t>(index)];
}
