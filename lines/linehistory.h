// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"

#include <QString>
#include <QUndoCommand>

#include <functional>

// One line command as a step of the undo history: the whole table before and
// after it, the slot to select when the step is undone or redone, and what
// the command did, in the words it announced. The command has already run
// when the step is pushed, so the first redo does nothing.
class LineTableStep final : public QUndoCommand {
public:
    // Puts a table back, selects a slot and says what happened.
    using Restore = std::function<void(const LineTable &table, int slot, const QString &message)>;

    LineTableStep(Restore restore, const LineTable &before, const LineTable &after, int slotBefore,
                  int slotAfter, const QString &what);

    void undo() override;
    void redo() override;

private:
    Restore restore_;
    LineTable before_;
    LineTable after_;
    int slotBefore_;
    int slotAfter_;
    bool done_ = true;
};

// How many steps the history keeps: each holds two tables of a few hundred
// bytes, so the oldest go before memory grows noticeably.
inline constexpr int LineHistoryDepth = 500;
