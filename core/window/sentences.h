// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/crossings.h"
#include "lines/linearfunction.h"
#include "lines/linehistory.h"
#include "lines/linetable.h"
#include "lines/sheetlink.h"
#include "plane/planeview.h"

#include <string>
#include <vector>

// Every word the program says, in one place, so that every face says the
// same: what the surface shows, in the words a teacher writes on the board,
// the announcements after each command, and the names of the controls and
// menu entries. All UTF-8.

// "直線３", the slot as its button names it.
std::string LineName(int slot);

// A stored line as "x + 2y = 4, −2 ≦ x ≦ 6": coefficients of 1 left out, zero
// terms left out, a vertical line with its range of y. A line that cannot be
// drawn at this view says so and why.
std::string DescribeLine(const LineSlot &line, const PlaneView &view);

// "座標平面 大きさ中、xもyも −13 から 13 まで": the plane size and what it shows.
std::string DescribePlaneSize(const PlaneView &view);

// The plane size, then every stored line with its name, one part each.
std::vector<std::string> DescribePicture(const LineTable &table, const PlaneView &view);

// What a slot button holds: "１ 空き", or its line.
std::string DescribeSlotButton(int slot, const LineTable &table, const PlaneView &view);

// A crossing's coordinate as a Japanese speaker reads it: "3", "マイナス3",
// "3分の4", "マイナス3分の4"; a rounded one as "約1.333333", "約マイナス2.5",
// "約1.5かける10のマイナス7乗".
std::string SpokenCoordinate(const Coordinate &coordinate);

// Written words keep "4/3" (the clipboard text); spoken words read the
// fraction the Japanese way, "3分の4" (for a speech synthesizer).
enum class Wording { Written, Spoken };

// "直線１と直線２の交点 (3, 1)", with "（描いた範囲の外）" after a point that
// is not marked; "直線１と直線３は平行で交わりません"; "直線１と直線４は同じ直線です".
std::string DescribeCrossing(const Crossing &crossing, Wording wording = Wording::Written);

// One sentence per pair, in the order given.
std::vector<std::string> DescribeCrossings(const std::vector<Crossing> &crossings,
                                           Wording wording = Wording::Written);

// What the line just drawn in `slot` meets, one part per other stored line in
// slot order, spoken: "直線１との交点 (3分の4, 3分の8)", "直線３と平行で交わりません",
// "直線４と同じ直線です". Nothing when `slot` holds no line.
std::vector<std::string> AnnounceCrossings(int slot, const LineTable &table, const PlaneView &view);

// The panel that shows the line being typed as a linear function, one line
// at a time: what the line gives and its text, written and spoken.
struct PanelLine {
    // "式", "傾き", "切片", "変域", "変化の割合" or "表"; empty for a sentence
    // that stands alone, as when the boxes make no line.
    std::string label;
    std::string written; // "y = −2/3x + 2"
    std::string spoken;  // "y = マイナス3分の2x + 2"
};

// A number of the table of values: "10/3", spoken "3分の10".
struct PanelNumber {
    std::string written;
    std::string spoken;
};

// The panel's words. For a function the lines are
//   式       y = −2/3x + 2
//   傾き     −2/3
//   切片     2
//   変域     −3 ≦ x ≦ 3 のとき 0 ≦ y ≦ 4
//   変化の割合 (0 − 4)/(3 − (−3)) = −4/6 = −2/3
// with a sentence as the rate for a range of one point, and a 表 line saying
// there is no table when the range holds no whole number. A vertical line
// has its 式 "x = 2" and the sentence that y is then no function of x; boxes
// that make no line, one sentence.
struct FunctionWords {
    std::vector<PanelLine> lines;
    // The table of values, a column each, its rows headed "x" and "y"; empty
    // when there is none.
    std::vector<PanelNumber> tableX;
    std::vector<PanelNumber> tableY;
};
FunctionWords DescribeFunction(const LinearFunction &function);

// What the surface shows, in two forms: its description for a screen reader,
// the picture and, when they are shown, the crossings as sentences; and the
// words that go with a copied picture, the same parts one to a line for
// pasting into plain text, the crossings as they are written. With the
// function's panel shown, its lines follow, "式: y = −2/3x + 2", and its
// table as two rows, tab-separated for a spreadsheet: "x\t−3\t−2…" and
// "y\t4\t10/3…" (spoken, "x: マイナス3、マイナス2…").
struct SurfaceWords {
    std::string description;
    std::string copyText;
};
SurfaceWords DescribeSurface(const LineTable &table, const PlaneView &view,
                             const std::vector<Crossing> &shownCrossings,
                             const FunctionWords &shownFunction = {});

