// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/compositionguard.h"

#include <QInputMethodEvent>

CompositionGuard::CompositionGuard(QObject *parent)
    : QObject(parent)
{}

bool CompositionGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::InputMethod)
        return QObject::eventFilter(watched, event);
    const auto &input = *static_cast<const QInputMethodEvent *>(event);
    const QString &commit = input.commitString();
    const QString &preedit = input.preeditString();

    // A commit that comes with nothing being composed, carrying exactly the
    // text the last composition was committed with and replacing nothing, is
    // the input method repeating it: the box that was composing holds it
    // already.
    if (!commit.isEmpty() && preedit.isEmpty() && composing_.isEmpty() && commit == committed_ &&
        input.replacementLength() == 0) {
        committed_.clear();
        return true;
    }

    if (!commit.isEmpty()) {
        // Whether Qt committed the composition on leaving the box or the
        // input method did at Enter, the input method may repeat it once.
        committed_ = commit == composing_ ? commit : QString();
        composing_ = preedit;
    } else if (!preedit.isEmpty()) {
        // New typing: anything repeated would have come before it.
        committed_.clear();
        composing_ = preedit;
    } else {
        // The composition was taken back or hidden; nothing was committed.
        composing_.clear();
    }
    return QObject::eventFilter(watched, event);
}
