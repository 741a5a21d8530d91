// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/sentences.h"

#include "lines/linedrawing.h"
#include "runtime/numbers.h"
#include "runtime/text.h"

#include <array>
#include <cstdlib>

namespace {

std::string PlaneSizeName(int gridUnit)
{
    const PlaneSize *size = PlaneSizeFor(gridUnit);
    return size != nullptr ? std::string(size->caption) : std::to_string(gridUnit);
}

// A number as the boxes show it, with a true minus sign, which a speech
// synthesizer reads as "minus" rather than as a dash.
std::string Number(float value)
{
    const std::string shown = NumberText(value);
    const std::string_view text = Trimmed(shown);
    if (text.starts_with('-'))
        return std::string(MinusSign) + std::string(text.substr(1));
    return std::string(text);
}

// One term of a·x + b·y, or nothing for a zero coefficient: "2y", "x", "−x".
std::string Term(float coefficient, char variable)
{
    if (coefficient == 0.0f)
        return {};
    if (coefficient == 1.0f)
        return std::string(1, variable);
    if (coefficient == -1.0f)
        return std::string(MinusSign) + variable;
    return Number(coefficient) + variable;
}

std::string LeftSide(const LineSlot &line)
{
    std::string x = Term(line.A, 'x');
    const std::string y = Term(line.B, 'y');
    if (x.empty())
        return y.empty() ? "0" : y;
    if (y.empty())
        return x;
    if (y.starts_with(MinusSign))
        return x + " − " + y.substr(MinusSign.size());
    return x + " + " + y;
}

const std::string OutsideDrawn = "（描いた範囲の外）";

// A rounded number as it is read out: ".5" as "0.5", "1.5E-07" as
// "1.5かける10のマイナス7乗".
std::string SpokenRounded(const std::string &shown)
{
    if (shown.starts_with('.'))
        return '0' + shown;
    const std::size_t mark = shown.find('E');
    if (mark == std::string::npos)
        return shown;
    const int exponent = std::stoi(shown.substr(mark + 1));
    return shown.substr(0, mark) + "かける10の" + (exponent < 0 ? "マイナス" : "") +
           std::to_string(std::abs(exponent)) + "乗";
}

std::string SpokenPoint(const Crossing &crossing)
{
    std::string text = "(";
    text += SpokenCoordinate(crossing.x);
    text += ", ";
    text += SpokenCoordinate(crossing.y);
    return text + ")";
}

std::string PointIn(const Crossing &crossing, Wording wording)
{
    return wording == Wording::Written ? PointText(crossing) : SpokenPoint(crossing);
}

std::string Marked(const Crossing &crossing)
{
    return crossing.marked ? std::string() : OutsideDrawn;
}

std::vector<std::string> operator+(std::vector<std::string> parts,
                                   const std::vector<std::string> &more)
{
    parts.insert(parts.end(), more.begin(), more.end());
    return parts;
}

} // namespace

std::string SpokenCoordinate(const Coordinate &coordinate)
{
    std::string spoken = coordinate.rounded ? "約" : "";
    if (coordinate.negative)
        spoken += "マイナス";
    if (coordinate.rounded)
        return spoken + SpokenRounded(coordinate.above);
    // "3分の4": the denominator is read first.
    if (!coordinate.below.empty())
        return spoken + coordinate.below + "分の" + coordinate.above;
    return spoken + coordinate.above;
}

std::string LineName(int slot)
{
    return "直線" + FullWidthDigits(slot + 1);
}

std::string DescribeLine(const LineSlot &line, const PlaneView &view)
{
    const std::string equation = LeftSide(line) + " = " + Number(line.C);
    if (line.A == 0.0f && line.B == 0.0f)
        return equation + "、aもbも0なので直線になりません";
    const std::string variable = line.Range() == RangeOf::Y ? "y" : "x";
    const std::string range = Number(line.From) + " ≦ " + variable + " ≦ " + Number(line.To);
    if (!LineEnds(line, view))
        return equation + ", " + range + "、大きすぎて描けません";
    return equation + ", " + range;
}

std::string DescribePlaneSize(const PlaneView &view)
{
    const int reach = view.GridUnit > 0 ? view.OriginX / view.GridUnit : 0;
    const std::string number = std::to_string(reach);
    return "座標平面 大きさ" + PlaneSizeName(view.GridUnit) + "、xもyも −" + number + " から " +
           number + " まで";
}

std::vector<std::string> DescribePicture(const LineTable &table, const PlaneView &view)
{
    std::vector<std::string> parts{DescribePlaneSize(view)};
    for (int slot = 0; slot < LineTable::SlotCount; ++slot) {
        if (table.Slot(slot).IsDrawn())
            parts.push_back(LineName(slot) + ": " + DescribeLine(table.Slot(slot), view));
    }
    if (parts.size() == 1)
        parts.emplace_back("直線なし");
    return parts;
}

std::string DescribeSlotButton(int slot, const LineTable &table, const PlaneView &view)
{
    const LineSlot &line = table.Slot(slot);
    return FullWidthDigits(slot + 1) + " " + (line.IsDrawn() ? DescribeLine(line, view) : "空き");
}

