// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/papercanvas.h"

#include "desktop/uifont.h"
#include "window/worksheet.h"

#include <QFontMetricsF>

#include <cmath>

namespace {

// Anything beyond the page by more than a page is a number nobody can print.
bool OnPaper(double v)
{
    return std::isfinite(v) && std::fabs(v) < 4.0 * paper::Height;
}

} // namespace

PaperCanvas::PaperCanvas(QPainter &painter, qreal dotsPerInch)
    : painter_(painter)
    , perPixel_(dotsPerInch / 96.0)
    , dotsPerInch_(dotsPerInch)
{
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBrush(Qt::NoBrush);
    SetFontSize(points_);
    UpdatePen();
}

float PaperCanvas::Width() const
{
    return static_cast<float>(paper::Width);
}

float PaperCanvas::Height() const
{
    return static_cast<float>(paper::Height);
}

void PaperCanvas::SetDrawWidth(std::int16_t hundredthsOfMillimetre)
{
    penWidth_ = hundredthsOfMillimetre > 0 ? hundredthsOfMillimetre : std::int16_t{1};
    UpdatePen();
}

void PaperCanvas::SetForeColor(Rgb colour)
{
    colour_ = colour;
    UpdatePen();
}

void PaperCanvas::UpdatePen()
{
    const qreal width = penWidth_ / 100.0 / 25.4 * dotsPerInch_;
    painter_.setPen(
        QPen(QColor::fromRgb(colour_), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
}

void PaperCanvas::Line(float x1, float y1, float x2, float y2)
{
    if (!OnPaper(x1) || !OnPaper(y1) || !OnPaper(x2) || !OnPaper(y2))
        return;
    painter_.drawLine(OnDevice(x1, y1), OnDevice(x2, y2));
}

void PaperCanvas::SetFontSize(float points)
{
    points_ = points > 0 && std::isfinite(points) ? points : 1.0f;
    // The gothic face at its size on paper: points are the device's own, so
    // the printer's resolution sets the pixels.
    font_ = GothicFont(1, bold_);
    font_.setPointSizeF(points_);
    painter_.setFont(font_);
}

void PaperCanvas::SetFontBold(bool bold)
{
    bold_ = bold;
    SetFontSize(points_);
}

void PaperCanvas::Print(const std::string &utf8)
{
    if (!OnPaper(currentX_) || !OnPaper(currentY_))
        return;
    const QFontMetricsF metrics(font_, painter_.device());
    const QPointF corner = OnDevice(currentX_, currentY_);
    painter_.drawText(QPointF(corner.x(), corner.y() + metrics.ascent()),
                      QString::fromStdString(utf8));
}

Extent PaperCanvas::TextSize(const std::string &utf8)
{
    const QFontMetricsF metrics(font_, painter_.device());
    return {metrics.horizontalAdvance(QString::fromStdString(utf8)) / perPixel_,
            metrics.height() / perPixel_};
}

void PaperCanvas::FillBox(float left, float top, float width, float height, Rgb colour)
{
    if (!OnPaper(left) || !OnPaper(top) || !OnPaper(width) || !OnPaper(height))
        return;
    painter_.fillRect(QRectF(OnDevice(left, top), OnDevice(left + width, top + height)),
                      QColor::fromRgb(colour));
}

void PaperCanvas::FillDot(float x, float y, float radius, Rgb colour)
{
    if (!OnPaper(x) || !OnPaper(y) || !OnPaper(radius))
        return;
    const QPen pen = painter_.pen();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(QColor::fromRgb(colour));
    painter_.drawEllipse(OnDevice(x, y), radius * perPixel_, radius * perPixel_);
    painter_.setBrush(Qt::NoBrush);
    painter_.setPen(pen);
}
