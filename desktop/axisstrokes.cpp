// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/axisstrokes.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Ratios that take longer than this to come back to whole device pixels
// (1.1, or 4/3 as a double) go to QPainter.
constexpr int kLongestPeriod = 16;

constexpr QRgb kUntouched = 0xffffffffu;

// Segments are kept through this many wipes unused: enough to go through the
// three plane sizes and back without learning any of them again.
constexpr std::uint64_t kPassesKept = 6;

// Up to this whole ratio, a 1-pixel pen from the middle of one pixel to the
// middle of another along a row or column covers exactly the device pixels of
// the surface pixels from one to the other, ends included: its round caps
// cut no corner off. Larger ratios learn from QPainter like every other pen.
constexpr qreal kLongestBlockRatio = 3;

// The pixels of an image, taken once: QImage::scanLine checks for sharing
// on every call, which costs more than filling a short span.
struct Pixels {
    explicit Pixels(QImage &image)
        : bits(image.bits())
        , bytesPerLine(image.bytesPerLine())
        , width(image.width())
        , height(image.height())
    {}
    QRgb *Row(int y) const { return reinterpret_cast<QRgb *>(bits + y * bytesPerLine); }
    // Fills pixels first to last of row y, clipped to the image.
    void FillRow(int y, int first, int last, QRgb pixel) const
    {
        if (y < 0 || y >= height)
            return;
        first = std::max(first, 0);
        last = std::min(last, width - 1);
        if (first <= last)
            std::fill(Row(y) + first, Row(y) + last + 1, pixel);
    }
    uchar *bits;
    qsizetype bytesPerLine;
    int width;
    int height;
};

} // namespace

AxisStrokes::AxisStrokes(qreal devicePixelRatio)
    : ratio_(devicePixelRatio)
{
    for (int period = 1; period <= kLongestPeriod; ++period) {
        const qreal devicePixels = ratio_ * period;
        if (devicePixels == std::floor(devicePixels) && devicePixels >= 1 &&
            devicePixels <= 64.0 * kLongestPeriod) {
            period_ = period;
            break;
        }
    }
}

void AxisStrokes::NextPass()
{
    ++pass_;
    std::erase_if(strokes_,
                  [this](const auto &entry) { return entry.second.pass + kPassesKept < pass_; });
}

bool AxisStrokes::Draw(QImage &image, int x1, int y1, int x2, int y2, int penWidth, QRgb colour)
{
    if (period_ == 0 || penWidth < 1 || (x1 == x2) == (y1 == y2))
        return false;
    const Key key{x1, y1, x2, y2, penWidth};
    auto found = strokes_.find(key);
    if (found == strokes_.end()) {
        const bool block = penWidth == 1 && period_ == 1 && ratio_ <= kLongestBlockRatio;
        found =
            strokes_.emplace(key, block ? Block1(x1, y1, x2, y2) : Learn(x1, y1, x2, y2, penWidth))
                .first;
    }
    Stroke &stroke = found->second;
    stroke.pass = pass_;
    if (!stroke.usable)
        return false;

    const QRgb pixel = 0xff000000u | colour;
    // What is kept back is written before any pixel of another colour, which
    // might cross it; pixels of the same colour may come in any order.
    if (!pending_.empty() && pixel != pendingPixel_)
        Flush(image);
    const Pixels pixels(image);
    const auto fillStep = [&](int step, const Span &span) {
        if (stroke.vertical) {
            pixels.FillRow(step, span.first, span.last, pixel);
        } else {
            for (int y = span.first; y <= span.last; ++y)
                pixels.FillRow(y, step, step, pixel);
        }
    };
    for (std::size_t i = 0; i < stroke.head.size(); ++i)
        fillStep(stroke.headFirst + static_cast<int>(i), stroke.head[i]);
    if (stroke.vertical) {
        const Block block{std::max(stroke.middle.first, 0), std::max(stroke.middleFirst, 0),
                          std::min(stroke.middle.last, pixels.width - 1),
                          std::min(stroke.middleLast, pixels.height - 1)};
        if (block.left <= block.right && block.top <= block.bottom) {
            pending_.push_back(block);
            pendingPixel_ = pixel;
        }
    } else {
        for (int y = stroke.middle.first; y <= stroke.middle.last; ++y)
            pixels.FillRow(y, stroke.middleFirst, stroke.middleLast, pixel);
    }
    for (std::size_t i = 0; i < stroke.tail.size(); ++i)
        fillStep(stroke.middleLast + 1 + static_cast<int>(i), stroke.tail[i]);
    return true;
}

void AxisStrokes::Flush(QImage &image)
{
    if (pending_.empty())
        return;
    // Blocks were clipped to this image when they were kept back. Those over
    // the same rows, as the grid's columns all are, are written together,
    // row after row, left to right.
    std::sort(pending_.begin(), pending_.end(), [](const Block &a, const Block &b) {
        return std::tie(a.top, a.bottom, a.left) < std::tie(b.top, b.bottom, b.left);
    });
    const Pixels pixels(image);
    for (auto group = pending_.begin(); group != pending_.end();) {
        auto end = group;
        while (end != pending_.end() && end->top == group->top && end->bottom == group->bottom)
            ++end;
        for (int y = group->top; y <= group->bottom; ++y) {
            QRgb *const row = pixels.Row(y);
            for (auto block = group; block != end; ++block) {
                for (int x = block->left; x <= block->right; ++x)
                    row[x] = pendingPixel_;
            }
        }
        group = end;
    }
    pending_.clear();
}

