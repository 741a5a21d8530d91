// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/compositionguard.h"
#include "desktop/formwindow.h"
#include "desktop/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrepareApplication();
    app.installEventFilter(new CompositionGuard(&app));
    FormWindow window;
    window.show();
    return QApplication::exec();
}
