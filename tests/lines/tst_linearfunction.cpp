// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The line being typed as a linear function: the panel's lines as the
// clipboard gets them, the slope triangle at each plane size, and the window
// following the typing.

#include "lines/linearfunction.h"
#include "lines/slopetriangle.h"
#include "runtime/numbers.h"
#include "support/coreharness.h"
#include "support/recordingcanvas.h"
#include "window/sentences.h"

#include <QtTest>

namespace {

// The five box texts, "a|b|c|from|to", as the draw button reads them.
LineSlot Typed(const QString &boxes)
{
    const QStringList texts = boxes.split(QLatin1Char('|'));
    const auto read = [&texts](int n) { return ToSingle(ReadNumber(texts.at(n).toStdString())); };
    return LineSlot{0, read(0), read(1), read(2), read(3), read(4)};
}

// What the panel adds to the copied text.
QString PanelCopy(const LineSlot &typed)
{
    const LineTable none;
    const PlaneView view;
    const QString bare = Q(DescribeSurface(none, view, {}).copyText);
    const QString full =
        Q(DescribeSurface(none, view, {}, DescribeFunction(FunctionOf(typed))).copyText);
    return full.startsWith(bare) ? full.mid(bare.size()) : full;
}

} // namespace

class TestLinearFunction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void panel_data()
    {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("lines");
        const auto row = [](const char *name, const char *boxes, const char *lines) {
            QTest::newRow(name) << QString::fromUtf8(boxes) << QString::fromUtf8(lines);
        };
        row("fractional", "2|3|6|-3|3",
            "式: y = −2/3x + 2\n傾き: −2/3\n切片: 2\n変域: −3 ≦ x ≦ 3 のとき 0 ≦ y ≦ 4\n"
            "変化の割合: (0 − 4)/(3 − (−3)) = −4/6 = −2/3\n"
            "x\t−3\t−2\t−1\t0\t1\t2\t3\ny\t4\t10/3\t8/3\t2\t4/3\t2/3\t0\n");
        row("whole", "3|-1|0|0|2",
            "式: y = 3x\n傾き: 3\n切片: 0\n変域: 0 ≦ x ≦ 2 のとき 0 ≦ y ≦ 6\n"
            "変化の割合: (6 − 0)/(2 − 0) = 6/2 = 3\nx\t0\t1\t2\ny\t0\t3\t6\n");
        row("slope −1", "1|1|4|-1|2",
            "式: y = −x + 4\n傾き: −1\n切片: 4\n変域: −1 ≦ x ≦ 2 のとき 2 ≦ y ≦ 5\n"
            "変化の割合: (2 − 5)/(2 − (−1)) = −3/3 = −1\nx\t−1\t0\t1\t2\ny\t5\t4\t3\t2\n");
        row("horizontal", "0|2|10|-1|1",
            "式: y = 5\n傾き: 0\n切片: 5\n変域: −1 ≦ x ≦ 1 のとき 5 ≦ y ≦ 5\n"
            "変化の割合: (5 − 5)/(1 − (−1)) = 0/2 = 0\nx\t−1\t0\t1\ny\t5\t5\t5\n");
        row("vertical", "3|0|6|-5|5", "式: x = 2\nbが0なので、yはxの関数ではありません\n");
        row("0.5", "0.5|1|1|0|4",
            "式: y = −1/2x + 1\n傾き: −1/2\n切片: 1\n変域: 0 ≦ x ≦ 4 のとき −1 ≦ y ≦ 1\n"
            "変化の割合: (−1 − 1)/(4 − 0) = −2/4 = −1/2\n"
            "x\t0\t1\t2\t3\t4\ny\t1\t1/2\t0\t−1/2\t−1\n");
        // The increases −1 and 3 make −1/3 already.
        row("0.1", "0.1|0.3|0.7|-0.5|2.5",
            "式: y = −1/3x + 7/3\n傾き: −1/3\n切片: 7/3\n"
            "変域: −1/2 ≦ x ≦ 5/2 のとき 3/2 ≦ y ≦ 5/2\n"
            "変化の割合: (3/2 − 5/2)/(5/2 − (−1/2)) = −1/3\nx\t0\t1\t2\ny\t7/3\t2\t5/3\n");
        row("1E-3", "1|1E-3|1|0|1",
            "式: y = −1000x + 1000\n傾き: −1000\n切片: 1000\n"
            "変域: 0 ≦ x ≦ 1 のとき 0 ≦ y ≦ 1000\n"
            "変化の割合: (0 − 1000)/(1 − 0) = −1000/1 = −1000\nx\t0\t1\ny\t1000\t0\n");
        const char *negative = "式: y = 2x − 3\n傾き: 2\n切片: −3\n"
                               "変域: −1 ≦ x ≦ 2 のとき −5 ≦ y ≦ 1\n"
                               "変化の割合: (1 − (−5))/(2 − (−1)) = 6/3 = 2\n"
                               "x\t−1\t0\t1\t2\ny\t−5\t−3\t−1\t1\n";
        row("negative", "-4|2|-6|-1|2", negative);
        row("range typed backwards", "-4|2|-6|2|-1", negative);
        row("1E+30", "1E+30|1|0|-1|1",
            "式: y = ≈−1E+30x\n傾き: ≈−1E+30\n切片: 0\n"
            "変域: −1 ≦ x ≦ 1 のとき ≈−1E+30 ≦ y ≦ ≈1E+30\n"
            "変化の割合: (≈−1E+30 − ≈1E+30)/(1 − (−1)) = ≈−1E+30\n"
            "x\t−1\t0\t1\ny\t≈1E+30\t0\t≈−1E+30\n");
        row("no whole number", "2|3|6|0.2|0.8",
            "式: y = −2/3x + 2\n傾き: −2/3\n切片: 2\n"
            "変域: 1/5 ≦ x ≦ 4/5 のとき 22/15 ≦ y ≦ 28/15\n"
            "変化の割合: (22/15 − 28/15)/(4/5 − 1/5) = −2/3\n"
            "表: 変域に整数がないので、表はありません\n");
        // 41 whole numbers: a step of 4 reaches from −20 to 20 in 11 columns.
        row("wider than 13", "1|-1|0|-20|20",
            "式: y = x\n傾き: 1\n切片: 0\n変域: −20 ≦ x ≦ 20 のとき −20 ≦ y ≦ 20\n"
            "変化の割合: (20 − (−20))/(20 − (−20)) = 40/40 = 1\n"
            "x\t−20\t−16\t−12\t−8\t−4\t0\t4\t8\t12\t16\t20\n"
            "y\t−20\t−16\t−12\t−8\t−4\t0\t4\t8\t12\t16\t20\n");
        // 26 whole numbers: 13 columns reach from 1 to 26 with a step of 3,
        // not 2; its multiples are 3 to 24.
        row("step from a multiple", "2|-1|0|1|26",
            "式: y = 2x\n傾き: 2\n切片: 0\n変域: 1 ≦ x ≦ 26 のとき 2 ≦ y ≦ 52\n"
            "変化の割合: (52 − 2)/(26 − 1) = 50/25 = 2\n"
            "x\t3\t6\t9\t12\t15\t18\t21\t24\ny\t6\t12\t18\t24\t30\t36\t42\t48\n");
        row("one point", "2|3|6|3|3",
            "式: y = −2/3x + 2\n傾き: −2/3\n切片: 2\n変域: 3 ≦ x ≦ 3 のとき 0 ≦ y ≦ 0\n"
            "変化の割合: 変域が1点だけなので求められません\nx\t3\ny\t0\n");
        row("empty boxes", "||||", "aもbも0なので直線になりません\n");
        row("beyond the single range", "1E+39|1|1|0|1", "数が大きすぎて式と表を出せません\n");
    }

    void panel()
    {
        QFETCH(QString, boxes);
        QFETCH(QString, lines);
        QCOMPARE(PanelCopy(Typed(boxes)), lines);
    }

    // A face sets fractions stacked from their digits.
    void numbersForStacking()
    {
        const LinearFunction function = FunctionOf(Typed(QStringLiteral("2|3|6|-3|3")));
        QVERIFY(function.slope.negative && !function.slope.rounded);
        QCOMPARE(Q(function.slope.above + "/" + function.slope.below), QStringLiteral("2/3"));
        QCOMPARE(Q(function.rate->unreduced->above + "/" + function.rate->unreduced->below),
                 QStringLiteral("4/6"));
    }

    // The legs drawn dark green with the lines' pen, from the start across
    // to the corner and up or down to the end, at each plane size.
    void triangle_data()
    {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<int>("size");
        QTest::addColumn<QPolygonF>("corners");
        QTest::addColumn<QString>("lengths");
        const auto row = [](const char *name, const char *boxes, int size, QPolygonF corners,
                            const char *lengths) {
            QTest::newRow(name) << QString::fromUtf8(boxes) << size << corners
                                << QString::fromUtf8(lengths);
        };
        // (−3, 4), (0, 4), (0, 2) on every plane.
        row("small", "2|3|6|-3|3", 0, {{180, 140}, {300, 140}, {300, 220}}, "3 2");
        row("middle", "2|3|6|-3|3", 1, {{234, 212}, {300, 212}, {300, 256}}, "3 2");
        row("large", "2|3|6|-3|3", 2, {{258, 244}, {300, 244}, {300, 272}}, "3 2");
        // From −10 to 10: (−9, 8) is the first grid point, but the small plane
        // ends at 7.5, so there it is (−6, 6).
        row("small, wide range", "2|3|6|-10|10", 0, {{60, 60}, {180, 60}, {180, 140}}, "3 2");
        row("middle, wide range", "2|3|6|-10|10", 1, {{102, 124}, {168, 124}, {168, 168}}, "3 2");
        row("large, wide range", "2|3|6|-10|10", 2, {{174, 188}, {216, 188}, {216, 216}}, "3 2");
        // No room for 3 across: 1 across and 1/3 down from (1, 2) to (2, 5/3).
        row("one across", "0.1|0.3|0.7|-0.5|2.5", 1,
            {{322, 256}, {344, 256}, {344, static_cast<float>(790.0 / 3.0)}}, "1 1/3");
        row("level", "0|2|10|-1|1", 1, {}, "");
        row("vertical", "3|0|6|-5|5", 1, {}, "");
    }

    void triangle()
    {
        QFETCH(QString, boxes);
        QFETCH(int, size);
        QFETCH(QPolygonF, corners);
        QFETCH(QString, lengths);
        RecordingCanvas canvas;
        Window window(canvas);
        const QStringList texts = boxes.split(QLatin1Char('|'));
        for (int n = 0; n < 5; ++n)
            window.Edit(controls::Boxes.at(n), texts.at(n).toStdString());
        window.ShowFunction(true);
        canvas.lines.clear();
        canvas.prints.clear();
        window.Press(controls::SizeButtons.at(static_cast<std::size_t>(size)));
        QPolygonF drawn;
        for (const auto &line : canvas.lines) {
            if (line.colour == PaletteColour(2) && line.width == 3)
                drawn << QPointF(line.x1, line.y1) << QPointF(line.x2, line.y2);
        }
        // The corner ends one leg and starts the other.
        if (drawn.size() == 4 && drawn[1] == drawn[2])
            drawn.remove(2);
        QStringList printed;
        if (!drawn.isEmpty())
            printed << canvas.prints.at(canvas.prints.size() - 2).text << canvas.prints.last().text;
        QCOMPARE(drawn, corners);
        QCOMPARE(printed.join(QLatin1Char(' ')), lengths);
    }

    // The formula changes while the pupil types, and the panel's lines follow
    // the equations in the copied text while the view is on.
    void windowFollowsTheTyping()
    {
        CoreHarness h;
        h.Apply(h.form.ShowFunction(true));
        QCOMPARE(h.announcement,
                 QStringLiteral("式と表を表示しました。aもbも0なので直線になりません"));
        QStringList formulas;
        for (const char *text : {"2", "3", "6"}) {
            h.TypeAndEnter(QString::fromUtf8(text));
            formulas << Q(h.form.Function().words.lines.front().written);
        }
        QCOMPARE(formulas, QStringList({QStringLiteral("x = 0"), QStringLiteral("y = −2/3x"),
                                        QStringLiteral("y = −2/3x + 2")}));
        h.TypeLine({QStringLiteral("-3"), QStringLiteral("3")});
        QVERIFY(Q(h.form.CopyText()).endsWith(QStringLiteral("y\t4\t10/3\t8/3\t2\t4/3\t2/3\t0\n")));
        h.Apply(h.form.ShowFunction(false));
        QCOMPARE(h.announcement, QStringLiteral("式と表を消しました"));
        QVERIFY(!Q(h.form.CopyText()).contains(QStringLiteral("式")));
        // Typed while hidden, worked out as it shows again.
        h.ClickBox(3);
        h.Replace(QStringLiteral("1"));
        h.Apply(h.form.ShowFunction(true));
        QCOMPARE(Q(h.form.Function().words.lines.front().written),
                 QStringLiteral("y = −2/3x + 1/3"));
    }
};

QTEST_MAIN(TestLinearFunction)
#include "tst_linearfunction.moc"
