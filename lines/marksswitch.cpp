// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "lines/crossings.h"
#include "surface/picturebox.h"
#include "surface/surface.h"

#include <QAction>

void Form1::MakeMarksSwitch()
{
    // Off at the start, so that pupils can look for the crossing themselves
    // before the teacher shows it.
    marksAction_ = new QAction(QStringLiteral("番号と交点を表示"), this);
    marksAction_->setCheckable(true);
    marksAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    marksAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(marksAction_);
    connect(marksAction_, &QAction::toggled, this, &Form1::ShowMarks);
}

void Form1::ShowMarks(bool shown)
{
    if (shown == marksShown_)
        return;
    marksShown_ = shown;
    marksAction_->setChecked(shown);
    RedrawSurface();
    if (!shown) {
        Announce(QStringLiteral("番号と交点を消しました"));
        return;
    }
    Announce((QStringList{QStringLiteral("番号と交点を表示しました")} +
              DescribeCrossings(ShownCrossings(), Wording::Spoken))
                 .join(QStringLiteral("。")));
}

std::vector<Crossing> Form1::ShownCrossings() const
{
    if (!marksShown_)
        return {};
    return Crossings(lineTable_, view_, QSize(SurfaceWidth, SurfaceHeight));
}
