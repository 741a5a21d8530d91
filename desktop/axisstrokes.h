// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

// Draws segments along whole pixel rows and columns straight into an image,
// pixel for pixel as QPainter's round-capped pen draws them without
// antialiasing, at any device pixel ratio that spans whole device pixels
// within a few surface pixels (1.25, 1.5, 1.75, 2, 3 ...).
//
// QPainter fills such a segment one device row at a time, which costs the
// most for columns. What it covers is the same span across the segment at
// every device step along it, except near the two caps, whose flattened
// round outline depends on the exact coordinates. So each segment is drawn
// once by QPainter itself, with the very same coordinates, into a small
// image shifted by whole device pixels, and kept as its caps and its middle
// span; every later time it is written straight from those. A 1-pixel pen at
// a whole ratio up to 3 covers a plain block and needs no such sample.
class AxisStrokes {
public:
    explicit AxisStrokes(qreal devicePixelRatio);

    // Draws the segment from the middle of pixel (x1, y1) to the middle of
    // (x2, y2), which share a row or a column but are not the same pixel,
    // with an opaque pen penWidth surface pixels wide. Returns false, drawing
    // nothing, when QPainter has to draw it: when the ratio has no short
    // period, or when QPainter's pixels for it are not spans along it.
    // The long middles of columns are kept back and written all at once,
    // row after row, by Flush: a few hundred columns written one after the
    // other each touch every row of a large image.
    bool Draw(QImage &image, int x1, int y1, int x2, int y2, int penWidth, QRgb colour);
    // Writes what Draw kept back; before anything else draws into the image.
    void Flush(QImage &image);
    // Drops what Draw kept back, when the image is wiped anyway.
    void Discard() { pending_.clear(); }
    // Called on every wipe: segments not drawn for a few wipes are
    // forgotten, so only the pictures in use are kept.
    void NextPass();

private:
    // The device pixels covered across the segment at one device step along
    // it, inclusive.
    struct Span {
        int first = 0;
        int last = -1;
        bool operator==(const Span &) const = default;
    };
    // A segment as QPainter drew it, in device pixels of the image: the
    // steps before the middle, the middle span and its first and last step,
    // and the steps after it.
    struct Stroke {
        bool usable = false;
        bool vertical = false;
        int headFirst = 0;
        std::vector<Span> head;
        Span middle;
        int middleFirst = 0;
        int middleLast = -1;
        std::vector<Span> tail;
        std::uint64_t pass = 0;
    };
    using Key = std::tuple<int, int, int, int, int>;
    // A block of whole device pixels, inclusive, to be filled in one colour.
    struct Block {
        int left;
        int top;
        int right;
        int bottom;
    };

    Stroke Learn(int x1, int y1, int x2, int y2, int penWidth) const;
    // A 1-pixel pen at a small whole ratio, which needs no learning.
    Stroke Block1(int x1, int y1, int x2, int y2) const;
    // The shift by whole periods that brings a coordinate near 0, never
    // below it, so that shifted device coordinates stay exact.
    int ShiftFor(int lowest) const;

    qreal ratio_;
    // The least number of surface pixels that spans whole device pixels;
    // 0 when there is none small enough.
    int period_ = 0;
    std::map<Key, Stroke> strokes_;
    std::vector<Block> pending_;
    QRgb pendingPixel_ = 0;
    std::uint64_t pass_ = 0;
};
