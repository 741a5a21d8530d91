// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/marks.h"

#include "lines/linedrawing.h"
#include "plane/planedrawing.h"
#include "runtime/palette.h"
#include "surface/canvas.h"
#include "surface/segmentclip.h"
#include "surface/surface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// The numbers print in the plane's own font; the coordinates a size smaller,
// so that several of them fit, still readable from the back of a classroom.
constexpr float CoordinatePoints = 15.0f;
// The dot is light red, palette colour 12.
constexpr int DotColour = 12;
constexpr Rgb BackingColour = RgbOf(255, 255, 255);
constexpr float DotRadius = 4.0f;
// Room between a text and the edge of its backing.
constexpr double Padding = 2.0;

// Where a mark may not go, and how much it matters. A place that covers one
// of them costs its weight for each pixel it covers.
struct Obstacle {
    Box box;
    double weight;
};

struct Scene {
    Box surface;
    std::vector<Obstacle> obstacles;
    // The stretches of the drawn lines that lie on the surface, by slot.
    std::vector<std::pair<int, Segment>> segments;
};

// What a line costs for each mark it runs under, and for each pixel of it
// that the mark would hide: more than any overlap of two labels, so a mark
// never hides a line where some other place is free, yet a place exists even
// on a crowded plane, where the least of the line is hidden.
constexpr double LineCrossed = 500.0;
constexpr double LineHiddenPerPixel = 100.0;
constexpr double AxisWeight = 600.0;
// What a mark costs for each pixel it would cover of a number of the plane,
// of a dot or of a mark placed before it: labels on labels are what a reader
// can least untangle, so hiding a little of a line is the lesser evil.
constexpr double LabelWeight = 40.0;

double HiddenLength(const Segment &segment, const Box &box)
{
    // Most places lie far from most lines: a segment whose bounding box
    // misses the closed box has no part in it, which is what clipping would
    // find at many times the cost.
    if (std::max(segment.x1, segment.x2) < box.left ||
        std::min(segment.x1, segment.x2) > box.Right() ||
        std::max(segment.y1, segment.y2) < box.top ||
        std::min(segment.y1, segment.y2) > box.Bottom())
        return -1;
    const auto inside = ClipSegment(segment, box.left, box.top, box.Right(), box.Bottom());
    if (!inside)
        return -1;
    return std::hypot(inside->x2 - inside->x1, inside->y2 - inside->y1);
}

// What a place costs, or, once the sum reaches `limit`, some figure at least
// `limit`: every term is positive, so such a place cannot be the cheapest.
double Cost(const Scene &scene, const Box &box, double limit)
{
    if (!scene.surface.Contains(box))
        return std::numeric_limits<double>::infinity();
    // Nothing beats a place that costs nothing.
    double cost = 0;
    if (cost >= limit)
        return cost;
    for (const Obstacle &obstacle : scene.obstacles) {
        const Box shared = obstacle.box.Intersected(box);
        if (!shared.IsEmpty()) {
            cost += obstacle.weight * shared.width * shared.height;
            if (cost >= limit)
                return cost;
        }
    }
    // The pen is 3 pixels wide.
    const Box covered = box.Adjusted(-2, -2, 2, 2);
    for (const auto &[slot, segment] : scene.segments) {
        if (const double hidden = HiddenLength(segment, covered); hidden >= 0) {
            cost += LineCrossed + LineHiddenPerPixel * hidden;
            if (cost >= limit)
                return cost;
        }
    }
    return cost;
}

