// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/form1.h"

#include "lines/rangecaption.h"
#include "runtime/vbnumber.h"

void Form1::Option1_Click(std::int16_t index)
{
    const LineSlot &slot = lineTable_.Slot(index);
    // Each write to the b box runs Text2_Change before c is written, so a
    // recalled vertical line shows its range as a range of y.
    if (!slot.IsDrawn()) {
        EmptyBoxes();
    } else {
        WriteBox(0, vb::Str(slot.A));
        WriteBox(1, vb::Str(slot.B));
        // Writing the text b already holds raises no change, and the draw
        // command may have hidden the caption since; the caption must still
        // follow the recalled b.
        Text2_Change();
        WriteBox(2, vb::Str(slot.C));
        WriteBox(3, vb::Str(slot.From));
        WriteBox(4, vb::Str(slot.To));
    }
    currentSlot_ = index;
    SetFocus(Text1);
}

void Form1::WriteBox(int n, const std::string &text)
{
    const auto i = static_cast<std::size_t>(n);
    const bool changed = boxTexts_[i] != text;
    boxTexts_[i] = text;
    ++boxWrites_[i];
    if (changed && Boxes[i] == Text2)
        Text2_Change();
}

void Form1::EmptyBoxes()
{
    for (int n = 0; n < static_cast<int>(Boxes.size()); ++n)
        WriteBox(n, {});
}

void Form1::FocusSlotButton(int index)
{
    SetFocus(Option1[static_cast<std::size_t>(index)]);
    if (selected_ != index) {
        selected_ = index;
        Option1_Click(static_cast<std::int16_t>(index));
    }
}

void Form1::SelectSlot(int index)
{
    selected_ = index;
    Option1_Click(static_cast<std::int16_t>(index));
}

void Form1::MoveOnAtEnter(std::int16_t keyAscii, int next)
{
    if (keyAscii == 13)
        SetFocus(next);
}

// Enter walks the focus through the boxes a, b, c, the two range ends and on
// to the draw button; every other key only edits the box.
void Form1::Text1_KeyPress(std::int16_t keyAscii)
{
    MoveOnAtEnter(keyAscii, Text2);
}

void Form1::Text2_KeyPress(std::int16_t keyAscii)
{
    MoveOnAtEnter(keyAscii, Text3);
}

void Form1::Text3_KeyPress(std::int16_t keyAscii)
{
    MoveOnAtEnter(keyAscii, Text4);
}

void Form1::Text4_KeyPress(std::int16_t keyAscii)
{
    MoveOnAtEnter(keyAscii, Text5);
}

void Form1::Text5_KeyPress(std::int16_t keyAscii)
{
    MoveOnAtEnter(keyAscii, Command4);
}

void Form1::Text2_Change()
{
    if (const auto range = RangeForTypedB(BoxText(1)))
        MoveRangeCaption(*range);
}

void Form1::MoveRangeCaption(RangeOf range)
{
    caption_ = range;
}
