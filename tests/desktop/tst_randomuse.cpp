// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formharness.h"
#include "support/pupilmodel.h"

#include <QClipboard>
#include <QLabel>
#include <QMimeData>

namespace {

constexpr long defaultActions = 20000;
const QString testName = QStringLiteral("tst_randomuse");

// Makes each gesture on the shown window with the mouse and the keyboard,
// and reads back the widgets, the focus and the pixels.
class WindowDriver final : public PupilDriver {
public:
    explicit WindowDriver(FormHarness &harness)
        : h_(harness)
    {}

    QString FocusedName() const override
    {
        return Focused() ? Focused()->objectName() : QStringLiteral("(nothing)");
    }
    void Click(const QString &control) override { h_.Click(h_.Control(control)); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) override
    {
        QTest::keyClick(Focused(), key, modifiers);
    }
    void Type(const QString &box, const QString &text) override
    {
        FormHarness::Type(h_.Control(box), text);
    }

    QString Check(const PupilModel &model, PupilCounts &counts) override
    {
        if (!h_.form->isVisible())
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
        const int slot = h_.Core().Contents().Selected();
        if (slot != checkedIndex)
            return QStringLiteral("CurrentSlot() is %1 but %2 is checked")
                .arg(slot)
                .arg(SlotName(checkedIndex));
        for (int i = 0; i < SlotButtonCount; ++i) {
            const bool tabStop = (h_.SlotButton(i)->focusPolicy() & Qt::TabFocus) != 0;
            if (tabStop != (i == slot))
                return QStringLiteral("%1 %2 a Tab stop while %3 is selected")
                    .arg(SlotName(i), tabStop ? QLatin1String("is") : QLatin1String("is not"))
                    .arg(SlotName(slot));
        }

        if (QString difference = CompareWithModel(
                model, h_.Core(), h_.Control<QLabel>(QStringLiteral("Label6(1)"))->y(),
                h_.BoxTexts(), FocusedName());
            !difference.isEmpty())
            return difference;

        for (int n = 1; n <= 5; ++n) {
            const QLineEdit *box = h_.Box(n);
            const ModelBox &expected = model.Box(n);
            const bool selected =
                model.FocusedBox() == n && expected.allSelected && !expected.text.isEmpty();
            if (box->hasSelectedText() != selected ||
                (expected.cursorAtEnd && box->cursorPosition() != box->text().size()))
                return QStringLiteral("%1 has selection %2 and cursor %3; expected selection %4 "
                                      "and the cursor at the end")
                    .arg(BoxName(n), Shown(box->selectedText()))
                    .arg(box->cursorPosition())
                    .arg(selected ? QLatin1String("of all") : QLatin1String("none"));
        }

        picture_.Follow(model);
        if (model.change != PictureChange::None) {
            const bool line = model.change == PictureChange::LineAdded;
            ++(line ? counts.draws : counts.redraws);
            if (QString difference =
                    CompareImages(h_.Picture(), picture_.Image(),
                                  line ? QStringLiteral("picture after drawing a line")
                                       : QStringLiteral("picture after a full redraw"),
                                  testName);
                !difference.isEmpty())
                return difference;
        }
        return {};
    }

    // A real event loop runs between a pupil's gestures; let it paint now
    // and then as it would.
    QString AfterAction(long done, const PupilModel &, PupilCounts &) override
    {
        if (done % 64 == 0)
            QCoreApplication::processEvents();
        return {};
    }

    // The clipboard holds the picture as shown and the words that go with it.
    QString CheckCopy(const PupilModel &model, PupilCounts &counts) override
    {
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        if (copied == nullptr || !copied->hasImage())
            return QStringLiteral("the clipboard holds no picture");
        if (QString difference =
                CompareImages(qvariant_cast<QImage>(copied->imageData()), picture_.Image(),
                              QStringLiteral("copied picture"), testName);
            !difference.isEmpty())
            return difference;
        return CheckCopiedText(copied->text(), model, counts);
    }

private:
    static QWidget *Focused() { return QApplication::focusWidget(); }

    FormHarness &h_;
    ModelPicture picture_;
};

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
    FormHarness h;
    WindowDriver driver(h);
    const QString failure = RunPupil(driver, defaultActions);
    if (!failure.isEmpty())
        QFAIL(qPrintable(failure));
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
    QCOMPARE(h.Core().Contents().Selected(), slot);
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
        expected[static_cast<std::size_t>(n - 1)] = ToSingle(ValOf(h.Box(n)->text()));
    h.Click(h.Button(QStringLiteral("Command4")));

    const LineSlot &stored = h.Core().Contents().Lines().Slot(slot);
    QVERIFY(stored.IsDrawn());
    QVERIFY(SameFloat(stored.A, expected[0]));
    QVERIFY(SameFloat(stored.B, expected[1]));
    QVERIFY(SameFloat(stored.C, expected[2]));
    QVERIFY(SameFloat(stored.From, expected[3]));
    QVERIFY(SameFloat(stored.To, expected[4]));
    const int next = (slot + 1) % SlotButtonCount;
    QCOMPARE(h.Core().Contents().Selected(), next);
    QCOMPARE(QApplication::focusWidget(), h.Box(1));

    h.TypeFirstLine();
    QCOMPARE(QApplication::focusWidget(), h.Button(QStringLiteral("Command4")));
    h.Click(h.Button(QStringLiteral("Command4")));
    QVERIFY(h.Core().Contents().Lines().Slot(next).IsDrawn());
    // x + 2y = 4 from x = -2 to 6 runs from pixel (256, 234) to (432, 322).
    QCOMPARE(h.PixelAt(256, 234), LineBlue);
    QCOMPARE(h.PixelAt(432, 322), LineBlue);

    h.Click(h.Button(QStringLiteral("Command3(1)")));
    QCOMPARE(h.PixelAt(256, 234), LineBlue);
    QCOMPARE(h.PixelAt(432, 322), LineBlue);
    const QString difference = CompareImages(
        h.Picture(), PictureDrawnAfresh(h.Core().Contents().Lines(), h.Core().Contents().View()),
        QStringLiteral("picture after the redraw"), testName);
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
    QCOMPARE(h.Core().Contents().Selected(), 1);
    QCOMPARE(h.Box(2)->text(), QStringLiteral(" 0"));
    QCOMPARE(caption(), CaptionHiddenTop);

    h.Click(h.SlotButton(0));
    QCOMPARE(h.Core().Contents().Selected(), 0);
    QCOMPARE(h.Box(2)->text(), QStringLiteral(" 0"));
    QCOMPARE(caption(), CaptionShownTop);
}

QTEST_MAIN(TestRandomUse)
#include "tst_randomuse.moc"