// The part of the scene that can touch any of the places: an obstacle or a
// line wholly beyond the places' outermost edges adds nothing to any cost,
// and each place would otherwise look at every one of them.
Scene Near(const Scene &scene, const std::vector<Box> &places)
{
    double left = std::numeric_limits<double>::infinity();
    double top = left;
    double right = -left;
    double bottom = -left;
    for (const Box &place : places) {
        left = std::min(left, place.left);
        top = std::min(top, place.top);
        right = std::max(right, place.Right());
        bottom = std::max(bottom, place.Bottom());
    }
    Scene near;
    near.surface = scene.surface;
    for (const Obstacle &obstacle : scene.obstacles) {
        if (!(obstacle.box.left >= right || left >= obstacle.box.Right() ||
              obstacle.box.top >= bottom || top >= obstacle.box.Bottom()))
            near.obstacles.push_back(obstacle);
    }
    // A line is looked at within 2 pixels of a place.
    for (const auto &entry : scene.segments) {
        const Segment &segment = entry.second;
        if (!(std::max(segment.x1, segment.x2) < left - 2 ||
              std::min(segment.x1, segment.x2) > right + 2 ||
              std::max(segment.y1, segment.y2) < top - 2 ||
              std::min(segment.y1, segment.y2) > bottom + 2))
            near.segments.push_back(entry);
    }
    return near;
}

// The first of the cheapest places, or nothing when none lies on the surface.
std::optional<Box> Cheapest(const Scene &scene, const std::vector<Box> &places)
{
    const Scene near = Near(scene, places);
    std::optional<Box> best;
    double bestCost = std::numeric_limits<double>::infinity();
    for (const Box &place : places) {
        const double cost = Cost(near, place, bestCost);
        if (cost < bestCost) {
            bestCost = cost;
            best = place;
        }
    }
    return best;
}

Scene SceneOf(Canvas &canvas, const LineTable &table, const PlaneView &view)
{
    Scene scene;
    const double width = canvas.Width();
    const double height = canvas.Height();
    scene.surface = Box(0, 0, width, height);
    // The axes, then the plane's numbers in the font they are printed in.
    scene.obstacles.push_back({Box(0, view.OriginY - 2, width, 5), AxisWeight / width});
    scene.obstacles.push_back({Box(view.OriginX - 2, 0, 5, height), AxisWeight / height});
    canvas.SetFontSize(SurfaceFontPoints);
    canvas.SetFontBold(true);
    for (const PlaneText &text : PlaneTexts(view)) {
        const Extent size = canvas.TextSize(text.text);
        scene.obstacles.push_back(
            {Box(Point{static_cast<double>(text.x), static_cast<double>(text.y)}, size),
             LabelWeight});
    }
    for (int slot = 0; slot < LineTable::SlotCount; ++slot) {
        const LineSlot &line = table.Slot(slot);
        if (!line.IsDrawn())
            continue;
        const auto ends = LineEnds(line, view);
        if (!ends)
            continue;
        if (const auto shown =
                ClipSegment({ends->x1, ends->y1, ends->x2, ends->y2}, 0, 0, width, height))
            scene.segments.emplace_back(slot, *shown);
    }
    return scene;
}

// Round the dot, first above and to the right, then the other corners and
// sides, a little further out each round.
std::vector<Box> PlacesBesideDot(Point dot, Extent text)
{
    std::vector<Box> places;
    const double w = text.width + 2 * Padding;
    const double h = text.height + 2 * Padding;
    for (const double gap : {6.0, 14.0, 24.0, 36.0}) {
        const double right = dot.x + gap;
        const double left = dot.x - gap - w;
        const double above = dot.y - gap - h;
        const double below = dot.y + gap;
        const std::array<Point, 8> corners = {
            Point{right, above},         Point{right, below},         Point{left, above},
            Point{left, below},          Point{right, dot.y - h / 2}, Point{left, dot.y - h / 2},
            Point{dot.x - w / 2, above}, Point{dot.x - w / 2, below},
        };
        for (const Point &corner : corners)
            places.emplace_back(corner, Extent{w, h});
    }
    return places;
}

