// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QWidget>

// The yardstick for Tolvane's start-up time and memory: a plain window of the
// same size and place as Tolvane's window and nothing in it. No style is set: without a
// desktop theme Qt 6 picks Fusion on its own, the style Tolvane asks for, so
// both programs load the same style code.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.setGeometry(4, 30, 935, 650);
    window.setFixedSize(935, 650);
    window.show();
    return QApplication::exec();
}
