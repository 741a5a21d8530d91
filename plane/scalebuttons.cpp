// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "runtime/uifont.h"

#include <QPushButton>

namespace {

// Pixels per unit for the plane-size buttons "小", "中" and "大": a small
// plane shows few units large, a large plane many units small.
constexpr std::int16_t gridUnitFor[3] = {40, 22, 14};

} // namespace

void Form1::MarkScaleButton(int index)
{
    for (QPushButton *button : Command3)
        button->setFont(vb::GothicFont(vb::PointsToPixels(12), false));
    Command3[static_cast<std::size_t>(index)]->setFont(
        vb::GothicFont(vb::PointsToPixels(20), true));
}

void Form1::Command3_Click(std::int16_t index)
{
    if (index < 0 || index > 2)
        return;
    MarkScaleButton(index);
    view_.GridUnit = gridUnitFor[index];
    DrawPlane();
    DrawAllLines();
}
