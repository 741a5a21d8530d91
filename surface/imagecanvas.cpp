// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "surface/imagecanvas.h"

#include "runtime/uifont.h"
#include "surface/segmentclip.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

ImageCanvas::ImageCanvas(int width, int height, QRgb backColour, qreal devicePixelRatio)
    : width_(width)
    , height_(height)
    , backColour_(backColour)
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
}

void ImageCanvas::Cls()
{
    EndPainting();
    image_.fill(backColour_);
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
    // The pen reaches a little past the mathematical segment; keep that part
    // so lines that end just outside still draw their caps up to the edge.
    const double reach = static_cast<double>(drawWidth_ > 0 ? drawWidth_ : 1) + 1.0;
    const auto clipped =
        ClipSegment({x1, y1, x2, y2}, -reach, -reach, width_ + reach, height_ + reach);
    if (!clipped)
        return;
    // A pen centred on the middle of a pixel covers whole pixels: a 1-pixel
    // line at x = 322 fills column 322, a 3-pixel one columns 321 to 323.
    const QPointF from(clipped->x1 + 0.5, clipped->y1 + 0.5);
    const QPointF to(clipped->x2 + 0.5, clipped->y2 + 0.5);
    QPainter &painter = Painter();
    if (from == to)
        painter.drawPoint(from);
    else if (!FillThinAxisLine(*clipped))
        painter.drawLine(from, to);
    Changed();
}

bool ImageCanvas::FillThinAxisLine(const Segment &segment)
{
    // The grid is a few hundred 1-pixel lines along whole pixel rows and
    // columns, which QPainter would set one pixel at a time. A 1-pixel pen
    // from the middle of one pixel to the middle of another covers exactly the
    // pixels from one to the other, ends included, and at a device pixel
    // ratio of 2 the same pixels doubled; so writing that block straight into
    // the image gives the same picture many times faster. At larger ratios
    // the round caps cut the block's corners, so those go to QPainter. While
    // a painter is open nothing else holds the image, so bits() hands out the
    // very pixels the painter draws into.
    const qreal ratio = image_.devicePixelRatio();
    if (drawWidth_ != 1 || (ratio != 1.0 && ratio != 2.0))
        return false;
    if (segment.x1 != segment.x2 && segment.y1 != segment.y2)
        return false;
    for (const double v : {segment.x1, segment.y1, segment.x2, segment.y2}) {
        if (v != std::floor(v))
            return false;
    }
    const int scale = static_cast<int>(ratio);
    const int left = static_cast<int>(std::min(segment.x1, segment.x2));
    const int top = static_cast<int>(std::min(segment.y1, segment.y2));
    const int right = static_cast<int>(std::max(segment.x1, segment.x2));
    const int bottom = static_cast<int>(std::max(segment.y1, segment.y2));
    const QRect block =
        QRect(left * scale, top * scale, (right - left + 1) * scale, (bottom - top + 1) * scale)
            .intersected(image_.rect());
    if (block.isEmpty())
        return true;
    // The pen colour is always opaque: QColor drops the alpha of a QRgb.
    const QRgb pixel = 0xff000000u | foreColour_;
    uchar *const bits = image_.bits();
    const qsizetype bytesPerLine = image_.bytesPerLine();
    for (int y = block.top(); y <= block.bottom(); ++y) {
        auto *const row = reinterpret_cast<QRgb *>(bits + y * bytesPerLine);
        std::fill(row + block.left(), row + block.right() + 1, pixel);
    }
    return true;
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
    const int pixels = vb::PointsToPixels(fontPoints_);
    if (font_.pixelSize() == pixels && font_.bold() == fontBold_)
        return;
    font_ = vb::GothicFont(pixels, fontBold_);
    // Measuring a font loads it, which is slow the first time; the surface
    // passes through sizes it never prints in, so measure only on printing.
    fontAscent_.reset();
    if (painter_)
        painter_->setFont(font_);
}

void ImageCanvas::Print(const QString &text)
{
    // Positions far off the surface draw nothing anywhere, so skip them before
    // they reach the text engine.
    const float x = currentX_;
    const float y = currentY_;
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e6f || std::fabs(y) > 1e6f)
        return;
    if (!fontAscent_)
        fontAscent_ = QFontMetricsF(font_).ascent();
    Painter().drawText(QPointF(x, y + *fontAscent_), text);
    Changed();
}

QSizeF ImageCanvas::TextSize(const QString &text)
{
    const QFontMetricsF metrics(font_);
    return {metrics.horizontalAdvance(text), metrics.height()};
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

void ImageCanvas::Refresh()
{
    EndPainting();
    shown_ = false;
    if (changeHandler_)
        changeHandler_();
}
