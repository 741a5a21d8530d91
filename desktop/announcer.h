// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

// Tells a screen reader what a command did. Qt 6.4 has no announcement
// event, and Orca 43 cannot speak a changed name or description that Qt
// sends (it gets the object, not the text), but it does speak a
// notification as it appears. So the announcer is a hidden widget that
// reports itself as a notification whose name is the message, and says it
// has appeared each time there is something to say. Nothing of it shows.
class Announcer final : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    // Speaks `message` once the event loop next runs, after the command has
    // moved the focus where it ends, so that the focus does not cut it off.
    void Say(const QString &message);
    const QString &Message() const { return message_; }

private:
    QString message_;
};