// Along the line's visible stretch, on either side of it, nearer the ends
// first, where two lines are least likely to meet.
std::vector<Box> PlacesBesideLine(const Segment &segment, Extent text)
{
    const double w = text.width + 2 * Padding;
    const double h = text.height + 2 * Padding;
    const double dx = segment.x2 - segment.x1;
    const double dy = segment.y2 - segment.y1;
    const double length = std::hypot(dx, dy);
    // A line of one point has no direction; its number goes above it.
    const double nx = length > 0 ? -dy / length : 0.0;
    const double ny = length > 0 ? dx / length : -1.0;
    // Far enough that the backing clears the 3-pixel pen whatever the slope.
    const double reach = (std::abs(nx) * w + std::abs(ny) * h) / 2 + 4;
    std::vector<Box> places;
    for (const double t : {0.12, 0.88, 0.3, 0.7, 0.5, 0.04, 0.96, 0.2, 0.8, 0.4, 0.6}) {
        const double x = segment.x1 + t * dx;
        const double y = segment.y1 + t * dy;
        for (const double side : {1.0, -1.0}) {
            const Point centre{x + side * reach * nx, y + side * reach * ny};
            places.emplace_back(Point{centre.x - w / 2, centre.y - h / 2}, Extent{w, h});
        }
    }
    return places;
}

void PrintMark(Canvas &canvas, const PlacedMark &mark, Rgb colour)
{
    canvas.FillBox(static_cast<float>(mark.box.left), static_cast<float>(mark.box.top),
                   static_cast<float>(mark.box.width), static_cast<float>(mark.box.height),
                   BackingColour);
    canvas.SetForeColor(colour);
    canvas.SetCurrentX(static_cast<float>(mark.box.left + Padding));
    canvas.SetCurrentY(static_cast<float>(mark.box.top + Padding));
    canvas.Print(mark.text);
}

} // namespace

std::string CircledNumber(int slot)
{
    // U+2460 on: three bytes of UTF-8.
    const int code = 0x2460 + std::clamp(slot, 0, 19);
    return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

MarkPlaces PlaceMarks(Canvas &canvas, const LineTable &table, const PlaneView &view,
                      const std::vector<Crossing> &crossings)
{
    Scene scene = SceneOf(canvas, table, view);
    MarkPlaces places;
    // The dots first: their places are fixed by the lines.
    for (const Crossing &crossing : crossings) {
        if (crossing.marked) {
            const Point dot = crossing.pixel;
            scene.obstacles.push_back({Box(dot.x - DotRadius - 1, dot.y - DotRadius - 1,
                                           2 * DotRadius + 3, 2 * DotRadius + 3),
                                       LabelWeight});
        }
    }
    // Then the coordinates, which must stay near their dot, then the numbers,
    // which may go anywhere along their line.
    canvas.SetFontSize(CoordinatePoints);
    for (const Crossing &crossing : crossings) {
        if (!crossing.marked)
            continue;
        const std::string text = PointText(crossing);
        if (const auto box =
                Cheapest(scene, PlacesBesideDot(crossing.pixel, canvas.TextSize(text)))) {
            places.coordinates.push_back({text, *box});
            scene.obstacles.push_back({*box, LabelWeight});
        }
    }
    canvas.SetFontSize(SurfaceFontPoints);
    for (const auto &[slot, segment] : scene.segments) {
        const std::string text = CircledNumber(slot);
        // A number may sit on its own line's stretch no more than on another's.
        if (const auto box = Cheapest(scene, PlacesBesideLine(segment, canvas.TextSize(text)))) {
            places.lineNumbers.push_back({text, *box});
            scene.obstacles.push_back({*box, LabelWeight});
        }
    }
    return places;
}

void DrawMarksOn(Canvas &canvas, const LineTable &table, const PlaneView &view,
                 const std::vector<Crossing> &crossings)
{
    const MarkPlaces places = PlaceMarks(canvas, table, view, crossings);
    canvas.SetFontBold(true);
    canvas.SetFontSize(SurfaceFontPoints);
    for (const PlacedMark &mark : places.lineNumbers)
        PrintMark(canvas, mark, PaletteColour(LineColor));
    for (const Crossing &crossing : crossings) {
        if (crossing.marked)
            canvas.FillDot(static_cast<float>(crossing.pixel.x),
                           static_cast<float>(crossing.pixel.y), DotRadius,
                           PaletteColour(DotColour));
    }
    canvas.SetFontSize(CoordinatePoints);
    for (const PlacedMark &mark : places.coordinates)
        PrintMark(canvas, mark, PaletteColour(0));
    canvas.SetFontSize(SurfaceFontPoints);
    canvas.SetForeColor(PaletteColour(0));
}
