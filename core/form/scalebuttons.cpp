// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/form1.h"

#include "form/sentences.h"

void Form1::Command3_Click(std::int16_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= PlaneSizes.size())
        return;
    // The chosen size's button shows its caption large and bold.
    planeSize_ = static_cast<std::size_t>(index);
    view_.GridUnit = PlaneSizes[planeSize_].gridUnit;
    RedrawSurface();
    Announce(PlaneSizeChosenSentence(lineTable_, view_));
}
