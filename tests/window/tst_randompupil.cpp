// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/pupilmodel.h"
#include "support/switchedcanvas.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Without a window a gesture costs microseconds, so the pupil can make many.
// The sanitizers slow every step down several times over.
#if defined(__SANITIZE_ADDRESS__)
constexpr long defaultActions = 100000;
#else
constexpr long defaultActions = 200000;
#endif
// Drawing is what costs, so the picture is followed only over the last
// actions before every checkpoint, starting from a full redraw on both sides.
constexpr long pictureEvery = 500;
constexpr long pictureFollowed = 25;

// Makes each gesture as the window passes it on to the core: a click focuses
// and presses, a key goes to the box's key handler before the box's own
// editing, which is played here as the window's boxes edit.
class CoreDriver final : public PupilDriver {
public:
    explicit CoreDriver(long actions)
        : actions_(actions)
    {
        for (std::size_t i = 0; i < ControlCount; ++i) {
            names_[i] = Q(ControlName(static_cast<int>(i)));
            if (FormLayout()[i].tabIndex != NoTabStop)
                tabOrder_.push_back(static_cast<int>(i));
        }
        // Tab visits the controls in the order of their tab indices.
        std::sort(tabOrder_.begin(), tabOrder_.end(),
                  [](int a, int b) { return Layout(a).tabIndex < Layout(b).tabIndex; });
    }

    QString FocusedName() const override { return names_.at(Focus()); }

    void Click(const QString &name) override
    {
        const int control = Number(name);
        form_.FocusedBy(control);
        selected_ = -1;
        if (Layout(control).Kind() == ControlKind::Button ||
            Layout(control).Kind() == ControlKind::Option)
            Run([&] { return form_.Press(control); }, control);
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) override
    {
        const int focus = Focus();
        const bool box = IsBox(focus);
        const ControlKind kind = Layout(focus).Kind();
        if (modifiers & Qt::ControlModifier) {
            // Ctrl+C changes nothing; what it copies is read in CheckCopy.
            if (key == Qt::Key_A && box)
                SelectAll(focus);
            else if (key == Qt::Key_Z && !(modifiers & Qt::ShiftModifier))
                Run([&] { return form_.Undo(); });
            else if (key == Qt::Key_Y || key == Qt::Key_Z)
                Run([&] { return form_.Redo(); });
            else if (key == Qt::Key_I)
                Run([&] { return form_.ShowMarks(!form_.Contents().MarksShown()); });
        } else if (key == Qt::Key_Tab) {
            Tab();
        } else if (box && key == Qt::Key_Return) {
            Run([&] { return form_.KeyPress(focus, 13); });
        } else if (box && key == Qt::Key_Space) {
            Char(focus, QLatin1Char(' '));
        } else if (box && key == Qt::Key_Backspace) {
            Run([&] { return form_.KeyPress(focus, 8); });
            bool all = AllSelected(focus);
            selected_ = -1;
            Edit(focus, AfterBackspace(Text(focus), all));
        } else if ((key == Qt::Key_Space && kind == ControlKind::Option) ||
                   ((key == Qt::Key_Space || key == Qt::Key_Return) &&
                    kind == ControlKind::Button)) {
            // Space presses a button or a slot button; Enter only a button.
            Run([&] { return form_.Press(focus); }, focus);
        } else if (key >= Qt::Key_Left && key <= Qt::Key_Down) {
            // Qt numbers the arrows Left, Up, Right, Down.
            static constexpr std::array<int, 4> dx = {-1, 0, 1, 0};
            static constexpr std::array<int, 4> dy = {0, -1, 0, 1};
            const auto n = static_cast<std::size_t>(key - Qt::Key_Left);
            Run([&] { return form_.Arrow(focus, dx.at(n), dy.at(n)); });
        }
    }

    void Type(const QString &box, const QString &text) override
    {
        for (const QChar c : text)
            Char(Number(box), c);
    }

    QString Check(const PupilModel &model, PupilCounts &) override
    {
        if (!failure_.isEmpty())
            return failure_;
        for (int i = 0; i < SlotButtonCount; ++i) {
            const auto button =
                form_.Control(controls::SlotButtons.at(static_cast<std::size_t>(i)));
            if (button.checked != (i == model.current) || button.tabStop != button.checked)
                return QStringLiteral("%1 is checked: %2, a Tab stop: %3, while %4 is selected")
                    .arg(SlotName(i))
                    .arg(button.checked)
                    .arg(button.tabStop)
                    .arg(SlotName(model.current));
        }
        QStringList boxes;
        for (int n = 0; n < 5; ++n)
            boxes << Q(form_.BoxText(n));
        if (QString difference = CompareWithModel(
                model, form_, form_.Control(controls::RangeCaptions[1]).top, boxes, FocusedName());
            !difference.isEmpty())
            return difference;
        if (!SaysAsExpected(said_, model.said))
            return QStringLiteral("announced \"%1\", expected \"%2\"").arg(said_, model.said);
        // What the surface was asked to draw; the core and the model both list
        // nothing, one line and everything, in that order.
        const auto asked = static_cast<int>(drawing_);
        const auto expected = static_cast<int>(model.change);
        if (asked != expected || (asked == 1 && line_ != model.drawnSlot))
            return QStringLiteral("the surface was asked to draw %1 (slot %2), expected %3 "
                                  "(slot %4), counting nothing, a line, everything")
                .arg(asked)
                .arg(line_)
                .arg(expected)
                .arg(model.drawnSlot);
        drawing_ = Window::Drawing::None;
        said_.clear();
        if (following_)
            picture_.Follow(model);
        return {};
    }

