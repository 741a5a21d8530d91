// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/pictures.h"
#include "support/qtext.h"
#include "support/uifacts.h"

#include "desktop/imagecanvas.h"
#include "lines/linedrawing.h"
#include "lines/linehistory.h"
#include "runtime/numbers.h"
#include "window/window.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QStringList>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <utility>
#include <vector>

// A pupil who clicks and types at random, and a model of what the lesson
// program must show after each gesture, worked out from its rules alone. The
// gestures are made on the window through Qt, or on the core's window as a
// face would pass them on; both drivers share the model and the pupil.

inline constexpr qsizetype BoxMaxLength = 32767;

inline QString SlotName(int index)
{
    return QStringLiteral("Option1(%1)").arg(index);
}

inline QString BoxName(int number)
{
    return QStringLiteral("Text%1").arg(number);
}

// The number of the box a focus name stands for, 1 to 5, or 0.
inline int BoxNumber(const QString &name)
{
    return name.size() == 5 && name.startsWith(QLatin1String("Text")) ? name.at(4).digitValue() : 0;
}

inline int SlotNumber(const QString &name)
{
    return name.startsWith(QLatin1String("Option1(")) ? name.at(8).digitValue() : -1;
}

inline int SizeNumber(const QString &name)
{
    return name.startsWith(QLatin1String("Command3(")) ? name.at(9).digitValue() : -1;
}

inline bool IsPushButton(const QString &name)
{
    return name.startsWith(QLatin1String("Command"));
}

// Every control that can hold the focus, in the order Tab visits them.
inline constexpr std::array<const char *, 21> TabChain = {
    "Text1",       "Text2",      "Text3",      "Text4",      "Command4",    "Command5",
    "Option1(1)",  "Command2",   "Command1",   "Picture1",   "Command3(0)", "Command3(1)",
    "Command3(2)", "Option1(0)", "Option1(2)", "Option1(3)", "Option1(4)",  "Option1(5)",
    "Option1(6)",  "Option1(7)", "Text5",
};

// Shows a typed text in a log line: control characters escaped, long texts
// cut short with their length.
inline QString Shown(const QString &text)
{
    if (text.size() > 24)
        return QStringLiteral("%1 (%2 characters)").arg(Shown(text.left(12))).arg(text.size());
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return QLatin1Char('"') + out + QLatin1Char('"');
}

inline QString ShownFloat(float value)
{
    return QStringLiteral("%1 (0x%2)")
        .arg(static_cast<double>(value), 0, 'g', 9)
        .arg(std::bit_cast<std::uint32_t>(value), 8, 16, QLatin1Char('0'));
}

inline bool SameFloat(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// A number as the boxes show it.
inline QString BoxShows(float value)
{
    return Q(NumberText(value));
}

inline double ValOf(const QString &text)
{
    return ReadNumber(text.toStdString());
}

// Empty when the two pictures agree; otherwise says where they differ and
// keeps both as files named after the test, to look at.
inline QString CompareImages(const QImage &actualImage, const QImage &expectedImage,
                             const QString &what, const QString &test)
{
    const QImage actual = actualImage.convertToFormat(QImage::Format_RGB32);
    const QImage expected = expectedImage.convertToFormat(QImage::Format_RGB32);
    if (actual.size() != expected.size())
        return QStringLiteral("%1: picture is %2x%3, expected %4x%5")
            .arg(what)
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    if (actual == expected)
        return {};
    int differing = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if ((actual.pixel(x, y) & 0xffffffu) != (expected.pixel(x, y) & 0xffffffu)) {
                if (differing++ == 0)
                    first = QPoint(x, y);
            }
        }
    }
    if (differing == 0)
        return {};
    const QString actualFile = QDir::temp().filePath(test + QStringLiteral("-actual.png"));
    const QString expectedFile = QDir::temp().filePath(test + QStringLiteral("-expected.png"));
    actual.save(actualFile);
    expected.save(expectedFile);
    return QStringLiteral("%1: %2 pixels differ, the first at (%3, %4): %5 shown, %6 expected; "
                          "saved as %7 and %8")
        .arg(what)
        .arg(differing)
        .arg(first.x())
        .arg(first.y())
        .arg(actual.pixel(first) & 0xffffffu, 6, 16, QLatin1Char('0'))
        .arg(expected.pixel(first) & 0xffffffu, 6, 16, QLatin1Char('0'))
        .arg(actualFile, expectedFile);
}

// What a box holds after one key as FormHarness::Type sends it, with the
// cursor at the end. DEL arrives as the Delete key: it removes a selection,
// and at the end of the text there is nothing after the cursor to remove.
// Other control characters type nothing; any other character replaces a
// selection or goes on the end, up to the box's length limit.
inline QString AfterKey(const QString &text, bool &allSelected, QChar c)
{
    if (c.unicode() == 0x7f)
        return std::exchange(allSelected, false) ? QString() : text;
    if (!c.isPrint())
        return text;
    QString typed = std::exchange(allSelected, false) ? QString() : text;
    if (typed.size() < BoxMaxLength)
        typed += c;
    return typed;
}

