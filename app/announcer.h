// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// Tells a screen reader what a command did. Qt 6.4 has no announcement
// event, but Orca speaks a change of the description of the control that has
// the focus; so once the command is done and the focus has settled, the
// message becomes that control's description, and the control gets its own
// description back as soon as the focus moves on.
class Announcer final : public QObject {
    Q_OBJECT

public:
    explicit Announcer(QObject *parent = nullptr);

    // Speaks `message` on whatever holds the focus when the event loop next
    // runs, or on `fallback` when nothing does.
    void Say(const QString &message, QWidget *fallback);

private:
    void Restore();

    QPointer<QWidget> speaker_;
    QString ownDescription_;
};
