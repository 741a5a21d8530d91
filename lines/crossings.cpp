// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/crossings.h"

#include "lines/exactline.h"
#include "lines/linedrawing.h"
#include "lines/picturedescription.h"

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

Crossing Cross(const StoredLine &first, const StoredLine &second, const PlaneView &view,
               QSize surface)
{
    Crossing crossing;
    crossing.first = first.slot;
    crossing.second = second.slot;
    const Meeting meeting = Solve(first.whole, second.whole);
    crossing.kind = meeting.kind;
    if (meeting.kind != CrossingKind::Point)
        return crossing;
    CoordinateWords x = WordsFor(meeting.x);
    CoordinateWords y = WordsFor(meeting.y);
    crossing.x = std::move(x.written);
    crossing.y = std::move(y.written);
    crossing.spokenX = std::move(x.spoken);
    crossing.spokenY = std::move(y.spoken);
    crossing.marked = first.drawable && second.drawable &&
                      InsideRange(first.line, meeting.x, meeting.y) &&
                      InsideRange(second.line, meeting.x, meeting.y) &&
                      InsideSurface(meeting.x, meeting.y, view, surface);
    crossing.pixel = NearestPixel(meeting.x, meeting.y, view);
    return crossing;
}

const QString outsideDrawn = QStringLiteral("（描いた範囲の外）");

QString PointIn(const Crossing &crossing, Wording wording)
{
    return wording == Wording::Written ? PointText(crossing) : SpokenPoint(crossing);
}

} // namespace

std::vector<Crossing> Crossings(const LineTable &table, const PlaneView &view, QSize surface)
{
    const std::vector<StoredLine> lines = StoredLines(table, view);
    std::vector<Crossing> crossings;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = i + 1; j < lines.size(); ++j)
            crossings.push_back(Cross(lines[i], lines[j], view, surface));
    }
    return crossings;
}

QString PointText(const Crossing &crossing)
{
    return QStringLiteral("(%1, %2)").arg(crossing.x, crossing.y);
}

QString SpokenPoint(const Crossing &crossing)
{
    return QStringLiteral("(%1, %2)").arg(crossing.spokenX, crossing.spokenY);
}

QString DescribeCrossing(const Crossing &crossing, Wording wording)
{
    const QString pair =
        LineName(crossing.first) + QStringLiteral("と") + LineName(crossing.second);
    switch (crossing.kind) {
    case CrossingKind::Parallel:
        return pair + QStringLiteral("は平行で交わりません");
    case CrossingKind::SameLine:
        return pair + QStringLiteral("は同じ直線です");
    case CrossingKind::Point:
        break;
    }
    return pair + QStringLiteral("の交点 ") + PointIn(crossing, wording) +
           (crossing.marked ? QString() : outsideDrawn);
}

QStringList DescribeCrossings(const LineTable &table, const PlaneView &view, QSize surface,
                              Wording wording)
{
    return DescribeCrossings(Crossings(table, view, surface), wording);
}

QStringList DescribeCrossings(const std::vector<Crossing> &crossings, Wording wording)
{
    QStringList sentences;
    for (const Crossing &crossing : crossings)
        sentences << DescribeCrossing(crossing, wording);
    return sentences;
}

QStringList AnnounceCrossings(int slot, const LineTable &table, const PlaneView &view,
                              QSize surface)
{
    const auto drawn = StoredLineOf(slot, table, view);
    if (!drawn)
        return {};
    QStringList parts;
    for (const StoredLine &other : StoredLines(table, view)) {
        if (other.slot == slot)
            continue;
        const Crossing crossing = Cross(*drawn, other, view, surface);
        const QString name = LineName(other.slot);
        switch (crossing.kind) {
        case CrossingKind::Parallel:
            parts << name + QStringLiteral("と平行で交わりません");
            break;
        case CrossingKind::SameLine:
            parts << name + QStringLiteral("と同じ直線です");
            break;
        case CrossingKind::Point:
            parts << name + QStringLiteral("との交点 ") + SpokenPoint(crossing) +
                         (crossing.marked ? QString() : outsideDrawn);
            break;
        }
    }
    return parts;
}
