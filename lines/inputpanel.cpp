// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "lines/rangecaption.h"
#include "runtime/vbnumber.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void Form1::Option1_Click(std::int16_t index)
{
    const LineSlot &slot = lineTable_.Slot(index);
    // Each write to the b box runs Text2_Change before c is written, so a
    // recalled vertical line shows its range as a range of y.
    if (slot.Drawn == 0.0f)
        EmptyBoxes();
    if (slot.Drawn == 1.0f) {
        Text1->setText(vb::Str(slot.A));
        Text2->setText(vb::Str(slot.B));
        // Writing the text b already holds raises no change, and the draw
        // command may have hidden the caption since; the caption must still
        // follow the recalled b.
        Text2_Change();
        Text3->setText(vb::Str(slot.C));
        Text4->setText(vb::Str(slot.From));
        Text5->setText(vb::Str(slot.To));
    }
    currentSlot_ = index;
    MakeSlotTabStop(index);
    Text1->setFocus(Qt::OtherFocusReason);
}

void Form1::EmptyBoxes()
{
    for (QLineEdit *box : Boxes())
        box->setText(QString());
}

void Form1::MakeSlotTabStop(int index)
{
    for (QRadioButton *option : Option1)
        option->setFocusPolicy(option == Option1[static_cast<std::size_t>(index)] ? Qt::StrongFocus
                                                                                  : Qt::ClickFocus);
}

void Form1::FocusSlotButton(int index)
{
    QRadioButton *option = Option1[static_cast<std::size_t>(index)];
    option->setFocus(Qt::OtherFocusReason);
    if (!option->isChecked())
        option->setChecked(true);
}

void Form1::SelectSlot(int index)
{
    QRadioButton *option = Option1[static_cast<std::size_t>(index)];
    if (option->isChecked())
        Option1_Click(static_cast<std::int16_t>(index));
    else
        option->setChecked(true);
}

// Enter walks the focus through the boxes a, b, c, the two range ends and on
// to the draw button; every other key only edits the box.
void Form1::MoveOnAtEnter(std::int16_t keyAscii, QWidget *next)
{
    if (keyAscii == 13)
        next->setFocus(Qt::OtherFocusReason);
}

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
    if (const auto range = RangeForTypedB(Text2->text()))
        MoveRangeCaption(*range);
}
