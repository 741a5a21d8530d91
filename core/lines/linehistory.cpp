// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/linehistory.h"

void LineHistory::Push(const LineStep &step)
{
    steps_.resize(done_);
    steps_.push_back(step);
    if (steps_.size() > LineHistoryDepth)
        steps_.pop_front();
    done_ = steps_.size();
}

const LineStep *LineHistory::Undo()
{
    if (!CanUndo())
        return nullptr;
    return &steps_[--done_];
}

const LineStep *LineHistory::Redo()
{
    if (!CanRedo())
        return nullptr;
    return &steps_[done_++];
}