std::string DescribeCrossing(const Crossing &crossing, Wording wording)
{
    const std::string pair = LineName(crossing.first) + "と" + LineName(crossing.second);
    switch (crossing.kind) {
    case CrossingKind::Parallel:
        return pair + "は平行で交わりません";
    case CrossingKind::SameLine:
        return pair + "は同じ直線です";
    case CrossingKind::Point:
        break;
    }
    return pair + "の交点 " + PointIn(crossing, wording) + Marked(crossing);
}

std::vector<std::string> DescribeCrossings(const std::vector<Crossing> &crossings, Wording wording)
{
    std::vector<std::string> sentences;
    sentences.reserve(crossings.size());
    for (const Crossing &crossing : crossings)
        sentences.push_back(DescribeCrossing(crossing, wording));
    return sentences;
}

std::vector<std::string> AnnounceCrossings(int slot, const LineTable &table, const PlaneView &view)
{
    std::vector<std::string> parts;
    for (const Crossing &crossing : CrossingsWith(slot, table, view)) {
        const std::string name = LineName(crossing.second);
        switch (crossing.kind) {
        case CrossingKind::Parallel:
            parts.push_back(name + "と平行で交わりません");
            break;
        case CrossingKind::SameLine:
            parts.push_back(name + "と同じ直線です");
            break;
        case CrossingKind::Point:
            parts.push_back(name + "との交点 " + SpokenPoint(crossing) + Marked(crossing));
            break;
        }
    }
    return parts;
}

SurfaceWords DescribeSurface(const LineTable &table, const PlaneView &view,
                             const std::vector<Crossing> &shownCrossings)
{
    const std::vector<std::string> picture = DescribePicture(table, view);
    return {Join(picture + DescribeCrossings(shownCrossings, Wording::Spoken), "。"),
            Join(picture + DescribeCrossings(shownCrossings, Wording::Written), "\n") + "\n"};
}

std::string LineDrawnSentence(int slot, const LineTable &table, const PlaneView &view)
{
    return LineName(slot) + "を引きました: " + DescribeLine(table.Slot(slot), view);
}

std::string LineDrawnAnnouncement(int slot, const LineTable &table, const PlaneView &view,
                                  bool crossingsShown, int nextSlot)
{
    // With the marks shown, the pupil also hears where the new line meets
    // each other one.
    std::vector<std::string> said{LineDrawnSentence(slot, table, view)};
    if (crossingsShown)
        said = said + AnnounceCrossings(slot, table, view);
    said.push_back("次は" + DescribeSlotButton(nextSlot, table, view));
    return Join(said, "。");
}

std::string LineErasedSentence(int slot)
{
    return LineName(slot) + "を消しました";
}

std::string SlotAlreadyEmptySentence(int slot)
{
    return LineName(slot) + "は空きなので、消す線はありません";
}

std::string AllErasedSentence()
{
    return "すべての直線を消しました";
}

std::string AllErasedAnnouncement(const PlaneView &view)
{
    return AllErasedSentence() + "。" + DescribePlaneSize(view);
}

std::string PlaneSizeChosenSentence(const LineTable &table, const PlaneView &view)
{
    return Join(DescribePicture(table, view), "。");
}

std::string AndThen(const std::string &first, const std::string &next)
{
    return first + "。" + next;
}

std::string StepSentence(const LineStep &step)
{
    switch (step.command) {
    case LineCommand::Draw:
        return LineDrawnSentence(step.slot, step.after, step.view);
    case LineCommand::Erase:
        return LineErasedSentence(step.slot);
    case LineCommand::EraseAll:
        break;
    }
    return AllErasedSentence();
}

std::string UndoneSentence(const std::string &what)
{
    return "元に戻しました: " + what;
}

std::string RedoneSentence(const std::string &what)
{
    return "やり直しました: " + what;
}

std::string MarksShownSentence(const std::vector<Crossing> &crossings)
{
    return Join(std::vector<std::string>{"番号と交点を表示しました"} +
                    DescribeCrossings(crossings, Wording::Spoken),
                "。");
}

std::string MarksHiddenSentence()
{
    return "番号と交点を消しました";
}

std::string CoefficientBoxName(int box)
{
    // Orca names a box by the label that labels it, so the labels above a, b
    // and c carry these names too.
    static constexpr std::array<const char *, 3> names = {"ａ（χの係数）", "ｂ（ｙの係数）",
                                                          "ｃ（右辺の数）"};
    return names.at(static_cast<std::size_t>(box));
}

std::string RangeBoxName(bool start, RangeOf range)
{
    const std::string variable = range == RangeOf::Y ? "ｙ" : "χ";
    return (start ? "変域の始め（" : "変域の終わり（") + variable + "）";
}

std::string PlaneSizeButtonName(int size)
{
    return std::string("座標平面の大きさ ") + PlaneSizes.at(static_cast<std::size_t>(size)).caption;
}
