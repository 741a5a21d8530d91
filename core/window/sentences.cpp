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

// The panel's numbers and lines, written or spoken.

std::string Said(const Coordinate &number, Wording wording)
{
    return wording == Wording::Written ? WrittenCoordinate(number) : SpokenCoordinate(number);
}

// A negative number subtracted stands in brackets: "3 − (−3)".
std::string Subtracted(const Coordinate &number, Wording wording)
{
    if (!number.negative)
        return Said(number, wording);
    std::string text = "(";
    text += Said(number, wording);
    return text + ")";
}

bool IsZero(const Coordinate &number)
{
    return !number.rounded && number.above == "0";
}

bool IsOne(const Coordinate &number)
{
    return !number.rounded && number.above == "1" && number.below.empty();
}

// "y = −2/3x + 2", "y = 3x", "y = −x + 4", "y = 5", "x = 2": a slope of 1
// or −1 written as its sign alone, zero terms left out, as DescribeLine
// writes an equation.
std::string Formula(const LinearFunction &function, Wording wording)
{
    if (function.kind == FunctionKind::Vertical)
        return "x = " + Said(function.verticalX, wording);
    std::string right;
    if (IsOne(function.slope))
        right = function.slope.negative
                    ? (wording == Wording::Written ? std::string(MinusSign) : "マイナス") + "x"
                    : "x";
    else if (!IsZero(function.slope))
        right = Said(function.slope, wording) + "x";
    if (right.empty())
        return "y = " + Said(function.intercept, wording);
    if (IsZero(function.intercept))
        return "y = " + right;
    Coordinate size = function.intercept;
    size.negative = false;
    return "y = " + right + (function.intercept.negative ? " − " : " + ") + Said(size, wording);
}

// "−3 ≦ x ≦ 3 のとき 0 ≦ y ≦ 4".
std::string Ranges(const LinearFunction &function, Wording wording)
{
    return Said(function.xLow, wording) + " ≦ x ≦ " + Said(function.xHigh, wording) + " のとき " +
           Said(function.yLow, wording) + " ≦ y ≦ " + Said(function.yHigh, wording);
}

// "(0 − 4)/(3 − (−3)) = −4/6 = −2/3"; spoken, the bar is "わる".
std::string WorkedRate(const RateOfChange &rate, Wording wording)
{
    const std::string rise = Said(rate.y2, wording) + " − " + Subtracted(rate.y1, wording);
    const std::string run = Said(rate.x2, wording) + " − " + Subtracted(rate.x1, wording);
    std::string text = "(";
    text += rise;
    text += wording == Wording::Written ? ")/(" : ") わる (";
    text += run;
    text += ')';
    if (rate.unreduced)
        text += " = " + Said(*rate.unreduced, wording);
    return text + " = " + Said(rate.rate, wording);
}

PanelLine Sentence(const std::string &label, const std::string &sentence)
{
    return {label, sentence, sentence};
}

PanelLine TextLine(const std::string &label, const LinearFunction &function,
                   std::string (*text)(const LinearFunction &, Wording))
{
    return {label, text(function, Wording::Written), text(function, Wording::Spoken)};
}

PanelLine NumberLine(const std::string &label, const Coordinate &number)
{
    return {label, Said(number, Wording::Written), Said(number, Wording::Spoken)};
}

std::vector<std::string> PanelLines(const FunctionWords &words, Wording wording)
{
    std::vector<std::string> parts;
    for (const PanelLine &line : words.lines) {
        const std::string &text = wording == Wording::Written ? line.written : line.spoken;
        parts.push_back(line.label.empty() ? text : line.label + ": " + text);
    }
    return parts;
}

// A row of the table: "x\t−3\t−2", spoken "x: マイナス3、マイナス2".
std::string TableRow(const char *name, const std::vector<PanelNumber> &numbers, Wording wording)
{
    std::vector<std::string> cells;
    cells.reserve(numbers.size());
    for (const PanelNumber &number : numbers)
        cells.push_back(wording == Wording::Written ? number.written : number.spoken);
    return wording == Wording::Written ? std::string(name) + "\t" + Join(cells, "\t")
                                       : std::string(name) + ": " + Join(cells, "、");
}

