// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "app/layout.h"
#include "lines/picturedescription.h"

#include <QPushButton>

void Form1::MarkScaleButton(int index)
{
    for (QPushButton *button : Command3)
        button->setFont(ControlFont(ScaleButtonPlainFont));
    Command3[static_cast<std::size_t>(index)]->setFont(ControlFont(ScaleButtonChosenFont));
}

void Form1::Command3_Click(std::int16_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= PlaneSizes.size())
        return;
    MarkScaleButton(index);
    view_.GridUnit = PlaneSizes[static_cast<std::size_t>(index)].gridUnit;
    RedrawSurface();
    Announce(DescribePicture(lineTable_, view_).join(QStringLiteral("。")));
}
