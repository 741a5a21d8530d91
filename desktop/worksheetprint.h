// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/worksheet.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QPrinter;
class QRadioButton;
class Window;

// What the teacher chooses before the system's print dialog: the scale, the
// fitting one marked at first, and whether this is the pupils' copy.
class WorksheetDialog final : public QDialog {
    Q_OBJECT

public:
    WorksheetDialog(int gridUnit, WorksheetChoice last, QWidget *parent = nullptr);

    WorksheetChoice Choice() const;

private:
    int fitting_;
    std::array<QRadioButton *, PaperScales.size()> scales_{};
    QCheckBox *pupilsCopy_ = nullptr;
};

// Sets the printer to one A4 page, upright, drawn from the paper's corner.
void PrepareForWorksheet(QPrinter &printer);
// Prints the window's worksheet on the printer, or into its PDF file.
void PrintWorksheet(const Window &window, QPrinter &printer, WorksheetChoice choice);
