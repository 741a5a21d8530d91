// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop/axisstrokes.h"
#include "desktop/printedtexts.h"
#include "surface/canvas.h"
#include "surface/segmentclip.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

// A canvas that draws into a backing image and keeps it until the next Clear.
// The image has the given device pixel ratio, so on a high-dpi screen lines
// and text are drawn at full device resolution while coordinates stay in
// surface pixels.
class ImageCanvas final : public Canvas {
public:
    ImageCanvas(int width, int height, QRgb backColour, qreal devicePixelRatio = 1.0);
    ~ImageCanvas() override;
    ImageCanvas(const ImageCanvas &) = delete;
    ImageCanvas &operator=(const ImageCanvas &) = delete;

    // The picture as drawn so far. Ends the drawing pass, so the image is
    // complete when it is copied to the screen.
    const QImage &Image();
    // Called when the picture changes after it was last taken with Image(),
    // and on Refresh, so the owner can show the picture.
    void SetChangeHandler(std::function<void()> handler) { changeHandler_ = std::move(handler); }

    void Clear() override;
    float Width() const override { return static_cast<float>(width_); }
    float Height() const override { return static_cast<float>(height_); }
    void SetDrawWidth(std::int16_t width) override;
    void SetForeColor(QRgb colour) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void SetFontSize(float points) override;
    void SetFontBold(bool bold) override;
    void SetCurrentX(float x) override { currentX_ = x; }
    void SetCurrentY(float y) override { currentY_ = y; }
    void Print(const std::string &utf8) override;
    Extent TextSize(const std::string &utf8) override;
    void FillBox(float left, float top, float width, float height, QRgb colour) override;
    void FillDot(float x, float y, float radius, QRgb colour) override;
    void Refresh() override;

private:
    QPainter &Painter();
    void EndPainting();
    // Draws a clipped segment the quick way when that gives the same pixels;
    // false when the segment needs QPainter's own line drawing.
    bool FillAxisLine(const Segment &segment);
    // Where QPainter may draw text printed at a baseline point, in device
    // pixels within the image.
    QRect TextArea(const QString &text, QPointF baseline) const;
    void UpdateFont();
    void Changed();

    int width_;
    int height_;
    QRgb backColour_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    std::function<void()> changeHandler_;
    bool shown_ = true;
    AxisStrokes axisStrokes_;
    PrintedTexts printedTexts_;

    std::int16_t drawWidth_ = 1;
    QRgb foreColour_ = qRgb(0, 0, 0);
    float fontPoints_ = 12.0f;
    bool fontBold_ = false;
    QFont font_;
    std::optional<qreal> fontAscent_;
    // Text sizes measured before, by text, pixel size and weight: the marks
    // measure the plane's numbers and their own texts on every redraw, and
    // each measuring lays the text out anew.
    std::map<std::tuple<std::string, int, bool>, Extent> textSizes_;
    float currentX_ = 0;
    float currentY_ = 0;
};
