// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "surface/canvas.h"

#include <QFont>
#include <QPainter>

// A canvas for paper: CSS pixels on the page, pens in hundredths of a
// millimetre, on a painter whose device has `dotsPerInch` pixels to the inch
// (a printer, or a PDF file). Everything stays vector: lines, text in the
// gothic face and filled shapes.
class PaperCanvas final : public Canvas {
public:
    PaperCanvas(QPainter &painter, qreal dotsPerInch);

    // White paper: nothing to wipe.
    void Clear() override {}
    float Width() const override;
    float Height() const override;
    void SetDrawWidth(std::int16_t hundredthsOfMillimetre) override;
    void SetForeColor(Rgb colour) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void SetFontSize(float points) override;
    void SetFontBold(bool bold) override;
    void SetCurrentX(float x) override { currentX_ = x; }
    void SetCurrentY(float y) override { currentY_ = y; }
    void Print(const std::string &utf8) override;
    Extent TextSize(const std::string &utf8) override;
    void FillBox(float left, float top, float width, float height, Rgb colour) override;
    void FillDot(float x, float y, float radius, Rgb colour) override;
    void Refresh() override {}

private:
    QPointF OnDevice(double x, double y) const { return {x * perPixel_, y * perPixel_}; }
    void UpdatePen();

    QPainter &painter_;
    // Device pixels per CSS pixel.
    qreal perPixel_;
    qreal dotsPerInch_;
    std::int16_t penWidth_ = 15;
    Rgb colour_ = 0xff000000u;
    float points_ = 12.0f;
    bool bold_ = false;
    QFont font_;
    float currentX_ = 0;
    float currentY_ = 0;
};
