// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/crossings.h"
#include "lines/linearfunction.h"
#include "lines/sheet.h"
#include "window/layout.h"
#include "window/sentences.h"
#include "window/worksheet.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Canvas;

// How a lesson's link is opened: as the page's starting sheet, or as one
// step of the undo history (the desktop's clipboard).
enum class LinkOpening { Start, Step };

// The program's only window, as state and behaviour, with no toolkit: the
// sheet of lines, the five boxes' texts, the range caption, the focus, and
// the words for a screen reader. A face builds its controls from the layout
// table, passes each click, key and edit on to the event functions below,
// then shows what Control() says and does what the returned Outcome says.
// The window draws on the surface's canvas itself, during the event.
class Window {
public:
    // What the surface shows after an event.
    enum class Drawing {
        None,  // nothing changed on it
        Line,  // one line drawn over what is shown
        Whole, // the whole picture drawn afresh
    };

    // What a face must do after an event, besides showing the controls anew.
    struct Outcome {
        Drawing drawn = Drawing::None;
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
        bool operator==(const ControlState &) const = default;
    };

    // The line being typed, read as a linear function: its exact numbers, for
    // setting fractions stacked, and the panel's words.
    struct FunctionView {
        LinearFunction numbers;
        FunctionWords words;
    };

    // Start-up: empty boxes, slot １, the middle plane size, the picture
    // drawn on `surface`, which must outlive the window.
    explicit Window(Canvas &surface);

    // The events a face passes on; `control` is a row of the layout table.
    // A click, a tap, Space or Enter on a button or a slot button.
    Outcome Press(int control);
    // A key typed into a box, before the box edits: its character code, 13
    // for Enter (a 16-bit code, as the old platform passed keys).
    Outcome KeyPress(int box, std::int16_t keyCode);
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
    // Shows or hides the line being typed as a linear function: its panel,
    // Function(), and its slope triangle on the picture. While it shows, an
    // edit of a box draws the whole picture afresh.
    Outcome ShowFunction(bool shown);
    // Opens a lesson's link (a whole address, or "#…"): the sheet becomes
    // the link's, its selected slot's line is recalled into the boxes and the
    // picture drawn afresh. A link that is no lesson changes nothing and is
    // announced with what was wrong.
    Outcome OpenLink(const std::string &text, LinkOpening how);
    // The sheet's link, "#…", for the face to put behind its address.
    std::string Link() const;
    // Draws the whole picture afresh, for a surface that lost it.
    void Redraw();
    // Draws the picture as shown as a worksheet on a canvas for paper.
    void DrawWorksheet(Canvas &page, WorksheetChoice choice) const;

    // What the faces show.
    ControlState Control(int control) const;
    std::array<ControlState, ControlCount> Controls() const;
    // A box's text, by its member number (box::A … box::RangeEnd).
    const std::string &BoxText(int box) const;
    int Focus() const { return focus_; }
    const Sheet &Contents() const { return sheet_; }
    // The picture's description for a screen reader, and the words that go
    // with a copied picture.
    const std::string &SurfaceDescription() const { return description_; }
    const std::string &CopyText() const { return copyText_; }
    // What the five boxes make now, while it is shown
    // (Contents().FunctionShown()): worked out at every edit then, and not at
    // all while it is hidden.
    const FunctionView &Function() const { return function_; }

private:
    // The window's reactions, each run inside one event.
    void Draw();
    void Erase();
    void EraseAll();
    void ChooseSize(int size);
    void PressSlotButton(int slot);
    void Recall(int slot);
    void Restore(const LineStep *step, bool undone);
    void FollowB();
    // The boxes read as the draw button stores them.
    LineSlot Typed() const;
    // While the function is shown, works it out anew if the boxes changed
    // since it last was; the picture and its words follow.
    void CatchUpFunction();

    void WriteBox(int box, const std::string &text);
    void EmptyBoxes();
    void SetFocus(int control);
    void Announce(std::string sentence);
    // The picture must be drawn afresh, or one line over it, at the end of
    // the event; both describe it anew then, once.
    void RedrawLater();
    void DrawLineLater(int slot);
    void Describe();
    // Ends an event: draws what it asked for and hands over the outcome.
    Outcome Finish();

    Canvas &surface_;
    Sheet sheet_;
    std::array<std::string, controls::Boxes.size()> boxTexts_;
    std::array<unsigned, controls::Boxes.size()> boxWrites_{};
    RangeOf caption_ = RangeOf::X;
    int focus_ = controls::Boxes[box::A];
    // Worked out once per change of the picture.
    std::vector<Crossing> crossings_;
    std::string description_;
    std::string copyText_;
    std::array<std::string, SlotButtonCount> slotNames_;
    // The picture changed in this event and is not yet described anew.
    bool wordsStale_ = false;
    FunctionView function_;
    // The boxes changed since the function was last worked out.
    bool functionStale_ = true;
    // What the running event has left for its end.
    Outcome pending_;
};