// Backspace takes a selection away, or else the last character.
inline QString AfterBackspace(const QString &text, bool &allSelected)
{
    if (std::exchange(allSelected, false))
        return {};
    return text.isEmpty() ? text : text.chopped(1);
}

// Whether an announcement reads as expected: the whole sentence, or its
// beginning when the model ends it with "…" for words it does not work out.
inline bool SaysAsExpected(const QString &said, const QString &expected)
{
    return expected.endsWith(QChar(0x2026)) ? said.startsWith(expected.chopped(1))
                                            : said == expected;
}

// What a box holds as far as the pupil's editing goes. A click leaves the
// cursor where the mouse was; every other step leaves it at the end.
struct ModelBox {
    QString text;
    bool allSelected = false;
    bool cursorAtEnd = true;
    // The pupil has changed the text since the program last wrote it, so
    // the box has typing of its own to undo.
    bool typed = false;
};

using Slots = std::array<LineSlot, LineTable::SlotCount>;

// A line command as the history keeps it, with what undoing it names.
struct ModelStep {
    Slots before;
    Slots after;
    int slotBefore;
    int slotAfter;
    QString what;
};

// How the surface should have changed with the last gesture.
enum class PictureChange { None, LineAdded, Redrawn };

// The reference: what the window must show after each gesture, worked out
// from the rules of the lesson program alone.
class PupilModel {
public:
    Slots slots{};
    int current = 0;
    std::int16_t gridUnit = 22;
    int captionTop = CaptionHiddenTop;
    std::array<ModelBox, 5> boxes{};
    QString focus = QStringLiteral("Text1");
    bool marks = false;
    // The window draws its whole picture as it opens.
    PictureChange change = PictureChange::Redrawn;
    int drawnSlot = 0; // the slot of a line drawn over the picture
    // The announcement of the last gesture, "…" for words the model leaves
    // open; empty when it must be silent.
    QString said;

    PlaneView View() const { return ViewAt(gridUnit); }

    LineTable Table() const
    {
        LineTable table;
        for (int k = 0; k < LineTable::SlotCount; ++k)
            table.Slot(k) = slots[static_cast<std::size_t>(k)];
        return table;
    }

