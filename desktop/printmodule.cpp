// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/printmodule.h"

#include "desktop/worksheetprint.h"
#include "window/window.h"

#include <QPrintDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT void tolvane_print_worksheet(QWidget *parent, const Window &window,
                                                      WorksheetChoice *choice)
{
    WorksheetDialog chooser(window.Contents().View().GridUnit, *choice, parent);
    if (chooser.exec() != QDialog::Accepted)
        return;
    *choice = chooser.Choice();
    QPrinter printer(QPrinter::HighResolution);
    PrepareForWorksheet(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QString::fromUtf8(PrintTitle));
    // One page, whatever the dialog would offer.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() == QDialog::Accepted)
        PrintWorksheet(window, printer, *choice);
}
