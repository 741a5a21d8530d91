// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/worksheet.h"

#include "lines/picture.h"
#include "lines/sheet.h"
#include "surface/canvas.h"
#include "surface/segmentclip.h"
#include "surface/surface.h"
#include "window/layout.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

namespace {

constexpr double Millimetre = paper::PixelsPerMillimetre;

// Pens, in hundredths of a millimetre: a grid thin enough to write over, and
// every screen pen wider than one pixel (the axes and the lines) four times
// as wide, so that the lines stand out on a greyscale printer too.
constexpr std::int16_t GridPen = 15;
constexpr std::int16_t PenPerScreenPixel = 20;
constexpr std::int16_t BarPen = 50;

// Room above the plane for the name of the y axis, and right of it for the
// name of the x axis.
constexpr double AxisNameRoom = 8.0 * Millimetre;
constexpr double MostPlaneSide = paper::PrintableWidth - AxisNameRoom;

constexpr float AxisNamePoints = 14.0f;
constexpr float TextPoints = 11.0f;
constexpr float SmallestTextPoints = 7.0f;
constexpr float BarPoints = 9.0f;

// Text and marks on paper grow with the plane up to about their size at the
// scale that fits, and no further: a teacher who prints the middle of the
// large plane at 10 mm gets a wide grid, not numbers an inch high.
constexpr double LargestTextScale = 1.1;

// Lines of the plane, drawn on paper: every position scaled and moved onto
// the page, clipped to the part of the surface the page shows. The surface's
// back colour is not printed, and text that would be cut at the plane's edge
// is left out whole, with the box behind it.
class PlaneOnPaper final : public Canvas {
public:
    PlaneOnPaper(Canvas &page, double scale, Box shown, Point shownOnPage)
        : page_(page)
        , scale_(scale)
        , textScale_(std::min(scale, LargestTextScale))
        , shown_(shown)
        , shownOnPage_(shownOnPage)
    {}

    void Clear() override {}
    float Width() const override { return static_cast<float>(SurfaceWidth); }
    float Height() const override { return static_cast<float>(SurfaceHeight); }
    void SetDrawWidth(std::int16_t width) override
    {
        page_.SetDrawWidth(width <= 1 ? GridPen
                                      : static_cast<std::int16_t>(width * PenPerScreenPixel));
    }
    void SetForeColor(Rgb colour) override { page_.SetForeColor(colour); }
    void Line(float x1, float y1, float x2, float y2) override
    {
        const auto clipped =
            ClipSegment({x1, y1, x2, y2}, shown_.left, shown_.top, shown_.Right(), shown_.Bottom());
        if (!clipped)
            return;
        const Point from = OnPage(clipped->x1, clipped->y1);
        const Point to = OnPage(clipped->x2, clipped->y2);
        page_.Line(static_cast<float>(from.x), static_cast<float>(from.y), static_cast<float>(to.x),
                   static_cast<float>(to.y));
    }
    void SetFontSize(float points) override
    {
        page_.SetFontSize(static_cast<float>(points * textScale_));
    }
    void SetFontBold(bool bold) override { page_.SetFontBold(bold); }
    void SetCurrentX(float x) override { x_ = x; }
    void SetCurrentY(float y) override { y_ = y; }
    void Print(const std::string &text) override
    {
        const Extent size = TextSize(text);
        if (!shown_.Contains(Box({x_, y_}, size)))
            return;
        const Point at = OnPage(x_, y_);
        page_.SetCurrentX(static_cast<float>(at.x));
        page_.SetCurrentY(static_cast<float>(at.y));
        page_.Print(text);
    }
    Extent TextSize(const std::string &text) override
    {
        const Extent size = page_.TextSize(text);
        return {size.width / scale_, size.height / scale_};
    }
    void FillBox(float left, float top, float width, float height, Rgb colour) override
    {
        // The box behind a mark's text, measured in the text's own size.
        if (!shown_.Contains({left, top, width, height}))
            return;
        const Point at = OnPage(left, top);
        page_.FillBox(static_cast<float>(at.x), static_cast<float>(at.y),
                      static_cast<float>(width * scale_), static_cast<float>(height * scale_),
                      colour);
    }
    void FillDot(float x, float y, float radius, Rgb colour) override
    {
        if (!shown_.Contains({x - radius, y - radius, 2.0 * radius, 2.0 * radius}))
            return;
        const Point at = OnPage(x, y);
        page_.FillDot(static_cast<float>(at.x), static_cast<float>(at.y),
                      static_cast<float>(radius * textScale_), colour);
    }
    void Refresh() override {}

private:
    Point OnPage(double x, double y) const
    {
        return {shownOnPage_.x + (x - shown_.left) * scale_,
                shownOnPage_.y + (y - shown_.top) * scale_};
    }

