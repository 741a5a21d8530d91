// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/uifacts.h"
#include "surface/canvas.h"

#include <QRectF>
#include <QString>
#include <QVector>

// A canvas that draws nothing and remembers every operation, so a test can
// check exactly what the plane and line drawing issue.
class RecordingCanvas final : public Canvas {
public:
    enum class Op {
        Clear,
        DrawWidth,
        ForeColor,
        Line,
        FontSize,
        FontBold,
        CurrentX,
        CurrentY,
        Print,
        Refresh
    };

    struct Call {
        explicit Call(Op kind, float first = 0, float second = 0, float third = 0, float fourth = 0)
            : op(kind)
            , a(first)
            , b(second)
            , c(third)
            , d(fourth)
        {}
        Op op;
        float a = 0;
        float b = 0;
        float c = 0;
        float d = 0;
        QString text;
        QRgb colour = 0;
    };

    // What the state would be on a real surface.
    struct LineCall {
        float x1, y1, x2, y2;
        int width;
        QRgb colour;
    };
    struct PrintCall {
        float x, y;
        QString text;
        bool bold;
    };

    QVector<Call> calls;
    QVector<LineCall> lines;
    QVector<PrintCall> prints;
    struct BoxCall {
        QRectF box;
        QRgb colour;
    };
    struct DotCall {
        float x, y, radius;
        QRgb colour;
    };
    QVector<BoxCall> boxes;
    QVector<DotCall> dots;

    void Clear() override { calls.push_back(Call(Op::Clear)); }
    float Width() const override { return SurfaceSize; }
    float Height() const override { return SurfaceSize; }
    std::int16_t DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(std::int16_t width) override
    {
        drawWidth_ = width;
        calls.push_back(Call(Op::DrawWidth, float(width)));
    }
    QRgb ForeColor() const { return foreColour_; }
    void SetForeColor(QRgb colour) override
    {
        foreColour_ = colour;
        Call call(Op::ForeColor);
        call.colour = colour;
        calls.push_back(call);
    }
    void Line(float x1, float y1, float x2, float y2) override
    {
        calls.push_back(Call(Op::Line, x1, y1, x2, y2));
        lines.push_back({x1, y1, x2, y2, drawWidth_, foreColour_});
    }
    void SetFontSize(float points) override { calls.push_back(Call(Op::FontSize, points)); }
    void SetFontBold(bool bold) override
    {
        bold_ = bold;
        calls.push_back(Call(Op::FontBold, bold ? 1.0f : 0.0f));
    }
    void SetCurrentX(float x) override
    {
        x_ = x;
        calls.push_back(Call(Op::CurrentX, x));
    }
    void SetCurrentY(float y) override
    {
        y_ = y;
        calls.push_back(Call(Op::CurrentY, y));
    }
    void Print(const std::string &utf8) override
    {
        const QString text = QString::fromStdString(utf8);
        Call call(Op::Print);
        call.text = text;
        calls.push_back(call);
        prints.push_back({x_, y_, text, bold_});
    }
    // Every character as wide as a full-width one at the plane's 27 pixels.
    Extent TextSize(const std::string &text) override
    {
        return {27.0 * static_cast<double>(QString::fromStdString(text).size()), 27.0};
    }
    void FillBox(float left, float top, float width, float height, QRgb colour) override
    {
        boxes.push_back({QRectF(left, top, width, height), colour});
    }
    void FillDot(float x, float y, float radius, QRgb colour) override
    {
        dots.push_back({x, y, radius, colour});
    }
    void Refresh() override { calls.push_back(Call(Op::Refresh)); }

private:
    std::int16_t drawWidth_ = 1;
    QRgb foreColour_ = 0xff000000;
    bool bold_ = false;
    float x_ = 0;
    float y_ = 0;
};
