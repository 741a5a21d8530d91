// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/layout.h"
#include "lines/crossings.h"
#include "lines/linehistory.h"
#include "lines/linetable.h"
#include "plane/planeview.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class Canvas;

// The program's only window, as state and behaviour: the five boxes' texts,
// the range caption, the selected slot, which control has the focus, the
// view, the table of lines, the marks switch and the undo history, with the
// handlers that change them. It knows no toolkit: a face builds its controls
// from the layout table, passes each click, key and edit on to the event
// functions below, and then shows what Form1 holds and does what the
// returned Outcome says. Controls are numbered by their row in the layout
// table.
class Form1 {
public:
    // The controls the handlers act on, by their number in the layout.
    static constexpr int Picture1 = ControlNumber("Picture1");
    static constexpr int Text1 = ControlNumber("Text1");
    static constexpr int Text2 = ControlNumber("Text2");
    static constexpr int Text3 = ControlNumber("Text3");
    static constexpr int Text4 = ControlNumber("Text4");
    static constexpr int Text5 = ControlNumber("Text5");
    static constexpr int Command1 = ControlNumber("Command1");
    static constexpr int Command2 = ControlNumber("Command2");
    static constexpr int Command4 = ControlNumber("Command4");
    static constexpr int Command5 = ControlNumber("Command5");
    static constexpr std::array<int, 3> Command3 = {
        ControlNumber("Command3", 0), ControlNumber("Command3", 1), ControlNumber("Command3", 2)};
    static constexpr std::array<int, SlotButtonCount> Option1 = {
        ControlNumber("Option1", 0), ControlNumber("Option1", 1), ControlNumber("Option1", 2),
        ControlNumber("Option1", 3), ControlNumber("Option1", 4), ControlNumber("Option1", 5),
        ControlNumber("Option1", 6), ControlNumber("Option1", 7)};
    // The boxes a, b, c and the two range ends, in that order.
    static constexpr std::array<int, 5> Boxes = {Text1, Text2, Text3, Text4, Text5};

    // What the surface must show after an event.
    enum class Drawing {
        None,  // nothing changed on it
        Line,  // one line drawn over what is shown
        Whole, // the whole picture drawn afresh
    };

    // What a face must do after an event, besides showing the state anew.
    struct Outcome {
        Drawing drawing = Drawing::None;
        int line = 0;             // the slot, for Drawing::Line
        bool focusMoved = false;  // give the focus to Focus()
        std::string announcement; // for a screen reader; empty when silent
        bool ended = false;       // the program ends
    };

    // A control as a face shows it now.
    struct ControlState {
        int left = 0;
        int top = 0;
        std::string text; // a box's text; other controls keep their caption
        FontStyle font = FontStyle::None;
        bool checked = false;       // a slot button that is selected
        bool tabStop = false;       // Tab stops at it
        std::string accessibleName; // empty: its caption names it
        std::string accessibleDescription;
        int labels = -1;     // a label: the box it names, or -1
        unsigned writes = 0; // a box: how often the program wrote its text
    };

    // Start-up: the window in its stored state, then Form_Load.
    Form1();

    // The events a face passes on.
    // A click, a tap, Space or Enter on a button or a slot button.
    Outcome Press(int control);
    // A key typed into a box, as its character code: 13 for Enter.
    Outcome KeyPress(int box, std::int16_t keyAscii);
    // The pupil changed a box's text by typing, pasting, deleting or undoing
    // typing; the text is UTF-8.
    Outcome Edit(int box, const std::string &text);
    // The face moved the focus itself: a click on a box or the surface, Tab.
    void FocusedBy(int control);
    // An arrow key on a slot button: dx is -1 or 1 along a row, dy -1 or 1
    // between the two rows.
    Outcome Arrow(int control, int dx, int dy);
    // The line commands' history: Ctrl+Z, Ctrl+Y, and the menu.
    Outcome Undo();
    Outcome Redo();
    // Shows or hides the lines' numbers and their crossing points.
    Outcome ShowMarks(bool shown);

    // What the faces show.
    ControlState Control(int control) const;
    const std::string &BoxText(int n) const { return boxTexts_[static_cast<std::size_t>(n)]; }
    int Focus() const { return focus_; }
    int SelectedSlot() const { return selected_; }
    std::int16_t CurrentSlot() const { return currentSlot_; }
    const PlaneView &View() const { return view_; }
    const LineTable &Lines() const { return lineTable_; }
    bool MarksShown() const { return marksShown_; }
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // The picture's description for a screen reader, and the words that go
    // with a copied picture.
    const std::string &SurfaceDescription() const { return description_; }
    const std::string &CopyText() const { return copyText_; }

    // Draws on the face's surface what `outcome` asks for.
    void Draw(Canvas &canvas, const Outcome &outcome) const;
    // The whole picture afresh, with the marks when they are shown.
    void DrawWhole(Canvas &canvas) const;

    // The window's handlers, named after the control and event that raise
    // them; the event functions above run them, and they run each other
    // nested, as the old platform did.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click(std::int16_t index);
    void Command4_Click();
    void Command5_Click();
    void Option1_Click(std::int16_t index);
    void Text1_KeyPress(std::int16_t keyAscii);
    void Text2_KeyPress(std::int16_t keyAscii);
    void Text3_KeyPress(std::int16_t keyAscii);
    void Text4_KeyPress(std::int16_t keyAscii);
    void Text5_KeyPress(std::int16_t keyAscii);
    void Text2_Change();

private:
    // Runs an event and hands over what it left for the faces.
    template <typename Handler> Outcome Run(Handler &&handler)
    {
        pending_ = {};
        handler();
        return std::exchange(pending_, {});
    }
    // The picture must be drawn afresh, or one line over it.
    void RedrawSurface();
    void DrawLine(int slot);
    // Gives the focus to a control.
    void SetFocus(int control);
    // Gives the focus to a slot button. Like the old platform, a button that
    // is not selected becomes selected, which runs Option1_Click at once.
    void FocusSlotButton(int index);
    // Selects a slot as a click on its button does, and recalls it even when
    // it is already the selected one.
    void SelectSlot(int index);
    // Enter walks the focus on to `next`; every other key only edits the box.
    void MoveOnAtEnter(std::int16_t keyAscii, int next);
    // Writes a box's text as the program does, which runs Text2_Change for b.
    void WriteBox(int n, const std::string &text);
    void EmptyBoxes();
    void MoveRangeCaption(RangeOf range);
    void Announce(std::string sentence);
    // Keeps a line command as an undo step, when it changed the table.
    void Record(const LineTable &before, int slotBefore, int slotAfter, const std::string &what);
    void RestoreLines(const LineTable &table, int slot, std::string sentence);
    // The crossings of the drawn lines while the marks are shown, else none.
    std::vector<Crossing> ShownCrossings() const;
    // The description and copy text follow the picture.
    void Describe();

    PlaneView view_;
    LineTable lineTable_;
    std::int16_t currentSlot_ = 0;
    int selected_ = 0;
    int focus_ = Text1;
    std::size_t planeSize_ = StartPlaneSize;
    RangeOf caption_ = RangeOf::X;
    std::array<std::string, 5> boxTexts_;
    std::array<unsigned, 5> boxWrites_{};
    bool marksShown_ = false;
    LineHistory history_;
    std::string description_;
    std::string copyText_;
    std::vector<std::string> slotNames_;
    // The crossings the picture shows, worked out once per redraw.
    std::vector<Crossing> crossings_;
    Outcome pending_;
};
