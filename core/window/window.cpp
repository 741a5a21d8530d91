// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/window.h"

#include "lines/linedrawing.h"
#include "lines/marks.h"
#include "lines/picture.h"
#include "lines/sheetlink.h"
#include "lines/slopetriangle.h"
#include "plane/planedrawing.h"
#include "runtime/numbers.h"
#include "surface/canvas.h"
#include "window/sentences.h"

#include <utility>

namespace {

// Which of the controls of `role` a control is, or -1 for any other control.
int MemberOf(int control, Role role)
{
    if (control < 0 || static_cast<std::size_t>(control) >= ControlCount)
        return -1;
    const ControlLayout &row = LayoutOf(control);
    return row.role == role ? row.member : -1;
}

constexpr int EnterKey = 13;

} // namespace

Window::Window(Canvas &surface)
    : surface_(surface)
{
    Describe();
    Redraw();
}

// The events. Each runs the window's reactions, which leave in pending_ what
// the faces must do, then ends with Finish().

Window::Outcome Window::Press(int control)
{
    // A pressed control has the focus, as a click gives it.
    focus_ = control;
    if (control == controls::EndButton)
        pending_.ended = true; // at once: nothing is asked and nothing is saved
    else if (control == controls::ClearButton)
        EraseAll();
    else if (control == controls::DrawButton)
        Draw();
    else if (control == controls::EraseButton)
        Erase();
    else if (const int size = MemberOf(control, Role::SizeButton); size >= 0)
        ChooseSize(size);
    else if (const int slot = MemberOf(control, Role::SlotButton); slot >= 0)
        PressSlotButton(slot);
    return Finish();
}

Window::Outcome Window::KeyPress(int box, std::int16_t keyCode)
{
    // Enter walks the focus through the boxes a, b, c, the two range ends and
    // on to the draw button; every other key only edits the box.
    const int n = MemberOf(box, Role::Box);
    if (n >= 0 && keyCode == EnterKey) {
        const auto next = static_cast<std::size_t>(n) + 1;
        SetFocus(next < controls::Boxes.size() ? controls::Boxes[next] : controls::DrawButton);
    }
    return Finish();
}

Window::Outcome Window::Edit(int box, const std::string &text)
{
    if (const int n = MemberOf(box, Role::Box); n >= 0) {
        boxTexts_[static_cast<std::size_t>(n)] = text;
        functionStale_ = true;
        if (n == box::B)
            FollowB();
    }
    return Finish();
}

void Window::FocusedBy(int control)
{
    if (control >= 0 && static_cast<std::size_t>(control) < ControlCount)
        focus_ = control;
}

Window::Outcome Window::Arrow(int control, int dx, int dy)
{
    // Arrow keys move the selection over the two rows of slot buttons,
    // round from the last to the first.
    if (const int slot = MemberOf(control, Role::SlotButton); slot >= 0)
        PressSlotButton(((slot + dx + dy * SlotButtonsPerRow) % SlotButtonCount + SlotButtonCount) %
                        SlotButtonCount);
    return Finish();
}

Window::Outcome Window::Undo()
{
    Restore(sheet_.Undo(), true);
    return Finish();
}

Window::Outcome Window::Redo()
{
    Restore(sheet_.Redo(), false);
    return Finish();
}

// The marks are off at the start, so that pupils can look for the crossing
// themselves before the teacher shows it.
Window::Outcome Window::ShowMarks(bool shown)
{
    if (shown != sheet_.MarksShown()) {
        sheet_.ShowMarks(shown);
        RedrawLater();
        // The sentence names the crossings the picture will show.
        Describe();
        Announce(shown ? MarksShownSentence(crossings_) : MarksHiddenSentence());
    }
    return Finish();
}

// The function is off at the start too, so that the picture and the words
// are the seed's until the teacher asks for it.
Window::Outcome Window::ShowFunction(bool shown)
{
    if (shown != sheet_.FunctionShown()) {
        sheet_.ShowFunction(shown);
        CatchUpFunction();
        RedrawLater();
        Announce(shown ? FunctionShownSentence(function_.words) : FunctionHiddenSentence());
    }
    return Finish();
}

Window::Outcome Window::OpenLink(const std::string &text, LinkOpening how)
{
    LinkReading reading = ReadLink(text);
    if (!reading.sheet) {
        Announce(LinkUnreadableSentence(reading));
        return Finish();
    }
    // The page starts from the link: there is nothing before it to undo.
    if (how == LinkOpening::Start)
        sheet_ = Sheet{};
    sheet_.Open(*reading.sheet, how == LinkOpening::Step);
    // As after drawing the lines: the caption reads "≦χ≦" unless the
    // recalled line is vertical.
    caption_ = RangeOf::X;
    Recall(sheet_.Selected());
    RedrawLater();
    Announce(LinkOpenedAnnouncement(sheet_.Lines(), sheet_.View()));
    return Finish();
}

std::string Window::Link() const
{
    return LinkOf(sheet_);
}