    ModelBox &Box(int number) { return boxes[static_cast<std::size_t>(number - 1)]; }
    const ModelBox &Box(int number) const { return boxes[static_cast<std::size_t>(number - 1)]; }
    int FocusedBox() const { return BoxNumber(focus); }
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < history_.size(); }

    // A drawn slot with finite values and a or b not 0 is a line.
    bool TakesPart(int slot) const
    {
        const LineSlot &line = slots[static_cast<std::size_t>(slot)];
        for (const float v : {line.A, line.B, line.C, line.From, line.To})
            if (!std::isfinite(v))
                return false;
        return line.IsDrawn() && (line.A != 0.0f || line.B != 0.0f);
    }

    // "直線３", the slot as its button names it.
    static QString LineWord(int slot) { return QStringLiteral("直線") + QChar(0xff11 + slot); }

    // The plane size and how far it reaches from the middle to the edge:
    // 300 pixels at the size's pixels per unit.
    QString PlaneWords() const
    {
        static constexpr std::array<const char *, 3> names = {"小", "中", "大"};
        static constexpr std::array<int, 3> reaches = {7, 13, 21};
        const auto size = static_cast<std::size_t>(
            std::find(PlaneUnits.begin(), PlaneUnits.end(), gridUnit) - PlaneUnits.begin());
        return QStringLiteral("座標平面 大きさ%1、xもyも −%2 から %2 まで")
            .arg(QString::fromUtf8(names.at(size)))
            .arg(reaches.at(size));
    }

    // A slot button is a Tab stop only while it is the selected one.
    QString NextTabStop() const
    {
        const auto at = std::find_if(TabChain.begin(), TabChain.end(), [&](const char *name) {
            return focus == QLatin1String(name);
        });
        const auto start = static_cast<std::size_t>(at - TabChain.begin());
        for (std::size_t step = 1; step <= TabChain.size(); ++step) {
            const QString name = QLatin1String(TabChain[(start + step) % TabChain.size()]);
            if (SlotNumber(name) < 0 || SlotNumber(name) == current)
                return name;
        }
        return focus;
    }

    // A box given the focus by Tab selects its whole text; one that loses the
    // focus drops its selection.
    void MoveFocus(const QString &name, Qt::FocusReason reason)
    {
        if (const int now = BoxNumber(name); now && reason == Qt::MouseFocusReason) {
            Box(now).allSelected = false;
            Box(now).cursorAtEnd = false;
        }
        if (name == focus)
            return;
        if (const int old = FocusedBox())
            Box(old).allSelected = false;
        focus = name;
        if (const int now = FocusedBox(); now && reason == Qt::TabFocusReason)
            Box(now).allSelected = true;
    }

    // The program writes a box. A write to b moves the range caption by the
    // text written, unless it is empty.
    void WriteBox(int number, const QString &text)
    {
        Box(number).text = text;
        Box(number).typed = false;
        Box(number).allSelected = false;
        Box(number).cursorAtEnd = true;
        if (number == 2)
            FollowB(text);
    }

    // The pupil changes a box. Only a real change moves the caption.
    void EditBox(int number, const QString &text)
    {
        if (Box(number).text == text)
            return;
        Box(number).text = text;
        Box(number).typed = true;
        if (number == 2)
            FollowB(text);
    }

    void FollowB(const QString &text)
    {
        if (!text.isEmpty())
            captionTop = ValOf(text) == 0.0 ? CaptionShownTop : CaptionHiddenTop;
    }

    // One key as FormHarness::Type sends it to the focused box.
    void TypeKey(QChar c)
    {
        if (const int number = FocusedBox())
            EditBox(number, AfterKey(Box(number).text, Box(number).allSelected, c));
    }

    void SelectAll()
    {
        if (const int number = FocusedBox()) {
            Box(number).allSelected = true;
            Box(number).cursorAtEnd = true;
        }
    }

    // What a push button does when pressed by mouse, Enter or Space.
    void Press(const QString &name)
    {
        if (name == QLatin1String("Command4"))
            Draw();
        else if (name == QLatin1String("Command5"))
            Erase();
        else if (name == QLatin1String("Command2"))
            Reset();
        else if (const int size = SizeNumber(name); size >= 0)
            Size(size);
    }

    // A slot that was not selected becomes the selected one.
    void Select(int index)
    {
        const LineSlot &slot = slots[static_cast<std::size_t>(index)];
        if (slot.Drawn == 1.0f) {
            const std::array<float, 5> values = {slot.A, slot.B, slot.C, slot.From, slot.To};
            for (int n = 1; n <= 5; ++n)
                WriteBox(n, BoxShows(values[static_cast<std::size_t>(n - 1)]));
        } else {
            for (int n = 1; n <= 5; ++n)
                WriteBox(n, QString());
        }
        current = index;
        MoveFocus(QStringLiteral("Text1"), Qt::OtherFocusReason);
    }

    void Draw()
    {
        const Slots before = slots;
        const int drawn = current;
        LineSlot &slot = slots[static_cast<std::size_t>(current)];
        const auto read = [&](int n) { return ToSingle(ValOf(Box(n).text)); };
        slot = {1.0f, read(1), read(2), read(3), read(4), read(5)};
        // With the marks shown, every change draws the whole picture.
        change = marks ? PictureChange::Redrawn : PictureChange::LineAdded;
        drawnSlot = drawn;
        const int next = (current + 1) % SlotButtonCount;
        MoveFocus(SlotName(next), Qt::OtherFocusReason);
        Select(next);
        captionTop = CaptionHiddenTop;
        said = LineWord(drawn) + QStringLiteral("を引きました: …");
        Record(before, drawn, drawn, said);
    }

    void Erase()
    {
        const Slots before = slots;
        const bool held = slots[static_cast<std::size_t>(current)].Drawn == 1.0f;
        slots[static_cast<std::size_t>(current)].Drawn = 0.0f;
        for (int n = 1; n <= 5; ++n)
            WriteBox(n, QString());
        Redraw();
        MoveFocus(QStringLiteral("Text1"), Qt::OtherFocusReason);
        captionTop = CaptionHiddenTop;
        const QString erased = LineWord(current) + QStringLiteral("を消しました");
        Record(before, current, current, erased);
        said =
            held ? erased : LineWord(current) + QStringLiteral("は空きなので、消す線はありません");
    }

    void Reset()
    {
        const Slots before = slots;
        const int selected = current;
        for (LineSlot &slot : slots)
            slot.Drawn = 0.0f;
        current = 0;
        captionTop = CaptionHiddenTop;
        Select(0);
        Redraw();
        Record(before, selected, 0, QStringLiteral("すべての直線を消しました"));
        said = QStringLiteral("すべての直線を消しました。") + PlaneWords();
    }

    void ToggleMarks()
    {
        marks = !marks;
        Redraw();
        bool pairs = false;
        for (int i = 0; i < LineTable::SlotCount; ++i)
            for (int j = i + 1; j < LineTable::SlotCount; ++j)
                pairs = pairs || (TakesPart(i) && TakesPart(j));
        said = !marks  ? QStringLiteral("番号と交点を消しました")
               : pairs ? QStringLiteral("番号と交点を表示しました。直線…")
                       : QStringLiteral("番号と交点を表示しました");
    }

    void Size(int index)
    {
        gridUnit = PlaneUnits[static_cast<std::size_t>(index)];
        Redraw();
        // Then every stored line, or that there is none.
        const bool none = std::none_of(slots.begin(), slots.end(),
                                       [](const LineSlot &slot) { return slot.Drawn == 1.0f; });
        said = PlaneWords() + (none ? QStringLiteral("。直線なし") : QStringLiteral("。直線…"));
    }

    // Ctrl+Z and Ctrl+Y outside a box's own typing: the table as it was
    // before or after the step, the picture redrawn, the step's slot
    // recalled.
    void Undo()
    {
        if (done_ == 0)
            return;
        const ModelStep &step = history_[--done_];
        Restore(step.before, step.slotBefore);
        said = QStringLiteral("元に戻しました: ") + step.what;
    }

    void Redo()
    {
        if (done_ == history_.size())
            return;
        const ModelStep &step = history_[done_++];
        Restore(step.after, step.slotAfter);
        said = QStringLiteral("やり直しました: ") + step.what;
    }

    void Backspace()
    {
        if (const int number = FocusedBox())
            EditBox(number, AfterBackspace(Box(number).text, Box(number).allSelected));
    }

