// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "lines/linedrawing.h"
#include "lines/picturedescription.h"
#include "runtime/vbnumber.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

float ReadBox(const QLineEdit *box)
{
    return vb::ToSingle(vb::Val(box->text()));
}

} // namespace

void Form1::Command4_Click()
{
    // The slot is marked drawn before anything is read; whatever the boxes
    // hold is stored as it reads, without a range check.
    const std::int16_t k = currentSlot_;
    LineSlot &slot = lineTable_.Slot(k);
    slot.Drawn = 1;
    slot.A = ReadBox(Text1);
    slot.B = ReadBox(Text2);
    slot.C = ReadBox(Text3);
    slot.From = ReadBox(Text4);
    slot.To = ReadBox(Text5);
    // Drawn on top of what is shown: an earlier line of this slot stays
    // visible until the next full redraw.
    DrawLine(k, LineColor);
    if (currentSlot_ == SlotButtonCount - 1)
        currentSlot_ = -1;
    // Moving on selects the next slot (after the eighth, the first), which
    // empties or refills the boxes and puts the focus in the a box.
    FocusSlotButton(currentSlot_ + 1);
    MoveRangeCaption(RangeOf::X);
    Announce(LineName(k) + QStringLiteral("を引きました: ") + DescribeLine(slot, view_) +
             QStringLiteral("。次は") + DescribeSlotButton(currentSlot_, lineTable_, view_));
}

void Form1::Command5_Click()
{
    lineTable_.Slot(currentSlot_).Drawn = 0;
    EmptyBoxes();
    RedrawSurface();
    Text1->setFocus(Qt::OtherFocusReason);
    MoveRangeCaption(RangeOf::X);
    Announce(LineName(currentSlot_) + QStringLiteral("を消しました"));
}

void Form1::Command2_Click()
{
    lineTable_.ClearAll();
    currentSlot_ = 0;
    MoveRangeCaption(RangeOf::X);
    // Selecting slot 1 empties the boxes and puts the focus in the a box. When
    // slot 1 is already selected nothing is raised, so do it here: the sheet
    // always starts again with empty boxes.
    if (Option1[0]->isChecked())
        Option1_Click(0);
    else
        Option1[0]->setChecked(true);
    // Every slot is empty now, so the full redraw shows the bare plane.
    RedrawSurface();
    Announce(QStringLiteral("すべての直線を消しました。") + DescribePlaneSize(view_));
}