AxisStrokes::Stroke AxisStrokes::Block1(int x1, int y1, int x2, int y2) const
{
    const int scale = static_cast<int>(ratio_);
    Stroke stroke;
    stroke.usable = true;
    stroke.vertical = x1 == x2;
    const int across = stroke.vertical ? x1 : y1;
    const int from = stroke.vertical ? std::min(y1, y2) : std::min(x1, x2);
    const int to = stroke.vertical ? std::max(y1, y2) : std::max(x1, x2);
    stroke.middle = Span{across * scale, across * scale + scale - 1};
    stroke.middleFirst = from * scale;
    stroke.middleLast = to * scale + scale - 1;
    return stroke;
}

int AxisStrokes::ShiftFor(int lowest) const
{
    return lowest > 0 ? lowest / period_ * period_ : 0;
}

AxisStrokes::Stroke AxisStrokes::Learn(int x1, int y1, int x2, int y2, int penWidth) const
{
    // The small image covers the segment and its caps with room to spare.
    // It starts a whole number of periods from the surface's corner, so its
    // device pixels are the surface's shifted by whole pixels: QPainter
    // strokes the same coordinates, and shifting the result by a whole
    // number is exact as long as nothing crosses zero, which the shift never
    // lets happen.
    const int reach = penWidth / 2 + 2;
    const int shiftX = ShiftFor(std::min(x1, x2) - reach);
    const int shiftY = ShiftFor(std::min(y1, y2) - reach);
    const int deviceShiftX = static_cast<int>(ratio_ * shiftX);
    const int deviceShiftY = static_cast<int>(ratio_ * shiftY);
    const int width = static_cast<int>(std::ceil((std::max(x1, x2) + reach + 1 - shiftX) * ratio_));
    const int height =
        static_cast<int>(std::ceil((std::max(y1, y2) + reach + 1 - shiftY) * ratio_));
    QImage sample(width, height, QImage::Format_RGB32);
    sample.setDevicePixelRatio(ratio_);
    sample.fill(kUntouched);
    {
        QPainter painter(&sample);
        painter.setWorldTransform(QTransform::fromTranslate(-shiftX, -shiftY));
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor(0, 0, 0), penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
    }

    // The span and the number of covered pixels at every device step along.
    Stroke stroke;
    stroke.vertical = x1 == x2;
    const int steps = stroke.vertical ? height : width;
    std::vector<Span> spans(steps, Span{std::numeric_limits<int>::max(), -1});
    std::vector<int> covered(steps, 0);
    for (int y = 0; y < height; ++y) {
        // Every row of the sample is one run of covered pixels or none.
        const auto *const row = reinterpret_cast<const QRgb *>(sample.constScanLine(y));
        int x = 0;
        while (x < width && row[x] == kUntouched)
            ++x;
        if (x == width)
            continue;
        const int runFirst = x;
        while (x < width && row[x] != kUntouched)
            ++x;
        const int runLast = x - 1;
        while (x < width && row[x] == kUntouched)
            ++x;
        if (x != width)
            return stroke;
        if (stroke.vertical) {
            spans[y] = Span{runFirst, runLast};
            covered[y] = runLast - runFirst + 1;
            continue;
        }
        for (int step = runFirst; step <= runLast; ++step) {
            spans[step].first = std::min(spans[step].first, y);
            spans[step].last = std::max(spans[step].last, y);
            ++covered[step];
        }
    }
    int first = 0;
    while (first < steps && covered[first] == 0)
        ++first;
    int last = steps - 1;
    while (last >= first && covered[last] == 0)
        --last;
    // The sample reaches past the far end's cap; at the near end it may stop
    // at the surface's own edge, where the surface clips the same way.
    if (first > last || last == steps - 1)
        return stroke;
    for (int step = first; step <= last; ++step) {
        // A step with a gap is not a span.
        if (covered[step] != spans[step].last - spans[step].first + 1)
            return stroke;
    }

    // The longest run of equal spans around the middle step is the block.
    int middleFirst = (first + last) / 2;
    int middleLast = middleFirst;
    const Span middle = spans[middleFirst];
    while (middleFirst > first && spans[middleFirst - 1] == middle)
        --middleFirst;
    while (middleLast < last && spans[middleLast + 1] == middle)
        ++middleLast;

    const int deviceShiftStep = stroke.vertical ? deviceShiftY : deviceShiftX;
    const int deviceShiftAcross = stroke.vertical ? deviceShiftX : deviceShiftY;
    const auto shifted = [&](Span span) {
        return Span{span.first + deviceShiftAcross, span.last + deviceShiftAcross};
    };
    stroke.headFirst = first + deviceShiftStep;
    for (int step = first; step < middleFirst; ++step)
        stroke.head.push_back(shifted(spans[step]));
    stroke.middle = shifted(middle);
    stroke.middleFirst = middleFirst + deviceShiftStep;
    stroke.middleLast = middleLast + deviceShiftStep;
    for (int step = middleLast + 1; step <= last; ++step)
        stroke.tail.push_back(shifted(spans[step]));
    stroke.usable = true;
    return stroke;
}
