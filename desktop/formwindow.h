// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/window.h"
#include "window/worksheet.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class Announcer;
class PictureBox;
class QAction;
class QButtonGroup;
class QLineEdit;
class QTextBrowser;

// The program's window on the desktop: Qt widgets built from the layout
// table over the core's Window, which draws on the surface's canvas. Each
// click, key and edit goes to the core; after it the window shows what the
// core holds, moves the focus where it says and speaks its announcement. The window itself adds
// only what a desktop has: the surface's menu and keys, the clipboard, the
// boxes' own typing undo and the screen reader's layer.
class FormWindow final : public QWidget {
    Q_OBJECT

public:
    explicit FormWindow(QWidget *parent = nullptr);
    ~FormWindow() override;

    const Window &Core() const { return *core_; }
    PictureBox *Surface() const { return picture_; }
    QWidget *Widget(int control) const { return widgets_.at(static_cast<std::size_t>(control)); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Makes every control of the layout, in its order.
    void CreateControls();
    void SetTabOrder();
    void ConnectHandlers();
    // The lesson's link, the undo history's keys and the marks and function
    // switches, in the surface's menu.
    void MakeMenuActions();
    // Puts the lesson's link on the clipboard, behind the address the
    // package was built with, if any.
    void CopyLink();
    // Opens the link on the clipboard, as a step Ctrl+Z takes back.
    void OpenLinkFromClipboard();
    // The worksheet: the teacher's choice, then the system's print dialog.
    void PrintWorksheet();
    // The formula and table beside the window, made when first switched on.
    void MakeFunctionPanel();
    // Shows what an event left: the picture, the controls, the focus and the
    // announcement, or ends the program.
    void Apply(const Window::Outcome &outcome);
    // Brings every control in line with what the core holds.
    void ShowState();
    void ShowControl(int control, const Window::ControlState &state);
    // The window's width and the function panel, as the switch stands.
    void ShowFunctionPanel();
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z in a box: its own typing first, then
    // the line commands.
    bool HandleHistoryKey(QLineEdit *box, QEvent *event);

    std::unique_ptr<Window> core_;
    std::array<QWidget *, ControlCount> widgets_{};
    // What each control shows now, so that only changes reach the widgets.
    std::array<Window::ControlState, ControlCount> shown_{};
    PictureBox *picture_ = nullptr;
    QButtonGroup *slotGroup_ = nullptr;
    Announcer *announcer_ = nullptr;
    QAction *undoAction_ = nullptr;
    QAction *redoAction_ = nullptr;
    QAction *marksAction_ = nullptr;
    QAction *functionAction_ = nullptr;
    QAction *linkCopyAction_ = nullptr;
    QAction *linkOpenAction_ = nullptr;
    QAction *printAction_ = nullptr;
    QTextBrowser *functionPanel_ = nullptr;
    QWidget *lastTabStop_ = nullptr;
    // What the panel was last given.
    QString panelHtml_;
    // What was chosen at the last printing, for the next.
    WorksheetChoice printChoice_;
};