private:
    // A command that changed the table is a step; steps undone before it
    // are gone, and the oldest go beyond the history's depth.
    void Record(const Slots &before, int slotBefore, int slotAfter, const QString &what)
    {
        if (before == slots)
            return;
        history_.resize(done_);
        history_.push_back({before, slots, slotBefore, slotAfter, what});
        if (history_.size() > static_cast<std::size_t>(LineHistoryDepth))
            history_.erase(history_.begin(),
                           history_.end() - static_cast<std::ptrdiff_t>(LineHistoryDepth));
        done_ = history_.size();
    }

    void Restore(const Slots &table, int slot)
    {
        slots = table;
        Redraw();
        Select(slot);
    }

    void Redraw() { change = PictureChange::Redrawn; }

    std::vector<ModelStep> history_;
    std::size_t done_ = 0;
};

// The picture the model expects on the surface, followed gesture by gesture:
// a full redraw afresh, a new line drawn over what is there.
class ModelPicture {
public:
    void Start(const PupilModel &model)
    {
        canvas_ = SurfaceDrawnAfresh(model.Table(), model.View(), model.marks);
    }
    void Follow(const PupilModel &model)
    {
        if (model.change == PictureChange::Redrawn || canvas_ == nullptr)
            Start(model);
        else if (model.change == PictureChange::LineAdded)
            DrawLineOn(*canvas_, model.Table(), model.drawnSlot, LineColor, model.View());
    }
    const QImage &Image() { return canvas_->Image(); }

private:
    std::unique_ptr<ImageCanvas> canvas_;
};

// The first difference from the model in what both drivers read back: the
// core's state, where the window's widgets show the range caption, the
// boxes' texts and the focus.
inline QString CompareWithModel(const PupilModel &model, const Window &form, int captionTop,
                                const QStringList &boxes, const QString &focus)
{
    if (form.Contents().Selected() != model.current)
        return QStringLiteral("slot %1 is selected, expected %2")
            .arg(form.Contents().Selected())
            .arg(model.current);
    for (int k = 0; k < LineTable::SlotCount; ++k) {
        const LineSlot &shown = form.Contents().Lines().Slot(k);
        const LineSlot &expected = model.slots[static_cast<std::size_t>(k)];
        if (shown.Drawn != 0.0f && shown.Drawn != 1.0f)
            return QStringLiteral("slot %1 has Drawn = %2").arg(k).arg(ShownFloat(shown.Drawn));
        const std::array<std::pair<const char *, std::pair<float, float>>, 6> fields = {{
            {"Drawn", {shown.Drawn, expected.Drawn}},
            {"A", {shown.A, expected.A}},
            {"B", {shown.B, expected.B}},
            {"C", {shown.C, expected.C}},
            {"From", {shown.From, expected.From}},
            {"To", {shown.To, expected.To}},
        }};
        for (const auto &[field, values] : fields) {
            if (!SameFloat(values.first, values.second))
                return QStringLiteral("slot %1 %2 is %3, expected %4")
                    .arg(k)
                    .arg(QLatin1String(field))
                    .arg(ShownFloat(values.first), ShownFloat(values.second));
        }
    }
    const PlaneView &view = form.Contents().View();
    if (view.GridUnit != model.gridUnit || view.OriginX != 300 || view.OriginY != 300)
        return QStringLiteral("view is origin (%1, %2) unit %3, expected unit %4")
            .arg(view.OriginX)
            .arg(view.OriginY)
            .arg(view.GridUnit)
            .arg(model.gridUnit);
    if (captionTop != model.captionTop)
        return QStringLiteral("range caption top is %1, expected %2")
            .arg(captionTop)
            .arg(model.captionTop);
    for (int n = 1; n <= 5; ++n) {
        if (boxes.at(n - 1) != model.Box(n).text)
            return QStringLiteral("%1 holds %2, expected %3")
                .arg(BoxName(n), Shown(boxes.at(n - 1)), Shown(model.Box(n).text));
    }
    if (focus != model.focus)
        return QStringLiteral("focus is on %1, expected %2").arg(focus, model.focus);
    if (form.Contents().MarksShown() != model.marks ||
        form.Contents().CanUndo() != model.CanUndo() ||
        form.Contents().CanRedo() != model.CanRedo())
        return QStringLiteral("marks shown %1, undo %2, redo %3; expected %4, %5, %6")
            .arg(form.Contents().MarksShown())
            .arg(form.Contents().CanUndo())
            .arg(form.Contents().CanRedo())
            .arg(model.marks)
            .arg(model.CanUndo())
            .arg(model.CanRedo());
    return {};
}

