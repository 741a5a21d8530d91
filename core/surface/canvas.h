// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/palette.h"
#include "surface/geometry.h"

#include <cstdint>
#include <string>

// The operations the plane and the lines are drawn with. The names are those
// of the old picture box, so that the drawing code reads like the steps it
// follows. Pen, colour and font settings persist between calls. Each face
// draws with its own means and measures text in its own fonts.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Wipes everything drawn; only the back colour shows.
    virtual void Clear() = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;

    virtual void SetDrawWidth(std::int16_t width) = 0;
    virtual void SetForeColor(Rgb colour) = 0;

    // A segment in the current colour and pen width. Ends may lie anywhere,
    // even at infinity or NaN; what is on the surface is drawn, the rest not.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;

    virtual void SetFontSize(float points) = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual void SetCurrentX(float x) = 0;
    virtual void SetCurrentY(float y) = 0;
    // Draws UTF-8 text with its top-left corner at the current position.
    virtual void Print(const std::string &text) = 0;
    // How far text in the current font reaches from its top-left corner.
    virtual Extent TextSize(const std::string &text) = 0;

    // Beyond the old picture box, for the marks a teacher may show: a filled
    // box and a filled dot in a colour of their own, without a pen. Positions
    // far off the surface draw nothing.
    virtual void FillBox(float left, float top, float width, float height, Rgb colour) = 0;
    virtual void FillDot(float x, float y, float radius, Rgb colour) = 0;

    // Shows at once everything drawn so far.
    virtual void Refresh() = 0;

protected:
    Canvas() = default;
    Canvas(const Canvas &) = default;
    Canvas &operator=(const Canvas &) = default;
};
