// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QLabel>
#include <QWidget>

// The yardstick for Tolvane's start-up time and memory: a window of the same
// size and place as Tolvane's, written as any small Qt program would be,
// showing one bold Japanese caption in the Japanese gothic faces Tolvane asks
// for, named in the same order. Every program that shows Japanese text pays
// for finding and loading its fonts; what Tolvane adds on top is its own.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Caption"));
    window.setGeometry(4, 30, 935, 650);
    window.setFixedSize(935, 650);
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                      QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("IPAGothic"), QStringLiteral("TakaoPGothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    font.setBold(true);
    auto *caption = new QLabel(QStringLiteral("座標平面の大きさ"), &window);
    caption->setFont(font);
    caption->move(720, 56);
    window.show();
    return QApplication::exec();
}
