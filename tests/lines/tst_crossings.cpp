// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/crossings.h"
#include "lines/exactline.h"
#include "lines/marks.h"
#include "plane/planedrawing.h"
#include "support/pictures.h"
#include "support/qtext.h"
#include "window/sentences.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

LineSlot line(float a, float b, float c, float from = -5, float to = 5)
{
    return LineSlot{1, a, b, c, from, to};
}

} // namespace

Q_DECLARE_METATYPE(LineSlot)

class TestCrossings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Two lines in slots １ and ２, and what the clipboard and the screen
    // reader say of them after "直線１と直線２" (spoken like written unless given).
    void pair_data()
    {
        QTest::addColumn<LineSlot>("first");
        QTest::addColumn<LineSlot>("second");
        QTest::addColumn<int>("gridUnit");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("spoken");
        const auto row = [](const char *name, LineSlot first, LineSlot second, int unit,
                            const char *written, const char *spoken = nullptr) {
            QTest::newRow(name) << first << second << unit << QString::fromUtf8(written)
                                << QString::fromUtf8(spoken != nullptr ? spoken : written);
        };
        row("(3, 1)", line(1, 1, 4), line(2, -1, 5), 22, "の交点 (3, 1)");
        row("(4/3, 8/3)", line(2, -1, 0), line(1, 1, 4), 22, "の交点 (4/3, 8/3)",
            "の交点 (3分の4, 3分の8)");
        row("(5/3, -4/3)", line(1, -1, 3), line(1, 2, -1), 22, "の交点 (5/3, −4/3)",
            "の交点 (3分の5, マイナス3分の4)");
        row("vertical and horizontal", line(1, 0, 2), line(0, 2, -6), 22, "の交点 (2, −3)",
            "の交点 (2, マイナス3)");
        row("parallel", line(1, 1, 4), line(2, 2, 3), 22, "は平行で交わりません");
        row("same line", line(2, 2, 8), line(1, 1, 4), 22, "は同じ直線です");
        // In single precision 0.1 * 0.9 and 0.3 * 0.3 differ, so a solver in
        // floats would find a far crossing; as the boxes show them they are equal.
        row("same line in tenths", line(0.1f, 0.3f, 0.7f), line(0.3f, 0.9f, 2.1f), 22,
            "は同じ直線です");
        row("parallel in tenths", line(0.1f, 0.3f, 0.7f), line(0.3f, 0.9f, 2), 22,
            "は平行で交わりません");
        row("tenths", line(0.1f, 0.1f, 0.3f), line(1, -1, 0.1f), 22, "の交点 (31/20, 29/20)",
            "の交点 (20分の31, 20分の29)");
        row("halves", line(0.5f, 0.5f, 1), line(1, -1, 0.5f), 22, "の交点 (5/4, 3/4)",
            "の交点 (4分の5, 4分の3)");
        row("huge", line(1, 1, 1e10f, -1e10f, 1e10f), line(1, -1, 0, -1e10f, 1e10f), 22,
            "の交点 (≈5E+09, ≈5E+09)（描いた範囲の外）",
            "の交点 (約5かける10の9乗, 約5かける10の9乗)（描いた範囲の外）");
        row("tiny", line(1, 1, 1e-8f), line(1, -1, 0), 22, "の交点 (≈5E-09, ≈5E-09)",
            "の交点 (約5かける10のマイナス9乗, 約5かける10のマイナス9乗)");
        row("five digits", line(3, 0, 10000, -1e4f, 1e4f), line(0, 3, -10000, -1e4f, 1e4f), 22,
            "の交点 (≈3333.333, ≈−3333.333)（描いた範囲の外）",
            "の交点 (約3333.333, 約マイナス3333.333)（描いた範囲の外）");
        row("four digits", line(7, 0, 9999), line(0, 1, 1, 0, 2000), 22,
            "の交点 (9999/7, 1)（描いた範囲の外）", "の交点 (7分の9999, 1)（描いた範囲の外）");
        row("outside a range", line(1, 1, 4, -2, 2), line(2, -1, 5), 22,
            "の交点 (3, 1)（描いた範囲の外）");
        row("outside the second range", line(2, -1, 5), line(1, 1, 4, 3.5f, 10), 22,
            "の交点 (3, 1)（描いた範囲の外）");
        row("reversed ranges, ends count", line(1, 1, 4, 5, -5), line(2, -1, 5, 5, 3), 22,
            "の交点 (3, 1)");
        // A vertical line's range is of y: x = 3 lies in it, y = 1 does not.
        row("vertical range is of y", line(1, 0, 3, 5, 1.5f), line(0, 1, 1), 22,
            "の交点 (3, 1)（描いた範囲の外）");
        row("beyond the small plane", line(1, 0, 8), line(0, 1, 0, -10, 10), 40,
            "の交点 (8, 0)（描いた範囲の外）");
        row("on the middle plane", line(1, 0, 8), line(0, 1, 0, -10, 10), 22, "の交点 (8, 0)");
        row("on the edge", line(2, 0, 15), line(0, 1, 0, -10, 10), 40, "の交点 (15/2, 0)",
            "の交点 (2分の15, 0)");
        row("too steep to draw", line(3e38f, 1e-30f, 0, -1, 1), line(0, 1, 0), 22,
            "の交点 (0, 0)（描いた範囲の外）");
    }

    void pair()
    {
        QFETCH(LineSlot, first);
        QFETCH(LineSlot, second);
        QFETCH(int, gridUnit);
        QFETCH(QString, written);
        QFETCH(QString, spoken);
        LineTable table;
        table.Slot(0) = first;
        table.Slot(1) = second;
        const auto crossings = Crossings(table, ViewAt(gridUnit));
        QCOMPARE(crossings.size(), std::size_t(1));
        const QString pair = QStringLiteral("直線１と直線２");
        QCOMPARE(Q(DescribeCrossing(crossings[0])), pair + written);
        QCOMPARE(Q(DescribeCrossing(crossings[0], Wording::Spoken)), pair + spoken);
    }

    void noPart_data()
    {
        QTest::addColumn<LineSlot>("slot");
        QTest::newRow("a = b = 0") << line(0, 0, 5);
        QTest::newRow("infinite a") << line(kInf, 1, 4);
        QTest::newRow("NaN c") << line(1, 1, kNaN);
        QTest::newRow("infinite from") << line(1, 1, 4, -kInf, 5);
        QTest::newRow("not drawn") << LineSlot{0, 1, 1, 4, -5, 5};
    }

    void noPart()
    {
        QFETCH(LineSlot, slot);
        LineTable table;
        table.Slot(0) = line(2, -1, 5);
        table.Slot(4) = slot;
        QVERIFY(Crossings(table, ViewAt(22)).empty());
        QVERIFY(AnnounceCrossings(4, table, ViewAt(22)).empty());
        QVERIFY(AnnounceCrossings(0, table, ViewAt(22)).empty());
    }

    void pairsInSlotOrder()
    {
        LineTable table;
        table.Slot(0) = line(1, 1, 4);
        table.Slot(1) = LineSlot{0, 1, -1, 0, -5, 5};
        table.Slot(2) = line(2, -1, 5);
        table.Slot(3) = line(0, 0, 1);
        table.Slot(4) = line(2, 2, 3);
        table.Slot(5) = line(2, 2, 8);
        const QStringList expected = {
            QStringLiteral("直線１と直線３の交点 (3, 1)"),
            QStringLiteral("直線１と直線５は平行で交わりません"),
            QStringLiteral("直線１と直線６は同じ直線です"),
            QStringLiteral("直線３と直線５の交点 (13/6, −2/3)"),
            QStringLiteral("直線３と直線６の交点 (3, 1)"),
            QStringLiteral("直線５と直線６は平行で交わりません"),
        };
        QCOMPARE(Q(DescribeCrossings(Crossings(table, ViewAt(22)))), expected);
        const QStringList announced = {
            QStringLiteral("直線１との交点 (3, 1)"),
            QStringLiteral("直線５との交点 (6分の13, マイナス3分の2)"),
            QStringLiteral("直線６との交点 (3, 1)"),
        };
        QCOMPARE(Q(AnnounceCrossings(2, table, ViewAt(22))), announced);
        QCOMPARE(Q(AnnounceCrossings(4, table, ViewAt(22)).front()),
                 QStringLiteral("直線１と平行で交わりません"));
        QCOMPARE(Q(AnnounceCrossings(5, table, ViewAt(22)).front()),
                 QStringLiteral("直線１と同じ直線です"));
    }

    void dotAtTheExactPoint()
    {
        LineTable table;
        table.Slot(0) = line(2, -1, 0);
        table.Slot(1) = line(1, 1, 4);
        const auto crossings = Crossings(table, ViewAt(22));
        QVERIFY(crossings[0].marked);
        // (300 + 4/3 * 22, 300 - 8/3 * 22), each the double nearest.
        QVERIFY(crossings[0].pixel.x == 988.0 / 3.0);
        QVERIFY(crossings[0].pixel.y == 724.0 / 3.0);
    }

    // On a crowded plane every mark still lies wholly on the surface, clear of
    // the plane's numbers and of every other mark.
    void marksKeepClearOfEachOther()
    {
        LineTable table;
        table.Slot(0) = line(1, 1, 4, -3, 8);
        table.Slot(1) = line(2, -1, 5, -2, 6);
        table.Slot(2) = line(1, -3, -6, -9, 9);
        table.Slot(3) = line(0, 1, -4, -10, 10);
        table.Slot(4) = line(3, 0, -9, -8, 8);
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        const PlaneView view = ViewAt(22);
        const MarkPlaces places = PlaceMarks(canvas, table, view, Crossings(table, view));
        QCOMPARE(places.lineNumbers.size(), std::size_t(5));
        QCOMPARE(places.coordinates.size(), std::size_t(8));
        std::vector<QRectF> taken;
        canvas.SetFontSize(SurfaceTextPoints);
        canvas.SetFontBold(true);
        for (const PlaneText &text : PlaneTexts(view))
            taken.push_back(QRectF(QPointF(text.x, text.y), Q(canvas.TextSize(text.text))));
        for (const auto *marks : {&places.coordinates, &places.lineNumbers}) {
            for (const PlacedMark &mark : *marks) {
                QVERIFY2(QRectF(0, 0, SurfaceSize, SurfaceSize).contains(Q(mark.box)),
                         mark.text.c_str());
                for (const QRectF &box : taken)
                    QVERIFY2(!box.intersects(Q(mark.box)), mark.text.c_str());
                taken.push_back(Q(mark.box));
            }
        }
    }

    void shownValue_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("exact");
        QTest::newRow("one tenth") << 0.1f << "1/10";
        QTest::newRow("minus a half") << -0.5f << "-1/2";
        QTest::newRow("zero") << -0.0f << "0";
        QTest::newRow("1E-08") << 1e-8f << "1/100000000";
        QTest::newRow("1.5E-07") << 1.5e-7f << "3/20000000";
        QTest::newRow("seven digits") << 123456789.0f << "123456800";
        QTest::newRow("infinity") << kInf << "";
        QTest::newRow("NaN") << kNaN << "";
    }

    void shownValue()
    {
        QFETCH(float, value);
        QFETCH(QString, exact);
        const auto shown = ShownValue(value);
        QCOMPARE(shown ? QString::fromStdString(shown->str()) : QString(), exact);
    }

    void nearest_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<float>("single");
        const auto row = [](const char *name, const char *value, float single) {
            QTest::newRow(name) << QString::fromLatin1(value) << single;
        };
        row("a third", "1/3", 1.0f / 3.0f);
        row("largest", "340282346638528859811704183484516925440", FLT_MAX);
        row("beyond", "340282366920938463463374607431768211456", kInf);
        // 5 * 2^-150 lies halfway between 2 and 3 times the least subnormal
        // and goes to the even one; a hair above it rounds up, which rounding
        // to 24 bits first and then to the subnormal would miss.
        row("subnormal tie", "5/1427247692705959881058285969449495136382746624",
            std::ldexp(1.0f, -148));
        row("just above a subnormal tie",
            "5629499534213121/1606938044258990275541962092341162602522202993782792835301376",
            3 * std::ldexp(1.0f, -149));
        row("below half the least", "-1/2854495385411919762116571938898990272765493248", -0.0f);
    }

    void nearest()
    {
        QFETCH(QString, value);
        QFETCH(float, single);
        const float nearest = NearestSingle(Rational(value.toStdString()));
        QVERIFY2(nearest == single && std::signbit(nearest) == std::signbit(single),
                 qPrintable(QString::number(double(nearest), 'g', 9)));
    }

    void coordinate_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("spoken");
        const auto row = [](const char *value, const char *written, const char *spoken) {
            QTest::newRow(value) << QString::fromUtf8(value) << QString::fromUtf8(written)
                                 << QString::fromUtf8(spoken);
        };
        row("0", "0", "0");
        row("-9999", "−9999", "マイナス9999");
        row("10000", "≈10000", "約10000");
        row("-1/10000", "≈−.0001", "約マイナス0.0001");
        row("12345678901", "≈1.234568E+10", "約1.234568かける10の10乗");
        // A tiny negative value rounds to a zero that NumberText shows without a sign.
        row("-1/100000000000000000000000000000000000000000000000000", "≈0", "約0");
        row("-10000000000000000000000000000000000000000", "≈−1E+40", "約マイナス1かける10の40乗");
        // The single nearest 1E-40 is 9.99995E-41: below the normal singles
        // the double shows the point.
        row("1/10000000000000000000000000000000000000000", "≈1E-40", "約1かける10のマイナス40乗");
    }

    void coordinate()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        QFETCH(QString, spoken);
        const Rational exact = Rational(value.toStdString());
        const Coordinate coordinate = CoordinateOf(exact);
        QCOMPARE(Q(WrittenCoordinate(coordinate)), written);
        QCOMPARE(Q(SpokenCoordinate(coordinate)), spoken);
    }
};

QTEST_MAIN(TestCrossings)
#include "tst_crossings.moc"