// Checks the words by substitution, in long double, on the decimals the
// boxes show; far or ill-conditioned cases only need the right kind.
inline bool AgreesWithTheEquations(const QString &words, const LineSlot &p, const LineSlot &q)
{
    using Real = long double;
    const auto shown = [](float v) { return static_cast<Real>(ReadNumber(NumberText(v))); };
    const Real a1 = shown(p.A), b1 = shown(p.B), c1 = shown(p.C);
    const Real a2 = shown(q.A), b2 = shown(q.B), c2 = shown(q.C);
    const Real det = a1 * b2 - a2 * b1;
    const Real scale = std::fabs(a1 * b2) + std::fabs(a2 * b1);
    const bool sameDirection = std::fabs(det) <= 1e-12L * scale;
    if (words.endsWith(QStringLiteral("は平行で交わりません")) ||
        words.endsWith(QStringLiteral("は同じ直線です")))
        return sameDirection;
    const qsizetype open = words.indexOf(QStringLiteral("の交点 ("));
    const qsizetype comma = words.indexOf(QStringLiteral(", "), open);
    const qsizetype close = words.indexOf(QLatin1Char(')'), comma);
    if (open < 0 || comma < 0 || close < 0)
        return false;
    const auto number = [](QString text) {
        text.remove(QStringLiteral("≈"));
        const qsizetype slash = text.indexOf(QLatin1Char('/'));
        if (slash < 0)
            return static_cast<Real>(ValOf(text));
        return static_cast<Real>(ValOf(text.left(slash))) /
               static_cast<Real>(ValOf(text.mid(slash + 1)));
    };
    const Real x = number(words.mid(open + 5, comma - open - 5));
    const Real y = number(words.mid(comma + 2, close - comma - 2));
    // A rounded coordinate is written from the nearest single, which below
    // the single's normal range is off by up to half its smallest step.
    const Real step = std::ldexp(1.0L, -150);
    const auto fits = [&](Real a, Real b, Real c) {
        const Real size = std::fabs(a * x) + std::fabs(b * y) + std::fabs(c);
        const Real slack = (std::fabs(a) + std::fabs(b)) * step;
        return std::fabs(a * x + b * y - c) <= 1e-6L * size + slack + 1e-30L;
    };
    return !sameDirection && fits(a1, b1, c1) && fits(a2, b2, c2);
}

// Counts of what a run did and checked.
struct PupilCounts {
    long gestures = 0;
    long draws = 0;   // pictures compared after a line was drawn over them
    long redraws = 0; // pictures compared after a full redraw
    long hostileTyped = 0;
    long historyKeys = 0;
    long copies = 0;
    long crossingsChecked = 0;
};

// The words that go with a copied picture: the plane and the lines by
// name, then with the marks shown one sentence per pair of lines, each
// checked against the equations.
inline QString CheckCopiedText(const QString &text, const PupilModel &model, PupilCounts &counts)
{
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList head{model.PlaneWords()};
    for (int k = 0; k < LineTable::SlotCount; ++k)
        if (model.slots[static_cast<std::size_t>(k)].Drawn == 1.0f)
            head << PupilModel::LineWord(k) + QStringLiteral(": …");
    if (head.size() == 1)
        head << QStringLiteral("直線なし");
    bool starts = lines.size() >= head.size();
    for (qsizetype n = 0; starts && n < head.size(); ++n)
        starts = SaysAsExpected(lines[n], head[n]);
    if (!starts)
        return QStringLiteral("copied text %1 does not start with %2")
            .arg(Shown(lines.join(QLatin1Char('|'))), Shown(head.join(QLatin1Char('|'))));
    ++counts.copies;
    const QStringList said = lines.mid(head.size());
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < SlotButtonCount && model.marks; ++i)
        for (int j = i + 1; j < SlotButtonCount; ++j)
            if (model.TakesPart(i) && model.TakesPart(j))
                pairs.emplace_back(i, j);
    if (said.size() != static_cast<qsizetype>(pairs.size()))
        return QStringLiteral("%1 crossings listed for %2 pairs: %3")
            .arg(said.size())
            .arg(pairs.size())
            .arg(Shown(said.join(QLatin1Char('|'))));
    for (std::size_t n = 0; n < pairs.size(); ++n) {
        const auto [i, j] = pairs[n];
        const QString &words = said[static_cast<qsizetype>(n)];
        const LineSlot &p = model.slots[static_cast<std::size_t>(i)];
        const LineSlot &q = model.slots[static_cast<std::size_t>(j)];
        if (!words.startsWith(PupilModel::LineWord(i) + QStringLiteral("と") +
                              PupilModel::LineWord(j)) ||
            !AgreesWithTheEquations(words, p, q))
            return QStringLiteral("crossing of slots %1 and %2 said as %3")
                .arg(i)
                .arg(j)
                .arg(words);
        ++counts.crossingsChecked;
    }
    return {};
}

