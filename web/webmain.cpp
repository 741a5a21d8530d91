// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up in the browser: the page has put the IPA P Gothic face into the
// program's file system, the window fills its 935 × 650 canvas without a
// frame, and the page learns when the window is there and when the program
// has ended.
#include "app/form1.h"
#include "desktop/startup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTimer>

#include <emscripten.h>

namespace {

// Where the page writes the font file before the program starts.
constexpr auto kFontPath = "/fonts/ipagp.ttf";

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrepareApplication();
    // A browser has no fonts for the program to find, so the face travels
    // with the page.
    if (QFontDatabase::addApplicationFont(QString::fromLatin1(kFontPath)) < 0)
        qWarning("Tolvane: the font %s could not be loaded", kFontPath);
    // The desktop's fontconfig asks for slight hinting; without fontconfig Qt
    // would hint fully and the captions and tick numbers would differ from
    // the desktop's by a pixel here and there. Every font of the program
    // takes what it leaves unset from the application's font.
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferVerticalHinting);
    QApplication::setFont(font);
    // The last window closes only when 終　了 ends the program.
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, [] {
        EM_ASM({
            if (typeof window.tolvaneEnded == "function")
                window.tolvaneEnded();
        });
    });
    Form1 form;
    form.setWindowFlag(Qt::FramelessWindowHint);
    form.move(0, 0);
    form.show();
    // Once the event loop runs, the window's first frame is on its way and
    // the page may take its loading message away.
    QTimer::singleShot(0, [] {
        EM_ASM({
            if (typeof window.tolvaneShown == "function")
                window.tolvaneShown();
        });
    });
    return QApplication::exec();
}
