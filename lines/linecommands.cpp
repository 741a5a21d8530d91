// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "lines/crossings.h"
#include "lines/linedrawing.h"
#include "lines/linehistory.h"
#include "lines/picturedescription.h"
#include "runtime/vbnumber.h"
#include "surface/surface.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QUndoStack>

namespace {

float ReadBox(const QLineEdit *box)
{
    return vb::ToSingle(vb::Val(box->text()));
}

// A key press as a shortcut would be written.
QKeySequence Pressed(const QKeyEvent &key)
{
    return QKeySequence(
        QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, static_cast<Qt::Key>(key.key())));
}

} // namespace

void Form1::Command4_Click()
{
    // The slot is marked drawn before anything is read; whatever the boxes
    // hold is stored as it reads, without a range check.
    const std::int16_t k = currentSlot_;
    const LineTable before = lineTable_;
    LineSlot &slot = lineTable_.Slot(k);
    slot.Drawn = 1;
    slot.A = ReadBox(Text1);
    slot.B = ReadBox(Text2);
    slot.C = ReadBox(Text3);
    slot.From = ReadBox(Text4);
    slot.To = ReadBox(Text5);
    // Drawn on top of what is shown: an earlier line of this slot stays
    // visible until the next full redraw.
    DrawLine(k, LineColor);
    if (currentSlot_ == SlotButtonCount - 1)
        currentSlot_ = -1;
    // Moving on selects the next slot (after the eighth, the first), which
    // empties or refills the boxes and puts the focus in the a box.
    FocusSlotButton(currentSlot_ + 1);
    MoveRangeCaption(RangeOf::X);
    const QString drawn =
        LineName(k) + QStringLiteral("を引きました: ") + DescribeLine(slot, view_);
    Record(before, k, k, drawn);
    // With the marks shown, the pupil also hears where the new line meets
    // each other one.
    QStringList said{drawn};
    if (marksShown_)
        said += AnnounceCrossings(k, lineTable_, view_, QSize(SurfaceWidth, SurfaceHeight));
    said << QStringLiteral("次は") + DescribeSlotButton(currentSlot_, lineTable_, view_);
    Announce(said.join(QStringLiteral("。")));
}

void Form1::Command5_Click()
{
    const LineTable before = lineTable_;
    lineTable_.Slot(currentSlot_).Drawn = 0;
    EmptyBoxes();
    RedrawSurface();
    Text1->setFocus(Qt::OtherFocusReason);
    MoveRangeCaption(RangeOf::X);
    const QString erased = LineName(currentSlot_) + QStringLiteral("を消しました");
    Record(before, currentSlot_, currentSlot_, erased);
    Announce(erased);
}

void Form1::Command2_Click()
{
    const LineTable before = lineTable_;
    const int slotBefore = currentSlot_;
    lineTable_.ClearAll();
    currentSlot_ = 0;
    MoveRangeCaption(RangeOf::X);
    // Selecting slot 1 empties the boxes and puts the focus in the a box, also
    // when slot 1 is already selected: the sheet always starts again with
    // empty boxes.
    SelectSlot(0);
    // Every slot is empty now, so the full redraw shows the bare plane.
    RedrawSurface();
    const QString cleared = QStringLiteral("すべての直線を消しました");
    Record(before, slotBefore, 0, cleared);
    Announce(cleared + QStringLiteral("。") + DescribePlaneSize(view_));
}

void Form1::MakeHistory()
{
    history_ = new QUndoStack(this);
    history_->setUndoLimit(LineHistoryDepth);
    // Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo, as every editor has them.
    undoAction_ = new QAction(QStringLiteral("元に戻す"), this);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(QStringLiteral("やり直す"), this);
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction *action : {undoAction_, redoAction_}) {
        // Wherever the focus is; a box takes the keys first for its own typing.
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        addAction(action);
    }
    connect(undoAction_, &QAction::triggered, history_, &QUndoStack::undo);
    connect(redoAction_, &QAction::triggered, history_, &QUndoStack::redo);
    connect(history_, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    connect(history_, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
}

void Form1::Record(const LineTable &before, int slotBefore, int slotAfter, const QString &what)
{
    // A command that changed nothing, such as erasing an empty slot, leaves
    // nothing to undo.
    if (before == lineTable_)
        return;
    history_->push(
        new LineTableStep([this](const LineTable &table, int slot,
                                 const QString &message) { RestoreLines(table, slot, message); },
                          before, lineTable_, slotBefore, slotAfter, what));
}

void Form1::RestoreLines(const LineTable &table, int slot, const QString &message)
{
    lineTable_ = table;
    RedrawSurface();
    SelectSlot(slot);
    Announce(message);
}

bool Form1::HandleHistoryKey(QLineEdit *box, QEvent *event)
{
    // The same keys as the menu's entries.
    const QKeySequence pressed = Pressed(*static_cast<QKeyEvent *>(event));
    const bool undo = undoAction_->shortcuts().contains(pressed);
    if (!undo && !redoAction_->shortcuts().contains(pressed))
        return false;
    // Claiming the keys here keeps the window's shortcuts from taking them
    // before the box has had its turn.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (undo) {
        if (box->isUndoAvailable())
            box->undo();
        else
            history_->undo();
    } else {
        if (box->isRedoAvailable())
            box->redo();
        else
            history_->redo();
    }
    return true;
}