// What is under test, as the pupil drives it.
class PupilDriver {
public:
    virtual ~PupilDriver() = default;
    // A click on a control, by its name.
    virtual void Click(const QString &control) = 0;
    // A key, with its modifiers, on the control that has the focus.
    virtual void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) = 0;
    // Types text into a box key by key, as FormHarness::Type does.
    virtual void Type(const QString &box, const QString &text) = 0;
    // The name of the control that has the focus.
    virtual QString FocusedName() const = 0;
    // The first difference from the model after a gesture, or nothing.
    virtual QString Check(const PupilModel &model, PupilCounts &counts) = 0;
    // The same after Ctrl+C, for what was copied.
    virtual QString CheckCopy(const PupilModel &model, PupilCounts &counts) = 0;
    // Runs after each action, the given number of them done; may find a
    // difference too.
    virtual QString AfterAction(long done, const PupilModel &model, PupilCounts &counts) = 0;
};

// Texts no pupil means to type, for the boxes: signs and points alone,
// numbers beyond the single range, radix prefixes, full-width forms, very
// long texts and control characters.
inline QStringList HostileTexts()
{
    QString digits;
    for (int i = 0; i < 2000; ++i)
        digits += QLatin1Char(static_cast<char>('0' + (i * 7 + 1) % 10));
    return Texts({"",           "0",      "-",       "abc",   "1E+39",
                  "-1E+39",     "3.4E38", "-3.4E38", "1E-45", "1E-38",
                  "&HFFFFFFFF", "&H8000", "&O777",   "1D3",   "1E999999999999",
                  ".",          "1.2.3",  "-0",      "１２",  "－３",
                  "1２",        "０",     "\u3000"}) +
           QStringList{digits, QString(400, QLatin1Char('9'))} +
           Texts({"\x01", "\x7f", "\x1b", "2\x02", "\x7f-4"});
}

// Makes random gestures through a driver, keeps the model in step and has
// the driver check against it after each one.
class RandomPupil {
public:
    RandomPupil(PupilDriver &driver, std::uint32_t seed)
        : driver_(driver)
        , seed_(seed)
        , random_(seed)
        , hostile_(HostileTexts())
    {
        std::vector<double> weights;
        for (const auto &action : actions_)
            weights.push_back(action.first);
        pick_ = std::discrete_distribution<std::size_t>(weights.begin(), weights.end());
    }

    // Runs the given number of actions; gives the first disagreement with the
    // model, or nothing.
    QString Run(long actions)
    {
        failure_ = driver_.Check(model_, counts_);
        if (failure_.isEmpty())
            failure_ = driver_.AfterAction(0, model_, counts_);
        while (failure_.isEmpty() && action_ < actions) {
            ++action_;
            OneAction();
            if (failure_.isEmpty())
                failure_ = driver_.AfterAction(action_, model_, counts_);
        }
        return failure_.isEmpty() ? QString() : Report(failure_);
    }

    int HostileTextCount() const { return static_cast<int>(hostile_.size()); }
    QString Statistics() const
    {
        return QStringLiteral("%1 gestures, pictures compared %2 times after drawing a line and "
                              "%3 after a full redraw, %4 hostile texts typed, %5 undo and redo "
                              "keys, %6 copies with %7 crossings checked")
            .arg(counts_.gestures)
            .arg(counts_.draws)
            .arg(counts_.redraws)
            .arg(counts_.hostileTyped)
            .arg(counts_.historyKeys)
            .arg(counts_.copies)
            .arg(counts_.crossingsChecked);
    }

private:
    static constexpr std::size_t recentKept = 20;

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    QString Report(const QString &failure) const
    {
        QString text = QStringLiteral("%1\nseed %2, action %3; replay with TOLVANE_SEED=%2 "
                                      "TOLVANE_ACTIONS=%3\nlast gestures, oldest first:")
                           .arg(failure)
                           .arg(seed_)
                           .arg(action_);
        for (const QString &line : recent_)
            text += QStringLiteral("\n  ") + line;
        text += QStringLiteral("\nmodel: slot %1, caption %2, focus %3, boxes")
                    .arg(model_.current)
                    .arg(model_.captionTop)
                    .arg(model_.focus);
        for (const ModelBox &box : model_.boxes)
            text += QLatin1Char(' ') + Shown(box.text);
        for (int k = 0; k < SlotButtonCount; ++k) {
            const LineSlot &slot = model_.slots[static_cast<std::size_t>(k)];
            if (slot.Drawn == 1.0f)
                text += QStringLiteral("\n  slot %1 holds %2 %3 %4 %5 %6")
                            .arg(k)
                            .arg(Shown(BoxShows(slot.A)), Shown(BoxShows(slot.B)),
                                 Shown(BoxShows(slot.C)), Shown(BoxShows(slot.From)),
                                 Shown(BoxShows(slot.To)));
        }
        return text;
    }