std::vector<std::string> FunctionParts(const FunctionWords &words, Wording wording)
{
    std::vector<std::string> parts = PanelLines(words, wording);
    if (!words.tableX.empty()) {
        parts.push_back(TableRow("x", words.tableX, wording));
        parts.push_back(TableRow("y", words.tableY, wording));
    }
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

FunctionWords DescribeFunction(const LinearFunction &function)
{
    FunctionWords words;
    switch (function.kind) {
    case FunctionKind::NoLine:
        words.lines.push_back(Sentence({}, "aもbも0なので直線になりません"));
        return words;
    case FunctionKind::TooLarge:
        words.lines.push_back(Sentence({}, "数が大きすぎて式と表を出せません"));
        return words;
    case FunctionKind::Vertical:
        words.lines.push_back(TextLine("式", function, Formula));
        words.lines.push_back(Sentence({}, "bが0なので、yはxの関数ではありません"));
        return words;
    case FunctionKind::Function:
        break;
    }
    words.lines.push_back(TextLine("式", function, Formula));
    words.lines.push_back(NumberLine("傾き", function.slope));
    words.lines.push_back(NumberLine("切片", function.intercept));
    words.lines.push_back(TextLine("変域", function, Ranges));
    words.lines.push_back(
        function.rate ? PanelLine{"変化の割合", WorkedRate(*function.rate, Wording::Written),
                                  WorkedRate(*function.rate, Wording::Spoken)}
                      : Sentence("変化の割合", "変域が1点だけなので求められません"));
    if (function.table.empty())
        words.lines.push_back(Sentence(TableLabel, "変域に整数がないので、表はありません"));
    for (const TableColumn &column : function.table) {
        words.tableX.push_back({Said(column.x, Wording::Written), Said(column.x, Wording::Spoken)});
        words.tableY.push_back({Said(column.y, Wording::Written), Said(column.y, Wording::Spoken)});
    }
    return words;
}

SurfaceWords DescribeSurface(const LineTable &table, const PlaneView &view,
                             const std::vector<Crossing> &shownCrossings,
                             const FunctionWords &shownFunction)
{
    const std::vector<std::string> picture = DescribePicture(table, view);
    return {Join(picture + DescribeCrossings(shownCrossings, Wording::Spoken) +
                     FunctionParts(shownFunction, Wording::Spoken),
                 "。"),
            Join(picture + DescribeCrossings(shownCrossings, Wording::Written) +
                     FunctionParts(shownFunction, Wording::Written),
                 "\n") +
                "\n"};
}

std::string SpokenFunctionPanel(const FunctionWords &words)
{
    return Join(FunctionParts(words, Wording::Spoken), "。");
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

std::string LinkCopiedSentence()
{
    return "リンクをコピーしました";
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
    case LineCommand::Open:
        return LinkOpenedSentence();
    }
    return AllErasedSentence();
}

std::string LinkOpenedSentence()
{
    return "リンクを開きました";
}

std::string LinkOpenedAnnouncement(const LineTable &table, const PlaneView &view)
{
    return AndThen(LinkOpenedSentence(), PlaneSizeChosenSentence(table, view));
}

namespace {

// What was wrong with a link, as the part in brackets.
std::string LinkFaultWords(const LinkReading &reading)
{
    // The line, or the key as the link wrote it, quoted.
    const std::string where =
        reading.slot >= 0 ? LineName(reading.slot) : "「" + reading.key + "」";
    switch (reading.fault) {
    case LinkFault::None:
    case LinkFault::NotALink:
        break;
    case LinkFault::TooLong:
        return "リンクが長すぎます";
    case LinkFault::Repeated:
        return where + "が二度あります";
    case LinkFault::TooFewNumbers:
        return where + "の数が足りません";
    case LinkFault::TooManyNumbers:
        return where + "の数が多すぎます";
    case LinkFault::BadNumber:
        return where + "に読めない数があります";
    case LinkFault::NotFinite:
        return where + "の数が大きすぎます";
    case LinkFault::BadSlot:
        return "直線は１から８までです";
    case LinkFault::BadValue:
        return where + "の値が読めません";
    }
    return "リンクではありません";
}

} // namespace

std::string LinkUnreadableSentence(const LinkReading &reading)
{
    return "リンクを読めませんでした（" + LinkFaultWords(reading) + "）";
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

std::string FunctionShownSentence(const FunctionWords &words)
{
    return Join(std::vector<std::string>{"式と表を表示しました"} +
                    PanelLines(words, Wording::Spoken),
                "。");
}

std::string FunctionHiddenSentence()
{
    return "式と表を消しました";
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

std::string PaperScaleWords(int millimetresPerUnit)
{
    return "1目盛り = " + std::to_string(millimetresPerUnit) + " mm";
}

std::string PaperScaleChoice(int millimetresPerUnit, bool planeFits)
{
    return PaperScaleWords(millimetresPerUnit) + (planeFits ? "" : "（平面の中ほどだけ）");
}
