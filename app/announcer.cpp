// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/announcer.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

Announcer::Announcer(QObject *parent)
    : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this, [this] { Restore(); });
}

void Announcer::Say(const QString &message, QWidget *fallback)
{
    // A command moves the focus on as it ends (the draw command through the
    // next slot button to the a box); the message waits for the last move, or
    // Orca would speak it on a control it then leaves at once.
    QPointer<QWidget> fallbackGuard(fallback);
    QTimer::singleShot(0, this, [this, message, fallbackGuard] {
        Restore();
        QWidget *speaker = QApplication::focusWidget();
        if (speaker == nullptr)
            speaker = fallbackGuard;
        if (speaker == nullptr)
            return;
        speaker_ = speaker;
        ownDescription_ = speaker->accessibleDescription();
        // The same message twice in a row must still be a change.
        if (ownDescription_ == message)
            speaker->setAccessibleDescription(QString());
        speaker->setAccessibleDescription(message);
    });
}

void Announcer::Restore()
{
    if (speaker_ != nullptr)
        speaker_->setAccessibleDescription(ownDescription_);
    speaker_ = nullptr;
}
