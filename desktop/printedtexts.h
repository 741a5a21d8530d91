// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <tuple>

// Texts printed into an image before, each with the pixels of its area as
// they were before and after it was drawn. QPainter blends text into each
// pixel from that pixel and the glyphs' coverage of it alone, so the same
// text, at the same place, in the same font and colour, over the same pixels,
// always comes out as the same pixels; those are copied instead of laid out
// and rasterised again. The tick numbers are printed anew on every redraw,
// over the same grid, and at large device pixel ratios QPainter fills every
// glyph from its outline each time.
class PrintedTexts {
public:
    // The text, its place in surface pixels, the font's pixel size and
    // weight, and the colour.
    using Key = std::tuple<QString, float, float, int, bool, QRgb>;

    // Copies what the text drew last time, when everything under its area is
    // as it was then; false, changing nothing, when it must be drawn.
    bool Reprint(QImage &image, const Key &key);
    // Runs draw, which prints the text within area of the image, and keeps
    // the area's pixels from before and after for the next time. An empty
    // area is a text wholly off the image, which is skipped from then on.
    void Record(QImage &image, const Key &key, const QRect &area,
                const std::function<void()> &draw);
    // Called on every wipe: texts not printed since the wipe before this one
    // are forgotten, so only the pictures in use are kept.
    void NextPass();

private:
    struct Printed {
        QRect area;
        QImage before;
        QImage after;
        std::uint64_t pass = 0;
    };

    std::map<Key, Printed> printed_;
    std::uint64_t pass_ = 0;
};