    // One gesture through the driver and the same on the model, then the
    // check.
    template <typename OnDriver, typename OnModel>
    void Gesture(const QString &what, OnDriver onDriver, OnModel onModel)
    {
        if (!failure_.isEmpty())
            return;
        ++counts_.gestures;
        recent_.push_back(QStringLiteral("#%1 %2").arg(action_).arg(what));
        if (recent_.size() > recentKept)
            recent_.pop_front();
        model_.change = PictureChange::None;
        model_.said.clear();
        onDriver();
        onModel();
        failure_ = driver_.Check(model_, counts_);
    }

    // A key on the focused control, named in the log as `name`.
    template <typename OnModel>
    void KeyGesture(const char *name, Qt::Key key, Qt::KeyboardModifiers modifiers, OnModel onModel)
    {
        Gesture(
            QStringLiteral("%1 on %2").arg(QLatin1String(name), driver_.FocusedName()),
            [&] { driver_.Key(key, modifiers); }, onModel);
    }

    // Each kind of action, with how often it comes.
    const std::array<std::pair<double, std::function<void()>>, 15> actions_{{
        {12, [this] { ClickSlot(Below(SlotButtonCount)); }},
        {6, [this] { Arrow(); }},
        {22, [this] { TypeInto(1 + Below(5), OrdinaryValue()); }},
        {7,
         [this] {
             ++counts_.hostileTyped;
             TypeInto(1 + Below(5), hostile_.at(Below(static_cast<int>(hostile_.size()))));
         }},
        {12, [this] { PressKey(Qt::Key_Return); }},
        {7, [this] { Tab(); }},
        {4, [this] { PressKey(Qt::Key_Space); }},
        {8, [this] { ClickButton(QStringLiteral("Command4")); }},
        {3, [this] { ClickButton(QStringLiteral("Command5")); }},
        {1, [this] { ClickButton(QStringLiteral("Command2")); }},
        {3, [this] { ClickButton(QStringLiteral("Command3(%1)").arg(Below(3))); }},
        {3, [this] { HistoryKey(Below(3) == 0); }},
        {1,
         [this] {
             KeyGesture("Ctrl+I", Qt::Key_I, Qt::ControlModifier, [&] { model_.ToggleMarks(); });
         }},
        {2, [this] { CopyPicture(); }},
        {3,
         [this] {
             KeyGesture("Backspace", Qt::Key_Backspace, Qt::NoModifier,
                        [&] { model_.Backspace(); });
         }},
    }};

    void OneAction() { actions_[pick_(random_)].second(); }

    QString OrdinaryValue()
    {
        static const char *const fixed[] = {"3", "-2", "0.5", "1E2", " 7"};
        switch (Below(5)) {
        case 0:
        case 1:
            return QLatin1String(fixed[Below(5)]);
        case 2:
        case 3:
            return QString::number(Below(21) - 10);
        default:
            return QString::number((Below(41) - 20) / 2.0);
        }
    }

    void ClickSlot(int index)
    {
        Gesture(
            QStringLiteral("click %1").arg(SlotName(index)),
            [&] { driver_.Click(SlotName(index)); },
            [&] {
                const bool fresh = index != model_.current;
                model_.MoveFocus(SlotName(index), Qt::MouseFocusReason);
                if (fresh)
                    model_.Select(index);
            });
    }

    void Arrow()
    {
        static constexpr Qt::Key keys[4] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        static constexpr const char *names[4] = {"Left", "Right", "Up", "Down"};
        static constexpr int steps[4] = {-1, 1, 4, 4};
        const int which = Below(4);
        // The arrows only work on a slot button with the focus; the selected
        // one takes it from a click.
        if (SlotNumber(model_.focus) < 0)
            ClickSlot(model_.current);
        const int from = model_.current;
        const int to = (from + steps[which] + SlotButtonCount) % SlotButtonCount;
        KeyGesture(names[which], keys[which], Qt::NoModifier, [&] {
            model_.MoveFocus(SlotName(to), Qt::OtherFocusReason);
            model_.Select(to);
        });
    }

