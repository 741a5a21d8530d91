// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "surface/canvas.h"

// Passes the drawing on to another canvas while switched on and drops it
// while off, so that a long test can follow the picture only where it looks.
// Text is measured by the other canvas either way.
class SwitchedCanvas final : public Canvas {
public:
    explicit SwitchedCanvas(Canvas &target)
        : target_(target)
    {}

    bool on = false;

    void Clear() override
    {
        if (on)
            target_.Clear();
    }
    float Width() const override { return target_.Width(); }
    float Height() const override { return target_.Height(); }
    void SetDrawWidth(std::int16_t width) override { target_.SetDrawWidth(width); }
    void SetForeColor(Rgb colour) override { target_.SetForeColor(colour); }
    void Line(float x1, float y1, float x2, float y2) override
    {
        if (on)
            target_.Line(x1, y1, x2, y2);
    }
    void SetFontSize(float points) override { target_.SetFontSize(points); }
    void SetFontBold(bool bold) override { target_.SetFontBold(bold); }
    void SetCurrentX(float x) override { target_.SetCurrentX(x); }
    void SetCurrentY(float y) override { target_.SetCurrentY(y); }
    void Print(const std::string &text) override
    {
        if (on)
            target_.Print(text);
    }
    Extent TextSize(const std::string &text) override { return target_.TextSize(text); }
    void FillBox(float left, float top, float width, float height, Rgb colour) override
    {
        if (on)
            target_.FillBox(left, top, width, height, colour);
    }
    void FillDot(float x, float y, float radius, Rgb colour) override
    {
        if (on)
            target_.FillDot(x, y, radius, colour);
    }
    void Refresh() override
    {
        if (on)
            target_.Refresh();
    }

private:
    Canvas &target_;
};
