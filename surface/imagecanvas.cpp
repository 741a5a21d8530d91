#include "surface/imagecanvas.h"

#include "runtime/uifont.h"
#include "surface/segmentclip.h"

#include <QFontMetricsF>

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
    else
        painter.drawLine(from, to);
    Changed();
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
    font_ = vb::GothicFont(vb::PointsToPixels(fontPoints_), fontBold_);
    fontAscent_ = QFontMetricsF(font_).ascent();
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
    Painter().drawText(QPointF(x, y + fontAscent_), text);
    Changed();
}

void ImageCanvas::Refresh()
{
    EndPainting();
    shown_ = false;
    if (changeHandler_)
        changeHandler_();
}