void Window::Redraw()
{
    // The line being typed matters only for the slope triangle.
    DrawShownPictureOn(surface_, sheet_, crossings_, sheet_.FunctionShown() ? Typed() : LineSlot{});
}

void Window::DrawWorksheet(Canvas &page, WorksheetChoice choice) const
{
    const bool function = sheet_.FunctionShown();
    DrawWorksheetOn(page,
                    {sheet_, crossings_, function ? Typed() : LineSlot{},
                     function ? &function_.words : nullptr},
                    choice);
}

// The reactions.

void Window::Draw()
{
    // Whatever the boxes hold is stored as it reads, without a range check,
    // in the selected slot; the next slot is selected then.
    const int slot = sheet_.Selected();
    sheet_.DrawLine(Typed());
    // Drawn on top of what is shown: an earlier line of this slot stays
    // visible until the next full redraw.
    DrawLineLater(slot);
    // The next slot's line, or empty boxes, with the focus in the a box.
    Recall(sheet_.Selected());
    // The range caption reads "≦χ≦" after drawing, even when the recalled
    // line is vertical.
    caption_ = RangeOf::X;
    Announce(LineDrawnAnnouncement(slot, sheet_.Lines(), sheet_.View(), sheet_.MarksShown(),
                                   sheet_.Selected()));
}

void Window::Erase()
{
    const int slot = sheet_.Selected();
    const bool held = sheet_.EraseLine();
    EmptyBoxes();
    RedrawLater();
    SetFocus(controls::Boxes[box::A]);
    caption_ = RangeOf::X;
    Announce(held ? LineErasedSentence(slot) : SlotAlreadyEmptySentence(slot));
}

void Window::EraseAll()
{
    sheet_.EraseAll();
    caption_ = RangeOf::X;
    // Slot １ is recalled even when it was selected already, so the sheet
    // always starts again with empty boxes and the focus in the a box.
    Recall(0);
    RedrawLater();
    Announce(AllErasedAnnouncement(sheet_.View()));
}

void Window::ChooseSize(int size)
{
    // The chosen size's button shows its caption large and bold.
    sheet_.ChooseSize(static_cast<std::size_t>(size));
    RedrawLater();
    Announce(PlaneSizeChosenSentence(sheet_.Lines(), sheet_.View()));
}

void Window::PressSlotButton(int slot)
{
    // A slot button that takes the focus is selected, and a newly selected
    // slot is recalled, which moves the focus on to the a box. The selected
    // one keeps the focus and the boxes as they are.
    SetFocus(controls::SlotButtons[static_cast<std::size_t>(slot)]);
    if (slot != sheet_.Selected())
        Recall(slot);
}

void Window::Recall(int slot)
{
    sheet_.Select(slot);
    const LineSlot &line = sheet_.Lines().Slot(slot);
    if (!line.IsDrawn()) {
        EmptyBoxes();
    } else {
        WriteBox(box::A, NumberText(line.A));
        WriteBox(box::B, NumberText(line.B));
        // The caption follows the recalled b even when the box already held
        // its text, and before c is written, so a recalled vertical line
        // shows its range as a range of y.
        FollowB();
        WriteBox(box::C, NumberText(line.C));
        WriteBox(box::RangeStart, NumberText(line.From));
        WriteBox(box::RangeEnd, NumberText(line.To));
    }
    SetFocus(controls::Boxes[box::A]);
}

void Window::Restore(const LineStep *step, bool undone)
{
    if (step == nullptr)
        return;
    RedrawLater();
    // The restored slot is recalled even when it is selected already.
    Recall(sheet_.Selected());
    const std::string what = StepSentence(*step);
    Announce(undone ? UndoneSentence(what) : RedoneSentence(what));
}

void Window::FollowB()
{
    // The range caption follows the b box: "≦ ｙ≦" for b = 0. An empty box
    // leaves it where it is.
    if (const auto range = RangeForTypedB(BoxText(box::B)))
        caption_ = *range;
}

LineSlot Window::Typed() const
{
    const auto read = [this](int n) { return ToSingle(ReadNumber(BoxText(n))); };
    LineSlot line;
    line.A = read(box::A);
    line.B = read(box::B);
    line.C = read(box::C);
    line.From = read(box::RangeStart);
    line.To = read(box::RangeEnd);
    return line;
}

void Window::CatchUpFunction()
{
    // The function is worked out only while it is shown; a change of the
    // boxes while it is hidden waits until it is shown.
    if (!functionStale_ || !sheet_.FunctionShown())
        return;
    functionStale_ = false;
    function_.numbers = FunctionOf(Typed());
    function_.words = DescribeFunction(function_.numbers);
    // The slope triangle and the panel's words follow the typing.
    RedrawLater();
}

// What the reactions leave.

void Window::WriteBox(int box, const std::string &text)
{
    const auto n = static_cast<std::size_t>(box);
    const bool changed = boxTexts_[n] != text;
    boxTexts_[n] = text;
    ++boxWrites_[n];
    functionStale_ = functionStale_ || changed;
    // A write to b that changes its text moves the caption at once, as the
    // pupil's typing does.
    if (changed && box == box::B)
        FollowB();
}

