// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

// Keeps what a pupil composes with an input method in the box it was typed
// in. When the focus leaves a box that is still composing, Qt commits the
// composition into that box itself. Qt 6.4's IBus input context then asks
// IBus to reset, and IBus answers the reset, for an engine such as Mozc that
// wants its compositions kept, by committing the same text a second time, a
// moment later, into whatever has the focus by then: the next box, or the a
// box of the next slot after 線を引く. Committing earlier cannot help, as every
// commit from Qt asks for that reset; this filter, installed on the
// application, drops the repeated commit instead.
class CompositionGuard : public QObject {
public:
    explicit CompositionGuard(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The text being composed, shown underlined in the focused box.
    QString composing_;
    // The text a composition was last committed with, while the input method
    // may still repeat it: until it does, or until it starts composing again
    // or commits something else.
    QString committed_;
};
