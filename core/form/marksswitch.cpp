// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/form1.h"

#include "form/sentences.h"

// The marks are off at the start, so that pupils can look for the crossing
// themselves before the teacher shows it.
Form1::Outcome Form1::ShowMarks(bool shown)
{
    return Run([this, shown] {
        if (shown == marksShown_)
            return;
        marksShown_ = shown;
        RedrawSurface();
        Announce(shown ? MarksShownSentence(crossings_) : MarksHiddenSentence());
    });
}

std::vector<Crossing> Form1::ShownCrossings() const
{
    if (!marksShown_)
        return {};
    return Crossings(lineTable_, view_);
}