void Window::EmptyBoxes()
{
    for (int n = 0; n < static_cast<int>(controls::Boxes.size()); ++n)
        WriteBox(n, {});
}

void Window::SetFocus(int control)
{
    focus_ = control;
    pending_.focusMoved = true;
}

void Window::Announce(std::string sentence)
{
    pending_.announcement = pending_.announcement.empty()
                                ? std::move(sentence)
                                : AndThen(pending_.announcement, sentence);
}

void Window::RedrawLater()
{
    pending_.drawn = Drawing::Whole;
    wordsStale_ = true;
}

void Window::DrawLineLater(int slot)
{
    // The marks must match the lines, and the slope triangle the boxes, which
    // drawing fills with the next slot's line, so with either shown every
    // change draws the whole picture afresh.
    if (sheet_.MarksShown() || sheet_.FunctionShown()) {
        RedrawLater();
        return;
    }
    // A whole redraw asked for earlier in the same event already holds it.
    if (pending_.drawn != Drawing::Whole) {
        pending_.drawn = Drawing::Line;
        pending_.line = slot;
    }
    wordsStale_ = true;
}

void Window::Describe()
{
    wordsStale_ = false;
    crossings_ =
        sheet_.MarksShown() ? Crossings(sheet_.Lines(), sheet_.View()) : std::vector<Crossing>{};
    static const FunctionWords hidden;
    SurfaceWords words = DescribeSurface(sheet_.Lines(), sheet_.View(), crossings_,
                                         sheet_.FunctionShown() ? function_.words : hidden);
    description_ = std::move(words.description);
    copyText_ = std::move(words.copyText);
    for (int slot = 0; slot < SlotButtonCount; ++slot)
        slotNames_[static_cast<std::size_t>(slot)] =
            DescribeSlotButton(slot, sheet_.Lines(), sheet_.View());
}

Window::Outcome Window::Finish()
{
    CatchUpFunction();
    if (wordsStale_)
        Describe();
    switch (pending_.drawn) {
    case Drawing::None:
        break;
    case Drawing::Line:
        DrawLineOn(surface_, sheet_.Lines(), pending_.line, LineColor, sheet_.View());
        break;
    case Drawing::Whole:
        Redraw();
        break;
    }
    return std::exchange(pending_, {});
}

// What the faces show.

const std::string &Window::BoxText(int box) const
{
    return boxTexts_.at(static_cast<std::size_t>(box));
}

Window::ControlState Window::Control(int control) const
{
    ControlState state;
    if (control < 0 || static_cast<std::size_t>(control) >= ControlCount)
        return state;
    const ControlLayout &row = LayoutOf(control);
    const auto member = static_cast<std::size_t>(row.member);
    state.left = row.left;
    state.top = row.top;
    state.text = row.text;
    state.font = row.font;
    state.tabStop = row.tabIndex != NoTabStop;
    switch (row.role) {
    case Role::AxisName: {
        // The axis names stand beside the axes, wherever the plane puts them.
        const AxisNamePlaces places = AxisNamePlacesFor(sheet_.View());
        (member == 0 ? state.left : state.top) = member == 0 ? places.yNameLeft : places.xNameTop;
        break;
    }
    case Role::RangeCaption:
        if (member == 1)
            state.top = RangeCaptionTop(caption_);
        // The caption that shows names the start box.
        if (row.member == (caption_ == RangeOf::Y ? 1 : 0)) {
            state.accessibleName = RangeBoxName(true, caption_);
            state.labels = controls::Boxes[box::RangeStart];
        }
        break;
    case Role::BoxName:
        state.accessibleName = CoefficientBoxName(row.member);
        state.labels = controls::Boxes[member];
        break;
    case Role::Box:
        state.text = boxTexts_[member];
        state.writes = boxWrites_[member];
        state.accessibleName = row.member <= box::C
                                   ? CoefficientBoxName(row.member)
                                   : RangeBoxName(row.member == box::RangeStart, caption_);
        break;
    case Role::SizeButton:
        state.font = ScaleButtonFont(member, sheet_.Size());
        state.accessibleName = PlaneSizeButtonName(row.member);
        break;
    case Role::SlotButton:
        // Only the selected slot button is a Tab stop; arrow keys reach the
        // others.
        state.checked = row.member == sheet_.Selected();
        state.tabStop = state.checked;
        state.accessibleName = slotNames_[member];
        break;
    case Role::Surface:
        state.accessibleName = SurfaceName;
        state.accessibleDescription = description_;
        break;
    case Role::EndButton:
        // Said as one word, without the gap the caption has.
        state.accessibleName = ExitName;
        break;
    default:
        break;
    }
    return state;
}

std::array<Window::ControlState, ControlCount> Window::Controls() const
{
    std::array<ControlState, ControlCount> states;
    for (std::size_t i = 0; i < ControlCount; ++i)
        states[i] = Control(static_cast<int>(i));
    return states;
}