    Canvas &page_;
    double scale_;
    double textScale_;
    Box shown_;
    Point shownOnPage_;
    float x_ = 0;
    float y_ = 0;
};

double PlaneSide(int gridUnit, int millimetresPerUnit)
{
    return static_cast<double>(SurfaceWidth) / gridUnit * millimetresPerUnit * Millimetre;
}

void PrintAt(Canvas &page, double x, double y, const std::string &text)
{
    page.SetCurrentX(static_cast<float>(x));
    page.SetCurrentY(static_cast<float>(y));
    page.Print(text);
}

void LineOn(Canvas &page, double x1, double y1, double x2, double y2)
{
    page.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
              static_cast<float>(y2));
}

// The words under the plane, top to bottom: each a text in one of two
// columns, or a row of the function's table.
struct TextRow {
    std::vector<std::string> columns;
    bool tableRow = false;
};

std::vector<TextRow> EquationRows(const LineTable &lines, const PlaneView &view, Canvas &page)
{
    std::vector<std::string> equations;
    for (int slot = 0; slot < LineTable::SlotCount; ++slot) {
        if (lines.Slot(slot).IsDrawn())
            equations.push_back(LineName(slot) + ": " + DescribeLine(lines.Slot(slot), view));
    }
    // Two columns when there are many lines and each fits half the width.
    const std::size_t half = (equations.size() + 1) / 2;
    const bool twoColumns =
        equations.size() > 4 && std::all_of(equations.begin(), equations.end(), [&](auto &text) {
            return page.TextSize(text).width < paper::PrintableWidth / 2 - 4 * Millimetre;
        });
    std::vector<TextRow> rows;
    if (!twoColumns) {
        for (auto &text : equations)
            rows.push_back({{text}});
        return rows;
    }
    for (std::size_t i = 0; i < half; ++i) {
        TextRow row{{equations[i]}};
        if (i + half < equations.size())
            row.columns.push_back(equations[i + half]);
        rows.push_back(row);
    }
    return rows;
}

// The function's lines, then its table, split into parts as wide as the page
// allows. The pupils' copy keeps the table's x and leaves y to be filled in.
std::vector<TextRow> FunctionRows(const FunctionWords &words, bool withAnswers, Canvas &page,
                                  double &cellWidth)
{
    std::vector<TextRow> rows;
    if (withAnswers) {
        for (const PanelLine &line : words.lines)
            rows.push_back(
                {{line.label.empty() ? line.written : line.label + "　" + line.written}});
    }
    if (words.tableX.empty())
        return rows;
    cellWidth = 0;
    for (const auto *row : {&words.tableX, &words.tableY}) {
        for (const PanelNumber &number : *row)
            cellWidth = std::max(cellWidth, page.TextSize(number.written).width);
    }
    cellWidth += 3 * Millimetre;
    const auto perPart = static_cast<std::size_t>(
        std::max(1.0, std::floor(paper::PrintableWidth / cellWidth) - 1.0));
    for (std::size_t first = 0; first < words.tableX.size(); first += perPart) {
        TextRow x{{"x"}, true};
        TextRow y{{"y"}, true};
        for (std::size_t i = first; i < std::min(first + perPart, words.tableX.size()); ++i) {
            x.columns.push_back(words.tableX[i].written);
            y.columns.push_back(withAnswers && i < words.tableY.size() ? words.tableY[i].written
                                                                       : "");
        }
        rows.push_back(x);
        rows.push_back(y);
    }
    return rows;
}

// The 10 cm bar at `top`, with a tick below it at every centimetre, and the
// scale right of it.
void DrawBar(Canvas &page, double top, int millimetresPerUnit)
{
    const double left = paper::Margin;
    const double length = 100.0 * Millimetre;
    page.SetDrawWidth(BarPen);
    LineOn(page, left, top, left + length, top);
    page.SetDrawWidth(GridPen);
    const double below = top + 0.25 * Millimetre;
    for (int cm = 0; cm <= 10; ++cm) {
        const double x = left + cm * 10.0 * Millimetre;
        LineOn(page, x, below, x, below + (cm % 5 == 0 ? 2.5 : 1.5) * Millimetre);
    }
    page.SetFontSize(BarPoints);
    const double labelTop = below + 3.0 * Millimetre;
    PrintAt(page, left - page.TextSize("0").width / 2, labelTop, "0");
    const std::string ten = "10 cm";
    PrintAt(page, left + length - page.TextSize(ten).width / 2, labelTop, ten);
    page.SetFontSize(TextPoints);
    const std::string scale = PaperScaleWords(millimetresPerUnit);
    PrintAt(page, left + length + 10.0 * Millimetre, top - page.TextSize(scale).height / 2, scale);
    page.SetFontSize(BarPoints);
    PrintAt(page, left, labelTop + page.TextSize(ten).height + 1.0 * Millimetre, BarWords);
}

} // namespace

bool PlaneFitsPaper(int gridUnit, int millimetresPerUnit)
{
    return gridUnit > 0 && PlaneSide(gridUnit, millimetresPerUnit) <= MostPlaneSide;
}

