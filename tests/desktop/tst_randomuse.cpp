// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formharness.h"
#include "support/pictures.h"

#include "lines/linedrawing.h"
#include "lines/linehistory.h"
#include "form/sentences.h"
#include "runtime/vbnumber.h"
#include "desktop/imagecanvas.h"

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMimeData>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr qsizetype BoxMaxLength = 32767;
constexpr std::uint32_t defaultSeed = 20240917u;
constexpr long defaultActions = 20000;
constexpr std::size_t recentKept = 20;

QString SlotName(int index)
{
    return QStringLiteral("Option1(%1)").arg(index);
}

QString BoxName(int number)
{
    return QStringLiteral("Text%1").arg(number);
}

QString SizeName(int index)
{
    return QStringLiteral("Command3(%1)").arg(index);
}

// The number of the box a focus name stands for, 1 to 5, or 0.
int BoxNumber(const QString &name)
{
    return name.size() == 5 && name.startsWith(QLatin1String("Text")) ? name.at(4).digitValue() : 0;
}

int SlotNumber(const QString &name)
{
    return name.startsWith(QLatin1String("Option1(")) ? name.at(8).digitValue() : -1;
}

int SizeNumber(const QString &name)
{
    return name.startsWith(QLatin1String("Command3(")) ? name.at(9).digitValue() : -1;
}

bool IsPushButton(const QString &name)
{
    return name.startsWith(QLatin1String("Command"));
}

// Every control that can hold the focus, in the order Tab visits them. A slot
// button is a stop only while it is the selected one.
const std::array<const char *, 21> tabChain = {
    "Text1",       "Text2",      "Text3",      "Text4",      "Command4",    "Command5",
    "Option1(1)",  "Command2",   "Command1",   "Picture1",   "Command3(0)", "Command3(1)",
    "Command3(2)", "Option1(0)", "Option1(2)", "Option1(3)", "Option1(4)",  "Option1(5)",
    "Option1(6)",  "Option1(7)", "Text5",
};

// Shows a typed text in a log line: control characters escaped, long texts
// cut short with their length.
QString Shown(const QString &text)
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

QString ShownFloat(float value)
{
    return QStringLiteral("%1 (0x%2)")
        .arg(static_cast<double>(value), 0, 'g', 9)
        .arg(std::bit_cast<std::uint32_t>(value), 8, 16, QLatin1Char('0'));
}