    void TypeInto(int number, const QString &text)
    {
        Gesture(
            QStringLiteral("click %1").arg(BoxName(number)),
            [&] { driver_.Click(BoxName(number)); },
            [&] { model_.MoveFocus(BoxName(number), Qt::MouseFocusReason); });
        Gesture(
            QStringLiteral("Ctrl+A in %1").arg(BoxName(number)),
            [&] { driver_.Key(Qt::Key_A, Qt::ControlModifier); }, [&] { model_.SelectAll(); });
        Gesture(
            QStringLiteral("type %1 into %2").arg(Shown(text), BoxName(number)),
            [&] { driver_.Type(BoxName(number), text); },
            [&] {
                for (const QChar c : text)
                    model_.TypeKey(c);
            });
    }

    // Enter or Space on whatever has the focus. The end button is never
    // pressed: it would close the window under test, so Tab moves on instead.
    void PressKey(Qt::Key key)
    {
        const QString name = model_.focus;
        if (name == QLatin1String("Command1")) {
            Tab();
            return;
        }
        const bool enter = key == Qt::Key_Return;
        KeyGesture(enter ? "Enter" : "Space", key, Qt::NoModifier, [&] {
            const int box = BoxNumber(name);
            if (box && enter) {
                model_.MoveFocus(box < 5 ? BoxName(box + 1) : QStringLiteral("Command4"),
                                 Qt::OtherFocusReason);
            } else if (box) {
                model_.TypeKey(QLatin1Char(' '));
            } else if (IsPushButton(name)) {
                model_.Press(name);
            }
        });
    }

    // Undo or redo from wherever the focus is. A box with typing of its own
    // would undo that first, which the window's own tests check; here the
    // pupil clicks the selected slot button first.
    void HistoryKey(bool redo)
    {
        if (const int box = model_.FocusedBox(); box != 0 && model_.Box(box).typed)
            ClickSlot(model_.current);
        ++counts_.historyKeys;
        const bool shifted = redo && Below(2) == 0;
        const Qt::Key key = redo && !shifted ? Qt::Key_Y : Qt::Key_Z;
        const Qt::KeyboardModifiers modifiers =
            shifted ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
        KeyGesture(redo ? (shifted ? "Ctrl+Shift+Z" : "Ctrl+Y") : "Ctrl+Z", key, modifiers, [&] {
            if (redo)
                model_.Redo();
            else
                model_.Undo();
        });
    }

    void Tab()
    {
        KeyGesture("Tab", Qt::Key_Tab, Qt::NoModifier,
                   [&] { model_.MoveFocus(model_.NextTabStop(), Qt::TabFocusReason); });
    }

    // Ctrl+C on the plane, which a click focuses; what it copies is checked
    // on its own.
    void CopyPicture()
    {
        const QString surface = QStringLiteral("Picture1");
        if (model_.focus != surface)
            Gesture(
                QStringLiteral("click Picture1"), [&] { driver_.Click(surface); },
                [&] { model_.MoveFocus(surface, Qt::MouseFocusReason); });
        KeyGesture("Ctrl+C", Qt::Key_C, Qt::ControlModifier, [] {});
        if (failure_.isEmpty())
            failure_ = driver_.CheckCopy(model_, counts_);
    }

    void ClickButton(const QString &name)
    {
        Gesture(
            QStringLiteral("click %1").arg(name), [&] { driver_.Click(name); },
            [&] {
                model_.MoveFocus(name, Qt::MouseFocusReason);
                model_.Press(name);
            });
    }

    PupilDriver &driver_;
    std::uint32_t seed_;
    std::mt19937 random_;
    QStringList hostile_;
    std::discrete_distribution<std::size_t> pick_;
    PupilModel model_;
    PupilCounts counts_;
    std::deque<QString> recent_;
    QString failure_;
    long action_ = 0;
};

// A whole number from the environment, such as the seed or the number of
// actions, or the fallback.
template <typename T> T FromEnvironment(const char *name, T fallback)
{
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? static_cast<T>(value) : fallback;
}

// Runs a pupil through the driver, with TOLVANE_SEED and TOLVANE_ACTIONS
// taking the place of the defaults; gives the first disagreement with the
// model, or logs what the run did.
inline QString RunPupil(PupilDriver &driver, long defaultActions)
{
    const auto seed = FromEnvironment<std::uint32_t>("TOLVANE_SEED", 20240917u);
    const auto actions = FromEnvironment<long>("TOLVANE_ACTIONS", defaultActions);
    RandomPupil pupil(driver, seed);
    QElapsedTimer timer;
    timer.start();
    const QString failure = pupil.Run(actions);
    const qint64 ms = std::max<qint64>(timer.elapsed(), 1);
    if (failure.isEmpty())
        qInfo("seed %u: %ld actions in %lld ms, %lld a second (%s, %d hostile texts)", seed,
              actions, static_cast<long long>(ms), static_cast<long long>(actions * 1000 / ms),
              qPrintable(pupil.Statistics()), pupil.HostileTextCount());
    return failure;
}
