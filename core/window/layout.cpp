// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/layout.h"

#include "runtime/points.h"

#include <string>

std::string ControlName(int control)
{
    if (control < 0 || static_cast<std::size_t>(control) >= ControlCount)
        return {};
    const ControlLayout &row = FormLayout()[static_cast<std::size_t>(control)];
    std::string name = row.name;
    if (row.index >= 0) {
        name += '(';
        name += std::to_string(row.index);
        name += ')';
    }
    return name;
}

float Points(FontStyle style)
{
    switch (style) {
    case FontStyle::R12:
    case FontStyle::B12:
        return 12;
    case FontStyle::B14:
        return 14;
    case FontStyle::B20:
        return 20;
    case FontStyle::R24:
        return 24;
    case FontStyle::None:
        break;
    }
    return 12;
}

int PixelSize(FontStyle style)
{
    return PointsToPixels(Points(style));
}

bool IsBold(FontStyle style)
{
    return style == FontStyle::B12 || style == FontStyle::B14 || style == FontStyle::B20;
}
