// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/form1.h"

#include "form/sentences.h"
#include "lines/linedrawing.h"
#include "lines/marks.h"
#include "lines/picture.h"
#include "plane/planedrawing.h"
#include "surface/canvas.h"

#include <algorithm>

Form1::Form1()
{
    Form_Load();
    pending_ = {};
}

Form1::Outcome Form1::Press(int control)
{
    return Run([this, control] {
        // A pressed control has the focus, as a click gives it.
        focus_ = control;
        if (control == Command1)
            Command1_Click();
        else if (control == Command2)
            Command2_Click();
        else if (control == Command4)
            Command4_Click();
        else if (control == Command5)
            Command5_Click();
        if (const auto size = std::find(Command3.begin(), Command3.end(), control);
            size != Command3.end())
            Command3_Click(static_cast<std::int16_t>(size - Command3.begin()));
        if (const auto slot = std::find(Option1.begin(), Option1.end(), control);
            slot != Option1.end())
            FocusSlotButton(static_cast<int>(slot - Option1.begin()));
    });
}

Form1::Outcome Form1::KeyPress(int box, std::int16_t keyAscii)
{
    return Run([this, box, keyAscii] {
        // The boxes' key handlers see every character before the box edits.
        static constexpr std::array<void (Form1::*)(std::int16_t), 5> handlers = {
            &Form1::Text1_KeyPress, &Form1::Text2_KeyPress, &Form1::Text3_KeyPress,
            &Form1::Text4_KeyPress, &Form1::Text5_KeyPress};
        const auto found = std::find(Boxes.begin(), Boxes.end(), box);
        if (found != Boxes.end() && keyAscii != 0)
            (this->*handlers[static_cast<std::size_t>(found - Boxes.begin())])(keyAscii);
    });
}

Form1::Outcome Form1::Edit(int box, const std::string &text)
{
    return Run([this, box, &text] {
        const auto found = std::find(Boxes.begin(), Boxes.end(), box);
        if (found == Boxes.end())
            return;
        boxTexts_[static_cast<std::size_t>(found - Boxes.begin())] = text;
        if (box == Text2)
            Text2_Change();
    });
}

void Form1::FocusedBy(int control)
{
    if (control >= 0 && static_cast<std::size_t>(control) < ControlCount)
        focus_ = control;
}

Form1::Outcome Form1::Arrow(int control, int dx, int dy)
{
    return Run([this, control, dx, dy] {
        // Arrow keys move the selection over the two rows of slot buttons.
        // The new button is selected as it takes the focus, and its
        // Option1_Click then moves the focus on to the a box.
        const auto slot = std::find(Option1.begin(), Option1.end(), control);
        if (slot == Option1.end())
            return;
        const int step = dx + dy * SlotButtonsPerRow;
        const int index = static_cast<int>(slot - Option1.begin());
        FocusSlotButton(((index + step) % SlotButtonCount + SlotButtonCount) % SlotButtonCount);
    });
}

