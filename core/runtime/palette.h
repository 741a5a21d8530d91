// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// An opaque colour as 0xffRRGGBB, the layout every face's image uses.
using Rgb = std::uint32_t;

constexpr Rgb RgbOf(int red, int green, int blue)
{
    return 0xff000000u | (static_cast<Rgb>(red & 0xff) << 16) |
           (static_cast<Rgb>(green & 0xff) << 8) | static_cast<Rgb>(blue & 0xff);
}

// The classic 16-colour palette, index 0 to 15. An index outside that range
// gives black rather than reading past the table.
Rgb PaletteColour(int index);