int FittingScale(int gridUnit)
{
    for (const int scale : PaperScales) {
        if (PlaneFitsPaper(gridUnit, scale))
            return scale;
    }
    return PaperScales.back();
}

void DrawWorksheetOn(Canvas &page, const WorksheetContent &content, WorksheetChoice choice)
{
    const PlaneView view = content.sheet.View();
    const int scale = std::find(PaperScales.begin(), PaperScales.end(),
                                choice.millimetresPerUnit) != PaperScales.end()
                          ? choice.millimetresPerUnit
                          : FittingScale(view.GridUnit);
    page.SetForeColor(PaletteColour(0));
    page.SetFontBold(false);

    // The plane, as much of it as the page holds, around its origin.
    const double perPixel = scale * Millimetre / view.GridUnit;
    const double side = std::min(PlaneSide(view.GridUnit, scale), MostPlaneSide);
    const double half = side / perPixel / 2;
    const Box shown = Box(view.OriginX - half, view.OriginY - half, 2 * half, 2 * half)
                          .Intersected({0, 0, SurfaceWidth, SurfaceHeight});
    const Point corner{paper::Margin + (MostPlaneSide - shown.width * perPixel) / 2,
                       paper::Margin + AxisNameRoom};
    PlaneOnPaper plane(page, perPixel, shown, corner);
    DrawShownPictureOn(plane, content.sheet, content.crossings, content.typed, choice.withLines);
    page.SetForeColor(PaletteColour(0));
    page.SetDrawWidth(GridPen);

    // The axes' names, beside their ends as on the window.
    page.SetFontBold(false);
    page.SetFontSize(AxisNamePoints);
    const double axisX = corner.x + (view.OriginX - shown.left) * perPixel;
    const double axisY = corner.y + (view.OriginY - shown.top) * perPixel;
    const char *yName = layout_table::Controls[ControlOf(Role::AxisName, 0)].text;
    const char *xName = layout_table::Controls[ControlOf(Role::AxisName, 1)].text;
    const Extent y = page.TextSize(yName);
    PrintAt(page, axisX - y.width / 2, corner.y - y.height, yName);
    const Extent x = page.TextSize(xName);
    PrintAt(page, corner.x + shown.width * perPixel + 1.5 * Millimetre, axisY - x.height / 2,
            xName);
    const double planeBottom = corner.y + shown.height * perPixel;

    // The bar and its words at the foot of the page.
    page.SetFontSize(BarPoints);
    const double barWordsHeight = page.TextSize(BarWords).height;
    const double barTop = paper::Height - paper::Margin - 2 * barWordsHeight - 5.0 * Millimetre;
    DrawBar(page, barTop, scale);

    // The words between, smaller where there are many.
    page.SetFontSize(TextPoints);
    double cellWidth = 0;
    std::vector<TextRow> rows = EquationRows(content.sheet.Lines(), view, page);
    if (content.function != nullptr) {
        std::vector<TextRow> function =
            FunctionRows(*content.function, choice.withLines, page, cellWidth);
        if (!rows.empty() && !function.empty())
            rows.push_back({});
        rows.insert(rows.end(), function.begin(), function.end());
    }
    const double top = planeBottom + 6.0 * Millimetre;
    const double room = barTop - 6.0 * Millimetre - top;
    double pitch = page.TextSize("式").height * 1.25;
    if (pitch * static_cast<double>(rows.size()) > room) {
        const double shrink = room / (pitch * static_cast<double>(rows.size()));
        const float points = std::max(SmallestTextPoints, static_cast<float>(TextPoints * shrink));
        cellWidth *= points / TextPoints;
        page.SetFontSize(points);
        pitch = page.TextSize("式").height * 1.25;
    }
    double rowTop = top;
    for (const TextRow &row : rows) {
        if (rowTop + pitch > barTop - 4.0 * Millimetre)
            break;
        if (row.tableRow) {
            // A row of cells with thin borders, its heading first.
            for (std::size_t i = 0; i < row.columns.size(); ++i) {
                const double left = paper::Margin + static_cast<double>(i) * cellWidth;
                const Extent size = page.TextSize(row.columns[i]);
                PrintAt(page, left + (cellWidth - size.width) / 2,
                        rowTop + (pitch - size.height) / 2, row.columns[i]);
                LineOn(page, left, rowTop, left, rowTop + pitch);
            }
            const double right =
                paper::Margin + static_cast<double>(row.columns.size()) * cellWidth;
            LineOn(page, right, rowTop, right, rowTop + pitch);
            LineOn(page, paper::Margin, rowTop, right, rowTop);
            LineOn(page, paper::Margin, rowTop + pitch, right, rowTop + pitch);
        } else {
            for (std::size_t i = 0; i < row.columns.size(); ++i)
                PrintAt(page, paper::Margin + static_cast<double>(i) * paper::PrintableWidth / 2,
                        rowTop, row.columns[i]);
        }
        rowTop += pitch;
    }
    page.Refresh();
}
