// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/announcer.h"
#include "lines/crossings.h"
#include "lines/linetable.h"
#include "plane/planeview.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class PictureBox;
class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QUndoStack;

// The program's only window: the drawing surface on the left, the plane-size
// buttons, the instructions and the input panel on the right. It owns the
// view, the table of lines and the current slot for the whole run, and its
// handlers carry the names of the controls and events that raise them.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    const PlaneView &View() const { return view_; }
    LineTable &Lines() { return lineTable_; }
    const LineTable &Lines() const { return lineTable_; }
    std::int16_t CurrentSlot() const { return currentSlot_; }
    PictureBox *Surface() const { return Picture1; }

    // Start-up and exit.
    void Form_Load();
    void Command1_Click();
    // The plane-size buttons.
    void Command3_Click(std::int16_t index);
    // Slot selection and the input boxes.
    void Option1_Click(std::int16_t index);
    void Text1_KeyPress(std::int16_t keyAscii);
    void Text2_KeyPress(std::int16_t keyAscii);
    void Text3_KeyPress(std::int16_t keyAscii);
    void Text4_KeyPress(std::int16_t keyAscii);
    void Text5_KeyPress(std::int16_t keyAscii);
    void Text2_Change();
    // The line commands: draw, erase, reset.
    void Command4_Click();
    void Command5_Click();
    void Command2_Click();
    // Shows or hides the lines' numbers and their crossing points.
    void ShowMarks(bool shown);
    bool MarksShown() const { return marksShown_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Makes every control of the layout, in its order, then finds the ones
    // the handlers use by the names the layout gives them.
    void CreateControls();
    void BindControls();
    void NameControlsForScreenReaders();
    // The range boxes say whether the range is of x or of y, as the caption
    // between them does.
    void NameRangeBoxes(RangeOf range);
    // Keeps the surface's spoken description and copy text in step with the
    // picture and the crossings it shows.
    void DescribeSurface(const std::vector<Crossing> &crossings = {});
    // Tells a screen reader what a command did, once the focus has settled.
    void Announce(const QString &message);
    void SetTabOrder();
    void ConnectHandlers();
    // The undo history of the line commands, its keys and menu entries.
    void MakeHistory();
    // The switch for the lines' numbers and crossings, in the plane's menu.
    void MakeMarksSwitch();
    // The crossings of the drawn lines while the marks are shown, else none.
    std::vector<Crossing> ShownCrossings() const;
    // Keeps a line command as an undo step, when it changed the table.
    void Record(const LineTable &before, int slotBefore, int slotAfter, const QString &what);
    // What undoing or redoing a step does: the table as it was, the picture
    // redrawn, the step's slot recalled, and a word for the screen reader.
    void RestoreLines(const LineTable &table, int slot, const QString &message);
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z in a box: its own typing first, then
    // the line commands.
    bool HandleHistoryKey(QLineEdit *box, QEvent *event);

    // Draws the whole picture afresh from the view and the table, puts the
    // axis names beside the axes and describes the picture.
    void RedrawSurface();
    // Draws one slot's line over what is shown, and describes the picture.
    void DrawLine(int slot, std::int16_t colour);
    void MoveRangeCaption(RangeOf range);
    // Gives the focus to a slot button. Like the old platform, a button that
    // is not selected becomes selected, which runs Option1_Click at once.
    void FocusSlotButton(int index);
    // Selects a slot as a click on its button does, and recalls it even when
    // it is already the selected one.
    void SelectSlot(int index);
    static void MoveOnAtEnter(std::int16_t keyAscii, QWidget *next);
    // The five boxes a, b, c and the two range ends, in that order.
    std::array<QLineEdit *, 5> Boxes() const { return {Text1, Text2, Text3, Text4, Text5}; }
    // Empties the five boxes in order; an empty b moves no caption.
    void EmptyBoxes();
    // Only the selected slot button is a Tab stop; arrow keys reach the others.
    void MakeSlotTabStop(int index);
    void MarkScaleButton(int index);

    Announcer *announcer_ = nullptr;
    QUndoStack *history_ = nullptr;
    QAction *undoAction_ = nullptr;
    QAction *redoAction_ = nullptr;
    QAction *marksAction_ = nullptr;
    bool marksShown_ = false;
    PlaneView view_;
    LineTable lineTable_;
    std::int16_t currentSlot_ = 0;

    // The controls the handlers use; the layout makes the others too.
    PictureBox *Picture1 = nullptr;
    std::array<QLabel *, 2> Label5{};
    std::array<QLabel *, 2> Label6{};
    std::array<QLabel *, 2> Label8{};
    QLabel *Label9 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    std::array<QPushButton *, 3> Command3{};
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    std::array<QRadioButton *, SlotButtonCount> Option1{};
    QButtonGroup *Option1Group = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
};
