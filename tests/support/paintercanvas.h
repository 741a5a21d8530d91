// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop/uifont.h"
#include "runtime/points.h"
#include "surface/canvas.h"
#include "surface/segmentclip.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>

// The yardstick for ImageCanvas's short cuts: the same surface with every
// line and every text handed to QPainter, the way QPainter alone draws them.
// Pen, caps, clipping and the text's place are ImageCanvas's; nothing is
// filled or copied by hand.
class PainterCanvas final : public Canvas {
public:
    PainterCanvas(int width, int height, QRgb backColour, qreal ratio)
        : width_(width)
        , height_(height)
        , backColour_(backColour)
        , image_(static_cast<int>(std::ceil(width * ratio)),
                 static_cast<int>(std::ceil(height * ratio)), QImage::Format_RGB32)
    {
        image_.setDevicePixelRatio(ratio);
        image_.fill(backColour_);
    }

    const QImage &Image()
    {
        painter_.reset();
        return image_;
    }

    void Clear() override
    {
        painter_.reset();
        image_.fill(backColour_);
    }
    float Width() const override { return static_cast<float>(width_); }
    float Height() const override { return static_cast<float>(height_); }
    std::int16_t DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(std::int16_t width) override { drawWidth_ = width; }
    QRgb ForeColor() const { return colour_; }
    void SetForeColor(QRgb colour) override { colour_ = colour; }

    void Line(float x1, float y1, float x2, float y2) override
    {
        const auto clipped = PenSegment({x1, y1, x2, y2}, drawWidth_, width_, height_);
        if (!clipped)
            return;
        const QPointF from(clipped->x1 + 0.5, clipped->y1 + 0.5);
        const QPointF to(clipped->x2 + 0.5, clipped->y2 + 0.5);
        QPainter &painter = Painter();
        if (from == to)
            painter.drawPoint(from);
        else
            painter.drawLine(from, to);
    }

    void SetFontSize(float points) override { points_ = points; }
    void SetFontBold(bool bold) override { bold_ = bold; }
    void SetCurrentX(float x) override { x_ = x; }
    void SetCurrentY(float y) override { y_ = y; }

    void Print(const std::string &text) override
    {
        if (!std::isfinite(x_) || !std::isfinite(y_) || std::fabs(x_) > 1e6f ||
            std::fabs(y_) > 1e6f)
            return;
        const QFont font = GothicFont(PointsToPixels(points_), bold_);
        QPainter &painter = Painter();
        painter.setFont(font);
        painter.drawText(QPointF(x_, y_ + QFontMetricsF(font).ascent()),
                         QString::fromStdString(text));
    }

    Extent TextSize(const std::string &text) override
    {
        const QFontMetricsF metrics(GothicFont(PointsToPixels(points_), bold_));
        return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
    }
    void FillBox(float left, float top, float width, float height, QRgb colour) override
    {
        Painter().fillRect(QRectF(left, top, width, height), QColor(colour));
    }
    void FillDot(float x, float y, float radius, QRgb colour) override
    {
        QPainter &painter = Painter();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(colour));
        painter.drawEllipse(QPointF(x + 0.5, y + 0.5), radius, radius);
        painter.setBrush(Qt::NoBrush);
    }

    void Refresh() override { painter_.reset(); }

private:
    QPainter &Painter()
    {
        if (!painter_)
            painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setPen(QPen(QColor(colour_), drawWidth_ > 0 ? drawWidth_ : 1, Qt::SolidLine,
                              Qt::RoundCap, Qt::RoundJoin));
        return *painter_;
    }

    int width_;
    int height_;
    QRgb backColour_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    std::int16_t drawWidth_ = 1;
    QRgb colour_ = qRgb(0, 0, 0);
    float points_ = 12.0f;
    bool bold_ = false;
    float x_ = 0;
    float y_ = 0;
};
