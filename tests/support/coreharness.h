// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop/imagecanvas.h"
#include "support/qtext.h"
#include "support/uifacts.h"
#include "window/window.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <string>

// The core's window driven as a pupil drives it, without a toolkit: each
// press, key and edit goes to the core, which draws into an image the tests
// read pixels from.
class CoreHarness {
public:
    void Apply(const Window::Outcome &outcome)
    {
        if (!outcome.announcement.empty())
            announcement = QString::fromStdString(outcome.announcement);
        ended = ended || outcome.ended;
    }
    void Press(int control) { Apply(form.Press(control)); }
    void PressSlot(int index) { Press(controls::SlotButtons.at(static_cast<std::size_t>(index))); }
    // A click in a box, n from 1 (a) to 5 (the range's end), only focuses it.
    void ClickBox(int n) { form.FocusedBy(controls::Boxes.at(static_cast<std::size_t>(n - 1))); }

    // Types into the box that has the focus, a character at a time as a
    // keyboard sends them: the box's key handler sees each first.
    void Type(const QString &text)
    {
        for (const QChar ch : text) {
            const int box = form.Focus();
            Apply(form.KeyPress(box, static_cast<std::int16_t>(ch.unicode())));
            Apply(form.Edit(box, form.Control(box).text + QString(ch).toStdString()));
        }
    }
    // Replaces what the focused box holds, as typing over a selection does.
    void Replace(const QString &text)
    {
        Apply(form.Edit(form.Focus(), {}));
        Type(text);
    }
    void Backspace()
    {
        const int box = form.Focus();
        QString text = QString::fromStdString(form.Control(box).text);
        text.chop(1);
        Apply(form.KeyPress(box, 8));
        Apply(form.Edit(box, text.toStdString()));
    }
    // Enter in a box goes to its key handler; on a button it presses it.
    void Enter()
    {
        const int focus = form.Focus();
        if (FormLayout()[static_cast<std::size_t>(focus)].Kind() == ControlKind::Box)
            Apply(form.KeyPress(focus, 13));
        else
            Press(focus);
    }
    void TypeAndEnter(const QString &text)
    {
        Replace(text);
        Enter();
    }
    // Types a, b, c and the two range ends with Enter after each: the Enter
    // walk then ends on the draw button.
    void TypeLine(const QStringList &values)
    {
        for (const QString &value : values)
            TypeAndEnter(value);
    }
    // The lesson's first line, x + 2y = 4 for x from -2 to 6, which runs from
    // pixel (256, 234) to (432, 322) at the middle plane size.
    void TypeFirstLine() { TypeLine(Texts({"1", "2", "4", "-2", "6"})); }
    // Stores a line in a slot as a pupil does: its slot button, the five
    // values, 線を引く.
    void StoreLine(int slot, const QStringList &values)
    {
        PressSlot(slot);
        // The slot that is already selected keeps the focus on its button.
        ClickBox(1);
        TypeLine(values);
        Press(controls::DrawButton);
    }

    // The box texts, n from 1 (a) to 5 (the range's end).
    QString BoxText(int n) const { return QString::fromStdString(form.BoxText(n - 1)); }
    QStringList BoxTexts() const
    {
        QStringList texts;
        for (int n = 1; n <= 5; ++n)
            texts << BoxText(n);
        return texts;
    }
    int Focus() const { return form.Focus(); }
    // Where the caption "≦ ｙ≦" stands: CaptionShownTop or CaptionHiddenTop.
    int CaptionTop() const { return form.Control(controls::RangeCaptions[1]).top; }
    QImage Picture() { return canvas.Image().convertToFormat(QImage::Format_RGB32); }
    QRgb PixelAt(int x, int y) { return canvas.Image().pixel(x, y); }

    ImageCanvas canvas{SurfaceSize, SurfaceSize, SurfaceYellow};
    Window form{canvas};
    QString announcement; // the last one made
    bool ended = false;
};
