// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/imagecanvas.h"

#include "desktop/uifont.h"
#include "runtime/points.h"
#include "surface/segmentclip.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

ImageCanvas::ImageCanvas(int width, int height, QRgb backColour, qreal devicePixelRatio)
    : width_(width)
    , height_(height)
    , backColour_(backColour)
    , axisStrokes_(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    image_ = QImage(static_cast<int>(std::ceil(width * ratio)),
                    static_cast<int>(std::ceil(height * ratio)), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(backColour_);
    UpdateFont();
}

ImageCanvas::~ImageCanvas() = default;

const QImage &ImageCanvas::Image()
{
    EndPainting();
    shown_ = true;
    return image_;
}

QPainter &ImageCanvas::Painter()
{
    // Whatever QPainter draws comes after the lines written by hand.
    axisStrokes_.Flush(image_);
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setPen(
            QPen(QColor(foreColour_), drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter_->setFont(font_);
    }
    return *painter_;
}

void ImageCanvas::EndPainting()
{
    painter_.reset();
    axisStrokes_.Flush(image_);
}

void ImageCanvas::Clear()
{
    painter_.reset();
    axisStrokes_.Discard();
    image_.fill(backColour_);
    axisStrokes_.NextPass();
    printedTexts_.NextPass();
    Changed();
}

void ImageCanvas::Changed()
{
    if (!shown_)
        return;
    shown_ = false;
    if (changeHandler_)
        changeHandler_();
}

void ImageCanvas::SetDrawWidth(std::int16_t width)
{
    drawWidth_ = width;
    if (painter_) {
        QPen pen = painter_->pen();
        pen.setWidth(width > 0 ? width : 1);
        painter_->setPen(pen);
    }
}

void ImageCanvas::SetForeColor(QRgb colour)
{
    foreColour_ = colour;
    if (painter_) {
        QPen pen = painter_->pen();
        pen.setColor(QColor(colour));
        painter_->setPen(pen);
    }
}

void ImageCanvas::Line(float x1, float y1, float x2, float y2)
{
    const auto clipped = PenSegment({x1, y1, x2, y2}, drawWidth_, width_, height_);
    if (!clipped)
        return;
    // A pen centred on the middle of a pixel covers whole pixels: a 1-pixel
    // line at x = 322 fills column 322, a 3-pixel one columns 321 to 323.
    const QPointF from(clipped->x1 + 0.5, clipped->y1 + 0.5);
    const QPointF to(clipped->x2 + 0.5, clipped->y2 + 0.5);
    if (from == to)
        Painter().drawPoint(from);
    else if (!FillAxisLine(*clipped))
        Painter().drawLine(from, to);
    Changed();
}

bool ImageCanvas::FillAxisLine(const Segment &segment)
{
    // The grid is a few hundred lines along whole pixel rows and columns,
    // which QPainter strokes as outlines and fills one device row at a time;
    // AxisStrokes writes the same pixels straight into the image. When a
    // painter is open nothing else holds the image, so its pixels are the
    // very ones the painter draws into; when none is, writing detaches the
    // image from any copy handed out before, as QPainter would.
    if (segment.x1 != segment.x2 && segment.y1 != segment.y2)
        return false;
    for (const double v : {segment.x1, segment.y1, segment.x2, segment.y2}) {
        if (v != std::floor(v))
            return false;
    }
    return axisStrokes_.Draw(image_, static_cast<int>(segment.x1), static_cast<int>(segment.y1),
                             static_cast<int>(segment.x2), static_cast<int>(segment.y2), drawWidth_,
                             foreColour_);
}

void ImageCanvas::SetFontSize(float points)
{
    fontPoints_ = points;
    UpdateFont();
}

void ImageCanvas::SetFontBold(bool bold)
{
    fontBold_ = bold;
    UpdateFont();
}

void ImageCanvas::UpdateFont()
{
    // Every plane drawing asks for the bold face again; keeping the font as it
    // is spares making, looking up and measuring it anew.
    const int pixels = PointsToPixels(fontPoints_);
    if (font_.pixelSize() == pixels && font_.bold() == fontBold_)
        return;
    font_ = GothicFont(pixels, fontBold_);
    // Measuring a font loads it, which is slow the first time; the surface
    // passes through sizes it never prints in, so measure only on printing.
    fontAscent_.reset();
    if (painter_)
        painter_->setFont(font_);
}

void ImageCanvas::Print(const std::string &utf8)
{
    // Positions far off the surface draw nothing anywhere, so skip them before
    // they reach the text engine.
    const float x = currentX_;
    const float y = currentY_;
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e6f || std::fabs(y) > 1e6f)
        return;
    const QString text = QString::fromStdString(utf8);
    if (!fontAscent_)
        fontAscent_ = QFontMetricsF(font_).ascent();
    QPainter &painter = Painter();
    const PrintedTexts::Key key{text, x, y, font_.pixelSize(), font_.bold(), foreColour_};
    if (!printedTexts_.Reprint(image_, key)) {
        const QPointF baseline(x, y + *fontAscent_);
        printedTexts_.Record(image_, key, TextArea(text, baseline),
                             [&] { painter.drawText(baseline, text); });
    }
    Changed();
}

Extent ImageCanvas::TextSize(const std::string &utf8)
{
    auto key = std::make_tuple(utf8, font_.pixelSize(), font_.bold());
    if (const auto known = textSizes_.find(key); known != textSizes_.end())
        return known->second;
    // A lesson measures a few dozen texts; a canvas that has measured many
    // more starts afresh rather than grow.
    if (textSizes_.size() >= 1024)
        textSizes_.clear();
    const QFontMetricsF metrics(font_);
    const Extent size{metrics.horizontalAdvance(QString::fromStdString(utf8)), metrics.height()};
    textSizes_.emplace(std::move(key), size);
    return size;
}

namespace {

// A mark is drawn only where it can touch the surface; anything else would
// hand QPainter numbers it has no use for.
bool Near(float v, int size)
{
    return std::isfinite(v) && v > -static_cast<float>(size) && v < 2.0f * static_cast<float>(size);
}

} // namespace

void ImageCanvas::FillBox(float left, float top, float width, float height, QRgb colour)
{
    if (!Near(left, width_) || !Near(top, height_) || !(width > 0 && width < 2.0f * width_) ||
        !(height > 0 && height < 2.0f * height_))
        return;
    Painter().fillRect(QRectF(left, top, width, height), QColor(colour));
    Changed();
}

void ImageCanvas::FillDot(float x, float y, float radius, QRgb colour)
{
    if (!Near(x, width_) || !Near(y, height_) || !(radius > 0 && radius < width_))
        return;
    QPainter &painter = Painter();
    const QPen pen = painter.pen();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(colour));
    // Centred on the middle of the pixel, as the lines are.
    painter.drawEllipse(QPointF(x + 0.5, y + 0.5), radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    Changed();
}

QRect ImageCanvas::TextArea(const QString &text, QPointF baseline) const
{
    // The glyphs' own boxes, with a pixel of room for the antialiased rim.
    constexpr qreal margin = 1;
    const QRectF ink = QFontMetricsF(font_).boundingRect(text).translated(baseline);
    const qreal ratio = image_.devicePixelRatio();
    const QRect area(QPoint(static_cast<int>(std::floor((ink.left() - margin) * ratio)),
                            static_cast<int>(std::floor((ink.top() - margin) * ratio))),
                     QPoint(static_cast<int>(std::ceil((ink.right() + margin) * ratio)),
                            static_cast<int>(std::ceil((ink.bottom() + margin) * ratio))));
    return area.intersected(image_.rect());
}

void ImageCanvas::Refresh()
{
    EndPainting();
    shown_ = false;
    if (changeHandler_)
        changeHandler_();
}