Form1::ControlState Form1::Control(int control) const
{
    ControlState state;
    if (control < 0 || static_cast<std::size_t>(control) >= ControlCount)
        return state;
    const ControlLayout &row = FormLayout()[static_cast<std::size_t>(control)];
    state.left = row.left;
    state.top = row.top;
    state.text = row.text;
    state.font = row.font;
    state.tabStop = row.tabIndex != NoTabStop;

    const std::string name = row.name;
    const AxisNamePlaces axisNames = AxisNamePlacesFor(view_);
    if (name == "Label5")
        (row.index == 0 ? state.left : state.top) =
            row.index == 0 ? axisNames.yNameLeft : axisNames.xNameTop;
    // The caption "≦ ｙ≦" that shows names the start box, as "≦χ≦" does.
    const int shownRangeCaption = caption_ == RangeOf::Y ? 1 : 0;
    if (name == "Label6") {
        if (row.index == 1)
            state.top = RangeCaptionTop(caption_);
        if (row.index == shownRangeCaption) {
            state.accessibleName = RangeBoxName(true, caption_);
            state.labels = Text4;
        }
    }
    static constexpr std::array<int, 3> coefficientLabels = {
        ControlNumber("Label8", 0), ControlNumber("Label8", 1), ControlNumber("Label9")};
    for (std::size_t i = 0; i < coefficientLabels.size(); ++i) {
        if (control == coefficientLabels[i]) {
            state.accessibleName = CoefficientBoxName(static_cast<int>(i));
            state.labels = Boxes[i];
        }
    }
    if (const auto box = std::find(Boxes.begin(), Boxes.end(), control); box != Boxes.end()) {
        const auto n = static_cast<std::size_t>(box - Boxes.begin());
        state.text = boxTexts_[n];
        state.writes = boxWrites_[n];
        state.accessibleName =
            n < 3 ? CoefficientBoxName(static_cast<int>(n)) : RangeBoxName(n == 3, caption_);
    }
    if (const auto size = std::find(Command3.begin(), Command3.end(), control);
        size != Command3.end()) {
        const auto n = static_cast<std::size_t>(size - Command3.begin());
        state.font = ScaleButtonFont(n, planeSize_);
        state.accessibleName = PlaneSizeButtonName(static_cast<int>(n));
    }
    // Only the selected slot button is a Tab stop; arrow keys reach the others.
    if (const auto slot = std::find(Option1.begin(), Option1.end(), control);
        slot != Option1.end()) {
        const auto n = static_cast<std::size_t>(slot - Option1.begin());
        state.checked = static_cast<int>(n) == selected_;
        state.tabStop = state.checked;
        state.accessibleName = slotNames_.at(n);
    }
    if (control == Picture1) {
        state.accessibleName = SurfaceName;
        state.accessibleDescription = description_;
    }
    // Said as one word, without the gap the caption has.
    if (control == Command1)
        state.accessibleName = ExitName;
    return state;
}

void Form1::Draw(Canvas &canvas, const Outcome &outcome) const
{
    switch (outcome.drawing) {
    case Drawing::None:
        break;
    case Drawing::Line:
        DrawLineOn(canvas, lineTable_, outcome.line, LineColor, view_);
        break;
    case Drawing::Whole:
        DrawWhole(canvas);
        break;
    }
}

void Form1::DrawWhole(Canvas &canvas) const
{
    canvas.SetFontSize(SurfaceFontPoints);
    DrawPictureOn(canvas, lineTable_, view_);
    if (marksShown_)
        DrawMarksOn(canvas, lineTable_, view_, crossings_);
}

void Form1::Form_Load()
{
    MoveRangeCaption(RangeOf::X);
    // The origin in the middle of the surface, the middle plane size.
    view_ = PlaneView{};
    currentSlot_ = 0;
    RedrawSurface();
}

void Form1::Command1_Click()
{
    // Ends the program at once: nothing is asked and nothing is saved.
    pending_.ended = true;
}

void Form1::RedrawSurface()
{
    pending_.drawing = Drawing::Whole;
    Describe();
}

void Form1::DrawLine(int slot)
{
    // The marks must match the lines, so with them shown every change draws
    // the whole picture afresh.
    if (marksShown_) {
        RedrawSurface();
        return;
    }
    // Drawn on top of what is shown; a whole redraw asked for earlier in the
    // same event already holds it.
    if (pending_.drawing != Drawing::Whole) {
        pending_.drawing = Drawing::Line;
        pending_.line = slot;
    }
    Describe();
}

void Form1::Describe()
{
    crossings_ = ShownCrossings();
    SurfaceWords words = DescribeSurface(lineTable_, view_, crossings_);
    description_ = std::move(words.description);
    copyText_ = std::move(words.copyText);
    slotNames_.clear();
    for (int slot = 0; slot < SlotButtonCount; ++slot)
        slotNames_.push_back(DescribeSlotButton(slot, lineTable_, view_));
}

void Form1::SetFocus(int control)
{
    focus_ = control;
    pending_.focusMoved = true;
}

void Form1::Announce(std::string sentence)
{
    if (!pending_.announcement.empty())
        sentence = pending_.announcement + "。" + sentence;
    pending_.announcement = std::move(sentence);
}