    QString CheckCopy(const PupilModel &model, PupilCounts &counts) override
    {
        return CheckCopiedText(Q(form_.CopyText()), model, counts);
    }

    // Compares the picture at every checkpoint and at the end, after
    // following it over the actions before, from a full redraw on both sides.
    QString AfterAction(long done, const PupilModel &model, PupilCounts &counts) override
    {
        QString difference;
        if (following_ && (done % pictureEvery == 0 || done == actions_)) {
            following_ = false;
            switched_.on = false;
            ++(last_ == Window::Drawing::Line ? counts.draws : counts.redraws);
            difference = CompareImages(canvas_.Image(), picture_.Image(),
                                       QStringLiteral("picture after the last few actions"),
                                       QStringLiteral("tst_randompupil"));
        }
        const long next = std::min((done / pictureEvery + 1) * pictureEvery, actions_);
        if (!following_ && next > done && next - done <= pictureFollowed) {
            following_ = true;
            last_ = Window::Drawing::Whole;
            switched_.on = true;
            form_.Redraw();
            picture_.Start(model);
        }
        return difference;
    }

private:
    static const ControlLayout &Layout(int control)
    {
        return FormLayout()[static_cast<std::size_t>(control)];
    }
    static bool IsBox(int control) { return Layout(control).Kind() == ControlKind::Box; }
    int Focus() const { return form_.Focus(); }
    int Number(const QString &name) const
    {
        return static_cast<int>(std::find(names_.begin(), names_.end(), name) - names_.begin());
    }
    QString Text(int box) const
    {
        const auto at = std::find(controls::Boxes.begin(), controls::Boxes.end(), box);
        return Q(form_.BoxText(static_cast<int>(at - controls::Boxes.begin())));
    }

    // The focused box's whole text stays selected until the box loses the
    // focus or the program writes it, which puts the cursor at the end.
    bool AllSelected(int box) const
    {
        return selected_ == box && Focus() == box && form_.Control(box).writes == selectedWrites_;
    }
    void SelectAll(int box)
    {
        selected_ = box;
        selectedWrites_ = form_.Control(box).writes;
    }

    // A character typed into a box: its key handler first, then the box's
    // editing, which the core hears of only when the text changed.
    void Char(int box, QChar c)
    {
        Run([&] { return form_.KeyPress(box, static_cast<std::int16_t>(c.unicode())); });
        bool all = AllSelected(box);
        const QString text = AfterKey(Text(box), all, c);
        selected_ = all ? box : -1;
        Edit(box, text);
    }
    void Edit(int box, const QString &text)
    {
        if (text != Text(box))
            Run([&] { return form_.Edit(box, text.toStdString()); });
    }

    // From the focus on to the next control that is a Tab stop now; a box
    // reached by Tab selects its whole text.
    void Tab()
    {
        const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), Focus());
        const auto start = static_cast<std::size_t>(at - tabOrder_.begin());
        for (std::size_t step = 1; step <= tabOrder_.size(); ++step) {
            const int next = tabOrder_[(start + step) % tabOrder_.size()];
            if (form_.Control(next).tabStop) {
                form_.FocusedBy(next);
                if (IsBox(next))
                    SelectAll(next);
                return;
            }
        }
    }

    // Runs one event and takes what it asks of the face. The window moves
    // the focus only when told, except to the control a click or key
    // pressed, which has it already.
    template <typename Event> void Run(Event event, int pressed = -1)
    {
        const int before = Focus();
        const Window::Outcome outcome = event();
        if (Focus() != before && Focus() != pressed && !outcome.focusMoved && failure_.isEmpty())
            failure_ =
                QStringLiteral("the core moved the focus from %1 to %2 without telling the face")
                    .arg(names_.at(before), FocusedName());
        if (outcome.ended && failure_.isEmpty())
            failure_ = QStringLiteral("the program ended");
        // The core lists its drawings from the least to the most, and a whole
        // redraw holds any line drawn in the same gesture.
        if (outcome.drawn > drawing_) {
            drawing_ = outcome.drawn;
            line_ = outcome.line;
        }
        if (!outcome.announcement.empty())
            said_ = Q(outcome.announcement);
        if (following_ && outcome.drawn != Window::Drawing::None)
            last_ = outcome.drawn;
    }

    ImageCanvas canvas_{SurfaceSize, SurfaceSize, SurfaceYellow};
    SwitchedCanvas switched_{canvas_};
    Window form_{switched_};
    long actions_;
    std::array<QString, ControlCount> names_;
    std::vector<int> tabOrder_;
    int selected_ = -1; // the box whose whole text is selected
    unsigned selectedWrites_ = 0;
    // A face draws the whole picture as it opens.
    Window::Drawing drawing_ = Window::Drawing::Whole;
    int line_ = -1;
    QString said_;
    QString failure_;
    // The picture is followed over the last actions before a checkpoint.
    bool following_ = false;
    Window::Drawing last_ = Window::Drawing::None;
    ModelPicture picture_;
};

} // namespace

// A pupil who clicks and types at random on the core alone, many times
// faster than through a window, checked after every gesture against a model
// of what the lesson program must show.
class TestRandomPupil : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomPupilMatchesTheModel();
};

void TestRandomPupil::randomPupilMatchesTheModel()
{
    const long actions = FromEnvironment<long>("TOLVANE_ACTIONS", defaultActions);
    CoreDriver driver(actions);
    const QString failure = RunPupil(driver, actions);
    if (!failure.isEmpty())
        QFAIL(qPrintable(failure));
}

QTEST_MAIN(TestRandomPupil)
#include "tst_randompupil.moc"
