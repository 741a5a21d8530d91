// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/slopetriangle.h"

#include "lines/exactline.h"
#include "surface/canvas.h"
#include "surface/surface.h"

#include <algorithm>
#include <initializer_list>

namespace {

using boost::multiprecision::denominator;
using boost::multiprecision::numerator;

// Dark green, palette colour 2: apart from the lines' blue and the red dots.
constexpr int TriangleColour = 2;
constexpr Rgb BackingColour = RgbOf(255, 255, 255);
// The size the crossings' coordinates print at.
constexpr float LabelPoints = 15.0f;
// Room between a text and the edge of its backing, and between the backing
// and its leg.
constexpr double Padding = 2.0;
constexpr double Gap = 4.0;

// How far the triangle goes across and up (down when negative), in units.
struct Legs {
    Rational across;
    Rational rise;
};

// The x the triangle starts at, as SlopeTriangleOf says. Only the whole x
// that lie on the surface are tried: at most a few dozen.
std::optional<Rational> StartOf(const ExactFunction &function, const Legs &legs,
                                const PlaneView &view)
{
    const Rational unit(view.GridUnit);
    const Rational surfaceLeft = Rational(-view.OriginX) / unit;
    const Rational surfaceRight = Rational(SurfaceWidth - view.OriginX) / unit;
    const Rational lastStart = function.high - legs.across;
    const Integer first = Ceil(NotAbove(function.low, surfaceLeft) ? surfaceLeft : function.low);
    const Integer last = Floor(NotAbove(lastStart, surfaceRight) ? lastStart : surfaceRight);
    std::optional<Rational> found;
    for (Integer x = first; x <= last; ++x) {
        const Rational start(x);
        const Rational y = function.At(start);
        if (!InsideSurface(start, y, view) ||
            !InsideSurface(start + legs.across, y + legs.rise, view))
            continue;
        if (denominator(y) == 1)
            return start;
        if (!found)
            found = start;
    }
    return found;
}

// Prints a leg's length on its backing with the top-left corner of the
// backing at `corner`, moved onto the surface where it would stick out.
void PrintLength(Canvas &canvas, const std::string &text, Point corner, Extent size)
{
    const double left = std::clamp(corner.x, 0.0, std::max(0.0, canvas.Width() - size.width));
    const double top = std::clamp(corner.y, 0.0, std::max(0.0, canvas.Height() - size.height));
    canvas.FillBox(static_cast<float>(left), static_cast<float>(top),
                   static_cast<float>(size.width), static_cast<float>(size.height), BackingColour);
    canvas.SetCurrentX(static_cast<float>(left + Padding));
    canvas.SetCurrentY(static_cast<float>(top + Padding));
    canvas.Print(text);
}

Extent Backing(Canvas &canvas, const std::string &text)
{
    const Extent size = canvas.TextSize(text);
    return {size.width + 2 * Padding, size.height + 2 * Padding};
}

void Segment(Canvas &canvas, Point from, Point to)
{
    canvas.Line(static_cast<float>(from.x), static_cast<float>(from.y), static_cast<float>(to.x),
                static_cast<float>(to.y));
}

} // namespace

std::optional<SlopeTriangle> SlopeTriangleOf(const LineSlot &typed, const PlaneView &view)
{
    const auto line = ExactLineOf(typed);
    if (!line || view.GridUnit <= 0)
        return std::nullopt;
    const auto function = ExactFunctionOf(*line);
    if (!function || function->slope.is_zero())
        return std::nullopt;
    const Legs whole{Rational(denominator(function->slope)), Rational(numerator(function->slope))};
    const Legs unit{Rational(1), function->slope};
    for (const Legs &legs : {whole, unit}) {
        const auto start = StartOf(*function, legs, view);
        if (!start)
            continue;
        const Rational y = function->At(*start);
        const Rational across = *start + legs.across;
        return SlopeTriangle{NearestPixel(*start, y, view), NearestPixel(across, y, view),
                             NearestPixel(across, y + legs.rise, view),
                             WrittenCoordinate(CoordinateOf(legs.across)),
                             WrittenCoordinate(CoordinateOf(abs(legs.rise)))};
    }
    return std::nullopt;
}

void DrawSlopeTriangleOn(Canvas &canvas, const SlopeTriangle &triangle)
{
    const Rgb colour = PaletteColour(TriangleColour);
    canvas.SetForeColor(colour);
    canvas.SetDrawWidth(3);
    Segment(canvas, triangle.start, triangle.corner);
    Segment(canvas, triangle.corner, triangle.end);
    canvas.SetDrawWidth(1);
    Segment(canvas, triangle.start, triangle.end);

    // Each length outside the triangle: the one across on the far side of its
    // leg from the end, the one up or down to the right of its leg.
    canvas.SetFontBold(true);
    canvas.SetFontSize(LabelPoints);
    const Extent acrossSize = Backing(canvas, triangle.across);
    const double middleX = (triangle.start.x + triangle.corner.x) / 2;
    const bool endAbove = triangle.end.y < triangle.corner.y;
    PrintLength(canvas, triangle.across,
                {middleX - acrossSize.width / 2,
                 endAbove ? triangle.corner.y + Gap : triangle.corner.y - Gap - acrossSize.height},
                acrossSize);
    const Extent riseSize = Backing(canvas, triangle.rise);
    PrintLength(
        canvas, triangle.rise,
        {triangle.corner.x + Gap, (triangle.corner.y + triangle.end.y) / 2 - riseSize.height / 2},
        riseSize);
    canvas.SetFontSize(SurfaceFontPoints);
    canvas.SetForeColor(PaletteColour(0));
}
