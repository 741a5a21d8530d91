// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop/formwindow.h"
#include "desktop/picturebox.h"
#include "desktop/startup.h"
#include "support/uifacts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include <memory>

// A shown and active window for tests that drive it as a pupil would, with
// mouse clicks and keys, and read back the boxes, the focus and the pixels.
class FormHarness {
public:
    FormHarness()
        : form(std::make_unique<FormWindow>())
    {
        form->show();
        form->activateWindow();
        (void)QTest::qWaitForWindowActive(form.get());
    }

    template <typename T = QWidget> T *Control(const QString &name) const
    {
        return form->findChild<T *>(name, Qt::FindDirectChildrenOnly);
    }
    QLineEdit *Box(int number) const
    {
        return Control<QLineEdit>(QStringLiteral("Text%1").arg(number));
    }
    // What the boxes a, b, c and the two range ends show, in that order.
    QStringList BoxTexts() const
    {
        QStringList texts;
        for (int n = 1; n <= 5; ++n)
            texts << Box(n)->text();
        return texts;
    }
    QRadioButton *SlotButton(int index) const
    {
        return Control<QRadioButton>(QStringLiteral("Option1(%1)").arg(index));
    }
    QPushButton *Button(const QString &name) const { return Control<QPushButton>(name); }

    void Click(QWidget *widget) const { QTest::mouseClick(widget, Qt::LeftButton); }
    // Types text key by key. Characters beyond ASCII arrive as an input
    // method would hand them over: a key event that carries the text. DEL
    // arrives as the Delete key carrying its character, the way a keyboard
    // sends it; QTest has no key for that character and would stop the run.
    static void Type(QWidget *widget, const QString &text)
    {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x7f && ch.unicode() >= 0x20) {
                QTest::keyClick(widget, static_cast<char>(ch.unicode()));
                continue;
            }
            const Qt::Key key = ch.unicode() == 0x7f ? Qt::Key_Delete : Qt::Key_unknown;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(widget, &release);
        }
    }
    void Enter(QWidget *widget) const { QTest::keyClick(widget, Qt::Key_Return); }

    // Types one value over whatever the focused box holds, then presses Enter.
    void TypeAndEnter(const QString &text) const
    {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
        Type(focus, text);
        QTest::keyClick(focus, Qt::Key_Return);
    }
    // Types a, b, c and the two range ends with Enter after each, from the
    // box that has the focus: the Enter walk then ends on the draw button.
    void TypeLine(const QStringList &values) const
    {
        for (const QString &value : values)
            TypeAndEnter(value);
    }
    // The lesson's first line, x + 2y = 4 for x from -2 to 6, which runs from
    // pixel (256, 234) to (432, 322) at the middle plane size.
    void TypeFirstLine() const
    {
        TypeLine({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"),
                  QStringLiteral("-2"), QStringLiteral("6")});
    }

    // Stores a line in a slot as a pupil does: its slot button, the five
    // values with Enter after each, 線を引く.
    void StoreLine(int slot, const QStringList &values) const
    {
        Click(SlotButton(slot));
        // The slot that is already selected keeps the focus on its button.
        Click(Box(1));
        TypeLine(values);
        Click(Button(QStringLiteral("Command4")));
    }

    QImage Picture() const { return form->Surface()->Image(); }
    QRgb PixelAt(int x, int y) const { return Picture().pixel(x, y); }
    // Where the caption "≦ ｙ≦" stands: CaptionShownTop or CaptionHiddenTop.
    int CaptionTop() const { return Control(QStringLiteral("Label6(1)"))->y(); }

    // What the window's core holds.
    const Window &Core() const { return form->Core(); }

    std::unique_ptr<FormWindow> form;
};

// Gives the test application the look the program runs with; call it from
// initTestCase().
inline void PrepareTestApplication()
{
    PrepareApplication();
}
