// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup.h"

#include <QApplication>
#include <QStyleFactory>

void PrepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    // Ties the window to its launcher entry, for the dock and the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tolvane.Tolvane"));
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    app.setQuitOnLastWindowClosed(true);
}
