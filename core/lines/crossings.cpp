// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/crossings.h"

#include "lines/exactline.h"
#include "lines/linedrawing.h"
#include "surface/surface.h"

#include <optional>
#include <utility>

namespace {

// A slot that takes part in crossings, with its line as its boxes show it.
struct StoredLine {
    int slot;
    ExactLine line;
    WholeEquation whole;
    bool drawable; // the view can draw it: LineEnds gives finite ends
};

std::optional<StoredLine> StoredLineOf(int slot, const LineTable &table, const PlaneView &view)
{
    const LineSlot &stored = table.Slot(slot);
    if (!stored.IsDrawn())
        return std::nullopt;
    auto line = ExactLineOf(stored);
    if (!line)
        return std::nullopt;
    WholeEquation whole = WholeNumbers(*line);
    return StoredLine{slot, std::move(*line), std::move(whole), LineEnds(stored, view).has_value()};
}

std::vector<StoredLine> StoredLines(const LineTable &table, const PlaneView &view)
{
    std::vector<StoredLine> lines;
    for (int slot = 0; slot < LineTable::SlotCount; ++slot) {
        if (auto line = StoredLineOf(slot, table, view))
            lines.push_back(std::move(*line));
    }
    return lines;
}

Crossing Cross(const StoredLine &first, const StoredLine &second, const PlaneView &view)
{
    Crossing crossing;
    crossing.first = first.slot;
    crossing.second = second.slot;
    const Meeting meeting = Solve(first.whole, second.whole);
    crossing.kind = meeting.kind;
    if (meeting.kind != CrossingKind::Point)
        return crossing;
    crossing.x = CoordinateOf(meeting.x);
    crossing.y = CoordinateOf(meeting.y);
    crossing.marked =
        first.drawable && second.drawable && InsideRange(first.line, meeting.x, meeting.y) &&
        InsideRange(second.line, meeting.x, meeting.y) && InsideSurface(meeting.x, meeting.y, view);
    crossing.pixel = NearestPixel(meeting.x, meeting.y, view);
    return crossing;
}

} // namespace

std::vector<Crossing> Crossings(const LineTable &table, const PlaneView &view)
{
    const std::vector<StoredLine> lines = StoredLines(table, view);
    std::vector<Crossing> crossings;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = i + 1; j < lines.size(); ++j)
            crossings.push_back(Cross(lines[i], lines[j], view));
    }
    return crossings;
}

std::vector<Crossing> CrossingsWith(int slot, const LineTable &table, const PlaneView &view)
{
    const auto drawn = StoredLineOf(slot, table, view);
    if (!drawn)
        return {};
    std::vector<Crossing> crossings;
    for (const StoredLine &other : StoredLines(table, view)) {
        if (other.slot != slot)
            crossings.push_back(Cross(*drawn, other, view));
    }
    return crossings;
}

std::string PointText(const Crossing &crossing)
{
    std::string text = "(";
    text += WrittenCoordinate(crossing.x);
    text += ", ";
    text += WrittenCoordinate(crossing.y);
    return text + ")";
}
