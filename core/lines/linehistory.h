// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planeview.h"

#include <cstddef>
#include <deque>

// The line commands that can be undone; Open is a lesson's link opened.
enum class LineCommand { Draw, Erase, EraseAll, Open };

// One line command as a step of the undo history: the whole table before and
// after it, the slot selected before and after, and what the command was, on
// which slot and at which view, so that undoing it can say so in the words it
// was announced with.
// What a sheet shows besides its lines; an opened link sets it too.
struct SheetSettings {
    std::size_t size = 0;
    bool marksShown = false;
    bool functionShown = false;
    bool operator==(const SheetSettings &) const = default;
};

struct LineStep {
    LineTable before;
    LineTable after;
    int slotBefore = 0;
    int slotAfter = 0;
    LineCommand command = LineCommand::Draw;
    int slot = 0;
    PlaneView view;
    // The size and switches before and after it. Only an opened link
    // changes them, and undoing and redoing it brings them back.
    SheetSettings settingsBefore;
    SheetSettings settingsAfter;
};

// How many steps the history keeps: each holds two tables of a few hundred
// bytes, so the oldest go before memory grows noticeably.
inline constexpr std::size_t LineHistoryDepth = 500;

// The line commands done so far, oldest first, and how many of them are in
// effect; the rest were undone and can be redone until a new command comes.
class LineHistory {
public:
    // Keeps a command that has just run. Steps undone before it are gone.
    void Push(const LineStep &step);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The step to take back, or null when there is none.
    const LineStep *Undo();
    // The step to do again, or null when there is none.
    const LineStep *Redo();

private:
    std::deque<LineStep> steps_;
    std::size_t done_ = 0;
};
