// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/linehistory.h"

#include <utility>

LineTableStep::LineTableStep(Restore restore, const LineTable &before, const LineTable &after,
                             int slotBefore, int slotAfter, const QString &what)
    : QUndoCommand(what)
    , restore_(std::move(restore))
    , before_(before)
    , after_(after)
    , slotBefore_(slotBefore)
    , slotAfter_(slotAfter)
{}

void LineTableStep::undo()
{
    restore_(before_, slotBefore_, QStringLiteral("元に戻しました: ") + text());
    done_ = false;
}

void LineTableStep::redo()
{
    if (done_)
        return;
    restore_(after_, slotAfter_, QStringLiteral("やり直しました: ") + text());
    done_ = true;
}