bool SameFloat(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

QImage Rgb32(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// Empty when the two pictures agree; otherwise says where they differ and
// keeps both as files to look at.
QString CompareImages(const QImage &actualImage, const QImage &expectedImage, const QString &what)
{
    const QImage actual = Rgb32(actualImage);
    const QImage expected = Rgb32(expectedImage);
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
    const QString actualFile = QDir::temp().filePath(QStringLiteral("tst_randomuse-actual.png"));
    const QString expectedFile =
        QDir::temp().filePath(QStringLiteral("tst_randomuse-expected.png"));
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

// A line command as the history keeps it.
struct ModelStep {
    Slots before;
    Slots after;
    int slotBefore;
    int slotAfter;
};

// How the surface should have changed with the last gesture.
enum class PictureChange { None, LineAdded, Redrawn };

// The reference: what the window must show after each gesture, worked out
// from the rules of the lesson program alone.
class PupilModel {
public:
    PupilModel() { Redraw(); }

    std::array<LineSlot, LineTable::SlotCount> slots{};
    int current = 0;
    std::int16_t gridUnit = 22;
    int captionTop = CaptionHiddenTop;
    std::array<ModelBox, 5> boxes{};
    QString focus = QStringLiteral("Text1");
    bool marks = false;
    PictureChange change = PictureChange::None;

    PlaneView View() const { return ViewAt(gridUnit); }

    LineTable Table() const
    {
        LineTable table;
        for (int k = 0; k < LineTable::SlotCount; ++k)
            table.Slot(k) = slots[static_cast<std::size_t>(k)];
        return table;
    }

    ImageCanvas &Picture() { return *picture_; }
    ModelBox &Box(int number) { return boxes[static_cast<std::size_t>(number - 1)]; }
    const ModelBox &Box(int number) const { return boxes[static_cast<std::size_t>(number - 1)]; }
    int FocusedBox() const { return BoxNumber(focus); }

    bool IsTabStop(const QString &name) const
    {
        const int slot = SlotNumber(name);
        return slot < 0 || slot == current;
    }

    QString NextTabStop() const
    {
        const auto at = std::find_if(tabChain.begin(), tabChain.end(), [&](const char *name) {
            return focus == QLatin1String(name);
        });
        const auto start = static_cast<std::size_t>(at - tabChain.begin());
        for (std::size_t step = 1; step <= tabChain.size(); ++step) {
            const QString name = QLatin1String(tabChain[(start + step) % tabChain.size()]);
            if (IsTabStop(name))
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
            captionTop = vb::Val(text) == 0.0 ? CaptionShownTop : CaptionHiddenTop;
    }

    // One key as FormHarness::Type sends it to the focused box.
    void TypeKey(QChar c)
    {
        const int number = FocusedBox();
        if (number == 0)
            return;
        ModelBox &box = Box(number);
        if (c.unicode() == 0x7f) {
            // Sent as the Delete key: it removes a selection, and at the end
            // of the text there is nothing after the cursor to remove.
            if (box.allSelected) {
                box.allSelected = false;
                EditBox(number, QString());
            }
            return;
        }
        if (!c.isPrint())
            return;
        QString text = box.allSelected ? QString() : box.text;
        box.allSelected = false;
        if (text.size() < BoxMaxLength)
            text += c;
        EditBox(number, text);
    }

    void Backspace()
    {
        const int number = FocusedBox();
        if (number == 0)
            return;
        ModelBox &box = Box(number);
        const bool all = box.allSelected;
        box.allSelected = false;
        if (!box.text.isEmpty())
            EditBox(number, all ? QString() : box.text.chopped(1));
    }

    void SelectAll()
    {
        if (const int number = FocusedBox()) {
            Box(number).allSelected = true;
            Box(number).cursorAtEnd = true;
        }
    }

    // A slot that was not selected becomes the selected one.
    void Select(int index)
    {
        const LineSlot &slot = slots[static_cast<std::size_t>(index)];
        if (slot.Drawn == 1.0f) {
            const std::array<float, 5> values = {slot.A, slot.B, slot.C, slot.From, slot.To};
            for (int n = 1; n <= 5; ++n)
                WriteBox(n, vb::Str(values[static_cast<std::size_t>(n - 1)]));
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
        const auto read = [&](int n) { return vb::ToSingle(vb::Val(Box(n).text)); };
        slot = {1.0f, read(1), read(2), read(3), read(4), read(5)};
        const LineTable table = Table();
        // With the marks shown, every change draws the whole picture.
        if (marks) {
            Redraw();
        } else {
            DrawLineOn(*picture_, table, current, LineColor, View());
            change = PictureChange::LineAdded;
        }
        const int next = (current + 1) % SlotButtonCount;
        MoveFocus(SlotName(next), Qt::OtherFocusReason);
        Select(next);
        captionTop = CaptionHiddenTop;
        Record(before, drawn, drawn);
    }

    void Erase()
    {
        const Slots before = slots;
        slots[static_cast<std::size_t>(current)].Drawn = 0.0f;
        for (int n = 1; n <= 5; ++n)
            WriteBox(n, QString());
        Redraw();
        MoveFocus(QStringLiteral("Text1"), Qt::OtherFocusReason);
        captionTop = CaptionHiddenTop;
        Record(before, current, current);
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
        Record(before, selected, 0);
    }

    void ToggleMarks()
    {
        marks = !marks;
        Redraw();
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
    }

    void Redo()
    {
        if (done_ == history_.size())
            return;
        const ModelStep &step = history_[done_++];
        Restore(step.after, step.slotAfter);
    }

    void Size(int index)
    {
        gridUnit = PlaneUnits[static_cast<std::size_t>(index)];
        Redraw();
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

private:
    // A command that changed the table is a step; steps undone before it
    // are gone, and the oldest go beyond the history's depth.
    void Record(const Slots &before, int slotBefore, int slotAfter)
    {
        if (before == slots)
            return;
        history_.resize(done_);
        history_.push_back({before, slots, slotBefore, slotAfter});
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

    void Redraw()
    {
        picture_ = SurfaceDrawnAfresh(Table(), View(), marks);
        change = PictureChange::Redrawn;
    }

    std::unique_ptr<ImageCanvas> picture_;
    std::vector<ModelStep> history_;
    std::size_t done_ = 0;
};

QStringList HostileTexts()
{
    QString digits;
    for (int i = 0; i < 2000; ++i)
        digits += QLatin1Char(static_cast<char>('0' + (i * 7 + 1) % 10));
    return {
        QString(),
        QStringLiteral("0"),
        QStringLiteral("-"),
        QStringLiteral("abc"),
        QStringLiteral("1E+39"),
        QStringLiteral("-1E+39"),
        QStringLiteral("3.4E38"),
        QStringLiteral("-3.4E38"),
        QStringLiteral("1E-45"),
        QStringLiteral("1E-38"),
        QStringLiteral("&HFFFFFFFF"),
        QStringLiteral("&H8000"),
        QStringLiteral("&O777"),
        QStringLiteral("1D3"),
        QStringLiteral("1E999999999999"),
        QStringLiteral("."),
        QStringLiteral("1.2.3"),
        QStringLiteral("-0"),
        QStringLiteral("１２"),
        QStringLiteral("－３"),
        QStringLiteral("1２"),
        QStringLiteral("０"),
        QStringLiteral("\u3000"),
        digits,
        QString(400, QLatin1Char('9')),
        QStringLiteral("\x01"),
        QStringLiteral("\x7f"),
        QStringLiteral("\x1b"),
        QStringLiteral("2\x02"),
        QStringLiteral("\x7f-4"),
    };
}

// Drives a shown Form1 with random gestures and checks it against the model
// after each one.
class RandomPupil {
public:
    RandomPupil(FormHarness &harness, std::uint32_t seed)
        : h_(harness)
        , seed_(seed)
        , random_(seed)
        , hostile_(HostileTexts())
    {}

    // Runs the given number of actions; gives the first disagreement with the
    // model, or nothing.
    QString Run(long actions)
    {
        if (QString failure = Check(); !failure.isEmpty())
            return Report(failure);
        for (action_ = 1; action_ <= actions; ++action_) {
            OneAction();
            if (!failure_.isEmpty())
                return Report(failure_);
            // A real event loop runs between a pupil's gestures; let it
            // paint now and then as it would.
            if (action_ % 64 == 0)
                QCoreApplication::processEvents();
        }
        return {};
    }

    int HostileTextCount() const { return static_cast<int>(hostile_.size()); }
    QString Statistics() const
    {
        return QStringLiteral("%1 gestures, %2 lines drawn, %3 full redraws compared, "
                              "%4 hostile texts typed, %5 undo and redo keys, "
                              "%6 copies with %7 crossings checked")
            .arg(gestures_)
            .arg(draws_)
            .arg(redraws_)
            .arg(hostileTyped_)
            .arg(historyKeys_)
            .arg(copies_)
            .arg(crossingsChecked_);
    }

private:
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
                text +=
                    QStringLiteral("\n  slot %1 holds %2 %3 %4 %5 %6")
                        .arg(k)
                        .arg(Shown(vb::Str(slot.A)), Shown(vb::Str(slot.B)), Shown(vb::Str(slot.C)),
                             Shown(vb::Str(slot.From)), Shown(vb::Str(slot.To)));
        }
        return text;
    }

    QWidget *Focused() const { return QApplication::focusWidget(); }
    QString FocusedName() const
    {
        return Focused() ? Focused()->objectName() : QStringLiteral("(nothing)");
    }

    // One gesture on the window and the same on the model, then the check.
    void Gesture(const QString &what, const std::function<void()> &onWindow,
                 const std::function<void()> &onModel)
    {
        if (!failure_.isEmpty())
            return;
        ++gestures_;
        recent_.push_back(QStringLiteral("#%1 %2").arg(action_).arg(what));
        if (recent_.size() > recentKept)
            recent_.pop_front();
        model_.change = PictureChange::None;
        onWindow();
        onModel();
        failure_ = Check();
    }

    void OneAction()
    {
        switch (pick_(random_)) {
        case 0:
            ClickSlot(Below(SlotButtonCount));
            break;
        case 1:
            Arrow();
            break;
        case 2:
            TypeInto(1 + Below(5), OrdinaryValue());
            break;
        case 3:
            ++hostileTyped_;
            TypeInto(1 + Below(5), hostile_.at(Below(static_cast<int>(hostile_.size()))));
            break;
        case 4:
            PressKey(Qt::Key_Return);
            break;
        case 5:
            Tab();
            break;
        case 6:
            PressKey(Qt::Key_Space);
            break;
        case 7:
            ClickButton(QStringLiteral("Command4"));
            break;
        case 8:
            ClickButton(QStringLiteral("Command5"));
            break;
        case 9:
            ClickButton(QStringLiteral("Command2"));
            break;
        case 10:
            ClickButton(SizeName(Below(3)));
            break;
        case 11:
            HistoryKey(Below(3) == 0);
            break;
        case 12:
            ToggleMarks();
            break;
        case 13:
            CopyPicture();
            break;
        default:
            Backspace();
            break;
        }
    }

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
            [&] { h_.Click(h_.SlotButton(index)); },
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
        Gesture(
            QStringLiteral("%1 on %2").arg(QLatin1String(names[which]), FocusedName()),
            [&] { QTest::keyClick(Focused(), keys[which]); },
            [&] {
                model_.MoveFocus(SlotName(to), Qt::OtherFocusReason);
                model_.Select(to);
            });
    }

    void TypeInto(int number, const QString &text)
    {
        QLineEdit *box = h_.Box(number);
        Gesture(
            QStringLiteral("click %1").arg(BoxName(number)), [&] { h_.Click(box); },
            [&] { model_.MoveFocus(BoxName(number), Qt::MouseFocusReason); });
        Gesture(
            QStringLiteral("Ctrl+A in %1").arg(BoxName(number)),
            [&] { QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier); },
            [&] { model_.SelectAll(); });
        Gesture(
            QStringLiteral("type %1 into %2").arg(Shown(text), BoxName(number)),
            [&] { FormHarness::Type(box, text); },
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
        Gesture(
            QStringLiteral("%1 on %2")
                .arg(enter ? QLatin1String("Enter") : QLatin1String("Space"), FocusedName()),
            [&] { QTest::keyClick(Focused(), key); },
            [&] {
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
    // would undo that first, which the dedicated test checks; here the pupil
    // clicks the selected slot button first.
    void HistoryKey(bool redo)
    {
        if (const int box = model_.FocusedBox(); box != 0 && model_.Box(box).typed)
            ClickSlot(model_.current);
        ++historyKeys_;
        const bool shifted = redo && Below(2) == 0;
        const Qt::Key key = redo && !shifted ? Qt::Key_Y : Qt::Key_Z;
        const Qt::KeyboardModifiers modifiers =
            shifted ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier;
        Gesture(
            QStringLiteral("%1 on %2")
                .arg(redo ? (shifted ? QLatin1String("Ctrl+Shift+Z") : QLatin1String("Ctrl+Y"))
                          : QLatin1String("Ctrl+Z"),
                     FocusedName()),
            [&] { QTest::keyClick(Focused(), key, modifiers); },
            [&] {
                if (redo)
                    model_.Redo();
                else
                    model_.Undo();
            });
    }

    void Tab()
    {
        Gesture(
            QStringLiteral("Tab on %1").arg(FocusedName()),
            [&] { QTest::keyClick(Focused(), Qt::Key_Tab); },
            [&] { model_.MoveFocus(model_.NextTabStop(), Qt::TabFocusReason); });
    }

    void Backspace()
    {
        Gesture(
            QStringLiteral("Backspace on %1").arg(FocusedName()),
            [&] { QTest::keyClick(Focused(), Qt::Key_Backspace); }, [&] { model_.Backspace(); });
    }

    void ToggleMarks()
    {
        Gesture(
            QStringLiteral("Ctrl+I on %1").arg(FocusedName()),
            [&] { QTest::keyClick(Focused(), Qt::Key_I, Qt::ControlModifier); },
            [&] { model_.ToggleMarks(); });
    }

    // Ctrl+C on the plane, which a click focuses; what arrives on the
    // clipboard is checked on its own.
    void CopyPicture()
    {
        const QString surface = QStringLiteral("Picture1");
        if (model_.focus != surface)
            Gesture(
                QStringLiteral("click Picture1"), [&] { h_.Click(h_.Control(surface)); },
                [&] { model_.MoveFocus(surface, Qt::MouseFocusReason); });
        Gesture(
            QStringLiteral("Ctrl+C on %1").arg(FocusedName()),
            [&] { QTest::keyClick(Focused(), Qt::Key_C, Qt::ControlModifier); }, [] {});
        if (failure_.isEmpty())
            failure_ = CheckCopy();
    }

    void ClickButton(const QString &name)
    {
        Gesture(
            QStringLiteral("click %1").arg(name), [&] { h_.Click(h_.Button(name)); },
            [&] {
                model_.MoveFocus(name, Qt::MouseFocusReason);
                model_.Press(name);
            });
    }

    // The copied text: the plane and the lines, then with the marks shown
    // one sentence per pair of lines, each checked against the equations.
    QString CheckCopy()
    {
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        if (copied == nullptr || !copied->hasImage())
            return QStringLiteral("the clipboard holds no picture");
        if (QString difference =
                CompareImages(qvariant_cast<QImage>(copied->imageData()), model_.Picture().Image(),
                              QStringLiteral("copied picture"));
            !difference.isEmpty())
            return difference;
        const QStringList lines = copied->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList head = DescribePicture(model_.Table(), model_.View());
        if (lines.mid(0, head.size()) != head)
            return QStringLiteral("copied text %1 does not start with %2")
                .arg(Shown(lines.join(QLatin1Char('|'))), Shown(head.join(QLatin1Char('|'))));
        ++copies_;
        const QStringList said = lines.mid(head.size());
        std::vector<std::pair<int, int>> pairs;
        for (int i = 0; i < SlotButtonCount && model_.marks; ++i)
            for (int j = i + 1; j < SlotButtonCount; ++j)
                if (TakesPart(i) && TakesPart(j))
                    pairs.emplace_back(i, j);
        if (said.size() != static_cast<qsizetype>(pairs.size()))
            return QStringLiteral("%1 crossings listed for %2 pairs: %3")
                .arg(said.size())
                .arg(pairs.size())
                .arg(Shown(said.join(QLatin1Char('|'))));
        for (std::size_t n = 0; n < pairs.size(); ++n) {
            const auto [i, j] = pairs[n];
            const QString &words = said[static_cast<qsizetype>(n)];
            if (!words.startsWith(LineName(i) + QStringLiteral("と") + LineName(j)) ||
                !AgreesWithTheEquations(words, Line(i), Line(j)))
                return QStringLiteral("crossing of slots %1 and %2 said as %3")
                    .arg(i)
                    .arg(j)
                    .arg(words);
            ++crossingsChecked_;
        }
        return {};
    }

    const LineSlot &Line(int slot) const { return model_.slots[static_cast<std::size_t>(slot)]; }

    // A drawn slot with finite values and a or b not 0 is a line.
    bool TakesPart(int slot) const
    {
        const LineSlot &line = Line(slot);
        for (const float v : {line.A, line.B, line.C, line.From, line.To})
            if (!std::isfinite(v))
                return false;
        return line.IsDrawn() && (line.A != 0.0f || line.B != 0.0f);
    }

    // Checks the words by substitution, in long double, on the decimals the
    // boxes show; far or ill-conditioned cases only need the right kind.
    static bool AgreesWithTheEquations(const QString &words, const LineSlot &p, const LineSlot &q)
    {
        using Real = long double;
        const auto shown = [](float v) { return static_cast<Real>(vb::Val(vb::Str(v))); };
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
                return static_cast<Real>(vb::Val(text));
            return static_cast<Real>(vb::Val(text.left(slash))) /
                   static_cast<Real>(vb::Val(text.mid(slash + 1)));
        };
        const Real x = number(words.mid(open + 5, comma - open - 5));
        const Real y = number(words.mid(comma + 2, close - comma - 2));
        const auto fits = [&](Real a, Real b, Real c) {
            const Real size = std::fabs(a * x) + std::fabs(b * y) + std::fabs(c);
            return std::fabs(a * x + b * y - c) <= 1e-6L * size + 1e-30L;
        };
        return !sameDirection && fits(a1, b1, c1) && fits(a2, b2, c2);
    }

    QString Check()
    {
        Form1 &form = *h_.form;
        if (!form.isVisible())
            return QStringLiteral("the window has closed");

        int checked = 0;
        int checkedIndex = -1;
        for (int i = 0; i < SlotButtonCount; ++i) {
            if (h_.SlotButton(i)->isChecked()) {
                ++checked;
                checkedIndex = i;
            }
        }
        if (checked != 1)
            return QStringLiteral("%1 slot buttons are checked").arg(checked);
        const int slot = form.CurrentSlot();
        if (slot < 0 || slot >= SlotButtonCount)
            return QStringLiteral("CurrentSlot() is %1").arg(slot);
        if (slot != checkedIndex)
            return QStringLiteral("CurrentSlot() is %1 but %2 is checked")
                .arg(slot)
                .arg(SlotName(checkedIndex));
        if (slot != model_.current)
            return QStringLiteral("CurrentSlot() is %1, expected %2").arg(slot).arg(model_.current);
        for (int i = 0; i < SlotButtonCount; ++i) {
            const bool tabStop = (h_.SlotButton(i)->focusPolicy() & Qt::TabFocus) != 0;
            if (tabStop != (i == slot))
                return QStringLiteral("%1 %2 a Tab stop while %3 is selected")
                    .arg(SlotName(i), tabStop ? QLatin1String("is") : QLatin1String("is not"))
                    .arg(SlotName(slot));
        }

        for (int k = 0; k < LineTable::SlotCount; ++k) {
            const LineSlot &shown = form.Lines().Slot(k);
            const LineSlot &expected = model_.slots[static_cast<std::size_t>(k)];
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

        const PlaneView &view = form.View();
        if (view.GridUnit != model_.gridUnit || view.OriginX != 300 || view.OriginY != 300)
            return QStringLiteral("view is origin (%1, %2) unit %3, expected unit %4")
                .arg(view.OriginX)
                .arg(view.OriginY)
                .arg(view.GridUnit)
                .arg(model_.gridUnit);

        const int top = h_.Control<QLabel>(QStringLiteral("Label6(1)"))->y();
        if (top != model_.captionTop)
            return QStringLiteral("range caption top is %1, expected %2")
                .arg(top)
                .arg(model_.captionTop);

        for (int n = 1; n <= 5; ++n) {
            const QLineEdit *box = h_.Box(n);
            const ModelBox &expected = model_.Box(n);
            if (box->text() != expected.text)
                return QStringLiteral("%1 holds %2, expected %3")
                    .arg(BoxName(n), Shown(box->text()), Shown(expected.text));
            const bool selected =
                model_.FocusedBox() == n && expected.allSelected && !expected.text.isEmpty();
            if (box->hasSelectedText() != selected ||
                (expected.cursorAtEnd && box->cursorPosition() != box->text().size()))
                return QStringLiteral("%1 has selection %2 and cursor %3; expected selection %4 "
                                      "and the cursor at the end")
                    .arg(BoxName(n), Shown(box->selectedText()))
                    .arg(box->cursorPosition())
                    .arg(selected ? QLatin1String("of all") : QLatin1String("none"));
        }

        if (FocusedName() != model_.focus)
            return QStringLiteral("focus is on %1, expected %2").arg(FocusedName(), model_.focus);

        switch (model_.change) {
        case PictureChange::None:
            break;
        case PictureChange::LineAdded:
            ++draws_;
            return CompareImages(h_.Picture(), model_.Picture().Image(),
                                 QStringLiteral("picture after drawing a line"));
        case PictureChange::Redrawn:
            ++redraws_;
            return CompareImages(h_.Picture(), model_.Picture().Image(),
                                 QStringLiteral("picture after a full redraw"));
        }
        return {};
    }

    FormHarness &h_;
    std::uint32_t seed_;
    std::mt19937 random_;
    QStringList hostile_;
    // How often each kind of action comes, in the order OneAction lists them.
    std::discrete_distribution<int> pick_{
        12, // click a slot button
        6,  // an arrow key on the selected slot button
        22, // type an ordinary value into a box
        7,  // type a hostile text into a box
        12, // Enter
        7,  // Tab
        4,  // Space
        8,  // click draw
        3,  // click erase
        1,  // click reset
        3,  // click a plane size
        3,  // Ctrl+Z, or Ctrl+Y / Ctrl+Shift+Z
        1,  // Ctrl+I: show or hide the numbers and crossings
        2,  // copy the picture
        3,  // Backspace
    };
    PupilModel model_;
    std::deque<QString> recent_;
    QString failure_;
    long action_ = 0;
    long gestures_ = 0;
    long draws_ = 0;
    long redraws_ = 0;
    long hostileTyped_ = 0;
    long historyKeys_ = 0;
    long copies_ = 0;
    long crossingsChecked_ = 0;
};

template <typename T> T FromEnvironment(const char *name, T fallback)
{
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? static_cast<T>(value) : fallback;
}

} // namespace

// A pupil who clicks and types at random, checked after every gesture
// against a model of what the lesson program must show.
class TestRandomUse : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepareTestApplication(); }

    void randomPupilMatchesTheModel();
    void hostileValuesThenANormalLine_data();
    void hostileValuesThenANormalLine();
    void recallingAVerticalLineAfterADrawShowsTheYRange();
};

void TestRandomUse::randomPupilMatchesTheModel()
{
    const auto seed = FromEnvironment<std::uint32_t>("TOLVANE_SEED", defaultSeed);
    const auto actions = FromEnvironment<long>("TOLVANE_ACTIONS", defaultActions);
    FormHarness h;
    RandomPupil pupil(h, seed);
    QElapsedTimer timer;
    timer.start();
    const QString failure = pupil.Run(actions);
    if (!failure.isEmpty())
        QFAIL(qPrintable(failure));
    qInfo("seed %u: %ld actions (%s, %d hostile texts) in %lld ms", seed, actions,
          qPrintable(pupil.Statistics()), pupil.HostileTextCount(),
          static_cast<long long>(timer.elapsed()));
}

void TestRandomUse::hostileValuesThenANormalLine_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("longBox");
    QTest::addColumn<int>("slot");

    int slot = 0;
    const auto row = [&slot](const char *name, QStringList values, int longBox = 0) {
        QTest::newRow(name) << values << longBox << slot;
        slot = (slot + 3) % SlotButtonCount;
    };
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    const QString from = QStringLiteral("-5");
    const QString to = QStringLiteral("5");
    row("a = b = 0 by empty boxes", {QString(), QString(), QString(), QString(), QString()});
    row("a = 1E+39", {QStringLiteral("1E+39"), one, zero, from, to});
    row("b = -1E+39", {one, QStringLiteral("-1E+39"), zero, from, to});
    row("a = 3.4E38, b = 1E-38",
        {QStringLiteral("3.4E38"), QStringLiteral("1E-38"), zero, from, to});
    row("c = 1E-45", {one, one, QStringLiteral("1E-45"), from, to});
    row("b = 1E-45", {one, QStringLiteral("1E-45"), one, from, to});
    row("vertical at 1E45", {QStringLiteral("1E-45"), zero, one, from, to});
    row("&HFFFFFFFF everywhere", QStringList(5, QStringLiteral("&HFFFFFFFF")));
    row("&H8000 as a", {QStringLiteral("&H8000"), one, zero, from, to});
    row("range of 1E30", {one, one, zero, QStringLiteral("-1E30"), QStringLiteral("1E30")});
    row("range of 3.4E38", {one, one, zero, QStringLiteral("-3.4E38"), QStringLiteral("3.4E38")});
    row("range reversed and huge",
        {one, QStringLiteral("-1"), zero, QStringLiteral("1E38"), QStringLiteral("-1E38")});
    row("a point", {one, one, zero, QStringLiteral("2"), QStringLiteral("2")});
    row("100,000 digits in a", {QString(), one, zero, from, to}, 1);
    row("100,000 digits in b", {one, QString(), zero, from, to}, 2);
    row("100,000 digits in the range", {one, one, zero, QString(), to}, 4);
    row("full-width 1", {QStringLiteral("１"), QStringLiteral("１"), QStringLiteral("１"),
                         QStringLiteral("－５"), QStringLiteral("５")});
    row("mixed 1２", {QStringLiteral("1２"), one, zero, from, QStringLiteral("1２")});
    row("control characters", {QStringLiteral("\x01"), QStringLiteral("\x7f"),
                               QStringLiteral("\x1b"), QStringLiteral("-5\x02"),
                               QStringLiteral("\x7f"
                                              "5")});
    row("exponent beyond any range",
        {QStringLiteral("1E999999999999"), one, QStringLiteral("-1E999999999999"), from, to});
}

void TestRandomUse::hostileValuesThenANormalLine()
{
    QFETCH(QStringList, values);
    QFETCH(int, longBox);
    QFETCH(int, slot);

    FormHarness h;
    if (slot != 0)
        h.Click(h.SlotButton(slot));
    QCOMPARE(h.form->CurrentSlot(), slot);
    for (int n = 1; n <= 5; ++n) {
        QLineEdit *box = h.Box(n);
        h.Click(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (n == longBox) {
            // Typing 100,000 keys would take minutes; the text arrives in one
            // piece as a paste would bring it.
            QString digits;
            digits.reserve(100'000);
            for (int i = 0; i < 100'000; ++i)
                digits += QLatin1Char(static_cast<char>('1' + i % 9));
            box->insert(digits);
            QCOMPARE(box->text().size(), BoxMaxLength);
        } else {
            const QString typed = values.at(n - 1);
            FormHarness::Type(box, typed);
            QString kept;
            for (const QChar c : typed) {
                if (c.unicode() >= 0x20 && c.unicode() != 0x7f)
                    kept += c;
            }
            QCOMPARE(box->text(), kept);
        }
    }
    std::array<float, 5> expected{};
    for (int n = 1; n <= 5; ++n)
        expected[static_cast<std::size_t>(n - 1)] = vb::ToSingle(vb::Val(h.Box(n)->text()));
    h.Click(h.Button(QStringLiteral("Command4")));

    const LineSlot &stored = h.form->Lines().Slot(slot);
    QVERIFY(stored.IsDrawn());
    QVERIFY(SameFloat(stored.A, expected[0]));
    QVERIFY(SameFloat(stored.B, expected[1]));
    QVERIFY(SameFloat(stored.C, expected[2]));
    QVERIFY(SameFloat(stored.From, expected[3]));
    QVERIFY(SameFloat(stored.To, expected[4]));
    const int next = (slot + 1) % SlotButtonCount;
    QCOMPARE(h.form->CurrentSlot(), next);
    QCOMPARE(QApplication::focusWidget(), h.Box(1));

    h.TypeFirstLine();
    QCOMPARE(QApplication::focusWidget(), h.Button(QStringLiteral("Command4")));
    h.Click(h.Button(QStringLiteral("Command4")));
    QVERIFY(h.form->Lines().Slot(next).IsDrawn());
    // x + 2y = 4 from x = -2 to 6 runs from pixel (256, 234) to (432, 322).
    QCOMPARE(h.PixelAt(256, 234), LineBlue);
    QCOMPARE(h.PixelAt(432, 322), LineBlue);

    h.Click(h.Button(QStringLiteral("Command3(1)")));
    QCOMPARE(h.PixelAt(256, 234), LineBlue);
    QCOMPARE(h.PixelAt(432, 322), LineBlue);
    const QString difference =
        CompareImages(h.Picture(), PictureDrawnAfresh(h.form->Lines(), h.form->View()),
                      QStringLiteral("picture after the redraw"));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// The first disagreement the random pupil found, cut down to its steps. The
// b box is written with the text it already holds, which Qt does not report
// as a change, so the caption stays where the draw command left it.
void TestRandomUse::recallingAVerticalLineAfterADrawShowsTheYRange()
{
    FormHarness h;
    const auto caption = [&] { return h.Control<QLabel>(QStringLiteral("Label6(1)"))->y(); };
    for (const char *c : {"2", "-2"}) {
        h.TypeLine({QStringLiteral("1"), QStringLiteral("0"), QLatin1String(c),
                    QStringLiteral("-1"), QStringLiteral("1")});
        h.Click(h.Button(QStringLiteral("Command4")));
    }
    h.Click(h.SlotButton(0));
    QCOMPARE(h.Box(2)->text(), QStringLiteral(" 0"));
    QCOMPARE(caption(), CaptionShownTop);
    // Drawing moves on to the second vertical line and hides the caption.
    h.Click(h.Button(QStringLiteral("Command4")));
    QCOMPARE(h.form->CurrentSlot(), 1);
    QCOMPARE(h.Box(2)->text(), QStringLiteral(" 0"));
    QCOMPARE(caption(), CaptionHiddenTop);

    h.Click(h.SlotButton(0));
    QCOMPARE(h.form->CurrentSlot(), 0);
    QCOMPARE(h.Box(2)->text(), QStringLiteral(" 0"));
    QCOMPARE(caption(), CaptionShownTop);
}

QTEST_MAIN(TestRandomUse)
#include "tst_randomuse.moc"