// The panel as a screen reader hears it: its lines, then its table row by
// row, "式: y = マイナス3分の2x + 2。…。x: マイナス3、マイナス2…。y: 4、3分の10…".
std::string SpokenFunctionPanel(const FunctionWords &words);

// One announcement after another in the same event, as one: "…。…".
std::string AndThen(const std::string &first, const std::string &next);

// The announcements after the commands.
// "直線１を引きました: x + 2y = 4, …", also what undoing it names.
std::string LineDrawnSentence(int slot, const LineTable &table, const PlaneView &view);
// That, then where the new line meets the others when the crossings are
// shown, then the slot that comes next.
std::string LineDrawnAnnouncement(int slot, const LineTable &table, const PlaneView &view,
                                  bool crossingsShown, int nextSlot);
std::string LineErasedSentence(int slot);
// Erasing a slot that holds no line changes nothing, and says so.
std::string SlotAlreadyEmptySentence(int slot);
std::string AllErasedSentence();
// That, and the bare plane that is left.
std::string AllErasedAnnouncement(const PlaneView &view);
std::string PlaneSizeChosenSentence(const LineTable &table, const PlaneView &view);
// "リンクをコピーしました": the lesson's link is on the clipboard.
std::string LinkCopiedSentence();
// What a line command did, in the words it was announced with; undoing and
// redoing it name it so.
std::string StepSentence(const LineStep &step);
std::string UndoneSentence(const std::string &what);
std::string RedoneSentence(const std::string &what);
std::string MarksShownSentence(const std::vector<Crossing> &crossings);
std::string MarksHiddenSentence();
// "式と表を表示しました", then the panel's lines but its table, spoken.
std::string FunctionShownSentence(const FunctionWords &words);
std::string FunctionHiddenSentence();
// "リンクを開きました", also what undoing it names.
std::string LinkOpenedSentence();
// That, then the plane and every line it holds.
std::string LinkOpenedAnnouncement(const LineTable &table, const PlaneView &view);
// A link that is no lesson, in one sentence naming what was wrong:
// "リンクを読めませんでした（直線３の数が足りません）".
std::string LinkUnreadableSentence(const LinkReading &reading);

// The names a screen reader gives the controls whose captions do not say
// what they are for.
inline constexpr const char *WindowTitle = "Tolvane";
inline constexpr const char *SurfaceName = "座標平面";
inline constexpr const char *ExitName = "終了";
inline constexpr const char *FunctionPanelName = "式と表";
// The label of the panel's table of values.
inline constexpr const char *TableLabel = "表";
// "ａ（χの係数）", "ｂ（ｙの係数）", "ｃ（右辺の数）" for the boxes 0 to 2.
std::string CoefficientBoxName(int box);
// "変域の始め（χ）", "変域の終わり（ｙ）".
std::string RangeBoxName(bool start, RangeOf range);
// "座標平面の大きさ 小".
std::string PlaneSizeButtonName(int size);

// The entries of the surface's menu.
inline constexpr const char *CopyPictureEntry = "図をコピー";
inline constexpr const char *MarksEntry = "番号と交点を表示";
inline constexpr const char *FunctionEntry = "式と表を表示";
inline constexpr const char *UndoEntry = "元に戻す";
inline constexpr const char *RedoEntry = "やり直す";
inline constexpr const char *LinkCopyEntry = "リンクをコピー";
inline constexpr const char *LinkOpenEntry = "リンクから開く";
inline constexpr const char *PrintEntry = "印刷…";

// The choices before printing a worksheet.
inline constexpr const char *PrintTitle = "印刷";
inline constexpr const char *PaperScaleHeading = "1目盛りの長さ";
inline constexpr const char *PupilsCopyChoice = "線なし（問題用）";
inline constexpr const char *PrintButton = "印刷…";
inline constexpr const char *CancelButton = "キャンセル";
// "1目盛り = 5 mm", as the worksheet states its scale.
std::string PaperScaleWords(int millimetresPerUnit);
// A scale to choose: "1目盛り = 5 mm", and, for one at which the plane is
// wider than the paper, that only its middle is printed.
std::string PaperScaleChoice(int millimetresPerUnit, bool planeFits);
// The desktop's printing module is not installed.
inline constexpr const char *PrintMissingSentence = "印刷の部品が見つからないため、印刷できません。";
// Under the worksheet's 10 cm bar.
inline constexpr const char *BarWords =
    "この線の長さは 10 cm "
    "です。ちがうときは、拡大や縮小をしない設定（実際のサイズ）で印刷してください。";
