// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/worksheetprint.h"

#include "desktop/papercanvas.h"
#include "desktop/uifont.h"
#include "window/window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

WorksheetDialog::WorksheetDialog(int gridUnit, WorksheetChoice last, QWidget *parent)
    : QDialog(parent)
    , fitting_(FittingScale(gridUnit))
{
    setWindowTitle(QString::fromUtf8(PrintTitle));
    // In the window's own face, not whatever the desktop's default has.
    setFont(ControlFont(FontStyle::R12));
    auto *layout = new QVBoxLayout(this);
    auto *scales = new QGroupBox(QString::fromUtf8(PaperScaleHeading), this);
    auto *scaleLayout = new QVBoxLayout;
    const int chosen = last.millimetresPerUnit != 0 ? last.millimetresPerUnit : fitting_;
    for (std::size_t i = 0; i < PaperScales.size(); ++i) {
        const int scale = PaperScales[i];
        scales_[i] = new QRadioButton(
            QString::fromStdString(PaperScaleChoice(scale, PlaneFitsPaper(gridUnit, scale))),
            scales);
        scales_[i]->setChecked(scale == chosen);
        scaleLayout->addWidget(scales_[i]);
    }
    scales->setLayout(scaleLayout);
    layout->addWidget(scales);
    pupilsCopy_ = new QCheckBox(QString::fromUtf8(PupilsCopyChoice), this);
    pupilsCopy_->setChecked(!last.withLines);
    layout->addWidget(pupilsCopy_);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QString::fromUtf8(PrintButton), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    buttons->addButton(QString::fromUtf8(CancelButton), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    for (QRadioButton *scale : scales_) {
        if (scale->isChecked())
            scale->setFocus(Qt::OtherFocusReason);
    }
}

WorksheetChoice WorksheetDialog::Choice() const
{
    WorksheetChoice choice;
    for (std::size_t i = 0; i < PaperScales.size(); ++i) {
        // The fitting scale is kept as "the fitting one", so that it follows
        // the plane's size.
        if (scales_[i]->isChecked() && PaperScales[i] != fitting_)
            choice.millimetresPerUnit = PaperScales[i];
    }
    choice.withLines = !pupilsCopy_->isChecked();
    return choice;
}

void PrepareForWorksheet(QPrinter &printer)
{
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    printer.setDocName(QString::fromUtf8(WindowTitle));
}

void PrintWorksheet(const Window &window, QPrinter &printer, WorksheetChoice choice)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    PaperCanvas page(painter, printer.resolution());
    window.DrawWorksheet(page, choice);
    painter.end();
}
