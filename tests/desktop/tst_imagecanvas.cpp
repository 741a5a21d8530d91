// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/imagecanvas.h"
#include "lines/linedrawing.h"
#include "lines/linetable.h"
#include "lines/marks.h"
#include "plane/planedrawing.h"
#include "runtime/palette.h"
#include "support/paintercanvas.h"
#include "support/pictures.h"
#include "support/uifacts.h"
#include "surface/segmentclip.h"

#include <QtTest>

#include <functional>
#include <limits>
#include <optional>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

bool rowIs(const QImage &image, int y, QRgb colour)
{
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != colour)
            return false;
    return true;
}

bool columnIs(const QImage &image, int x, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) != colour)
            return false;
    return true;
}

// Counts the pixels in the inclusive box that differ from the back colour.
int markedIn(const QImage &image, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (image.pixel(x, y) != SurfaceYellow)
                ++count;
    return count;
}

bool sameSegment(const Segment &a, const Segment &b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

// The device pixel ratios of the screens and projector scales the program
// meets: 100 % to 300 %.
void addRatioRows()
{
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0})
        QTest::addRow("%g", ratio) << ratio;
}

// Where two pictures first differ, for a failure message.
QString firstDifference(const QImage &got, const QImage &want)
{
    if (got.size() != want.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if (got.pixel(x, y) != want.pixel(x, y))
                return QStringLiteral("device pixel (%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(got.pixel(x, y), 8, 16)
                    .arg(want.pixel(x, y), 8, 16);
    return {};
}

// The whole picture of a lesson: the plane and lines of every kind, sloped,
// vertical and horizontal, some reaching past the edges, and with `marks`
// their numbers and crossings over them.
void drawLesson(Canvas &canvas, std::int16_t unit, bool marks = false)
{
    const PlaneView view = ViewAt(unit);
    LineTable table;
    const float lines[][5] = {{1, 1, 2, -5, 5},  {1, 0, 3, -4, 4},    {0, 1, -2, -6, 6},
                              {2, -1, 1, -3, 3}, {1, -3, 0, -10, 10}, {2, 0, -7, -8, 8},
                              {0, 2, 5, -9, 9},  {-1, 4, -3, -12, 12}};
    for (int slot = 0; slot < 8; ++slot) {
        const auto &l = lines[slot];
        table.Slot(slot) = LineSlot{1, l[0], l[1], l[2], l[3], l[4]};
    }
    DrawPictureOn(canvas, table, view);
    if (marks)
        DrawMarksOn(canvas, table, view, Crossings(table, view));
}

QString describe(const Segment &s)
{
    return QStringLiteral("got (%1, %2) -> (%3, %4)")
        .arg(s.x1, 0, 'g', 17)
        .arg(s.y1, 0, 'g', 17)
        .arg(s.x2, 0, 'g', 17)
        .arg(s.y2, 0, 'g', 17);
}

} // namespace

Q_DECLARE_METATYPE(Segment)
Q_DECLARE_METATYPE(std::optional<Segment>)

class TestImageCanvas : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clsFillsWithBackColour()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        QCOMPARE(canvas.Image().size(), QSize(SurfaceSize, SurfaceSize));
        canvas.SetDrawWidth(3);
        canvas.Line(0, 0, 600, 600);
        canvas.Line(0, 300, 600, 300);
        QVERIFY(canvas.Image().pixel(300, 300) != SurfaceYellow);
        canvas.Clear();
        QCOMPARE(markedIn(canvas.Image(), 0, 0, 599, 599), 0);
    }

    void linesCoverWholePixels()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        canvas.SetDrawWidth(1);
        canvas.Line(322, 0, 322, 600);
        canvas.Line(0, 278, 600, 278);
        const QImage thin = canvas.Image();
        QVERIFY(columnIs(thin, 322, Black));
        QVERIFY(rowIs(thin, 278, Black));
        QCOMPARE(markedIn(thin, 0, 0, 599, 599), 1199);

        canvas.Clear();
        canvas.SetDrawWidth(3);
        canvas.Line(0, 300, 600, 300);
        canvas.Line(300, 0, 300, 600);
        const QImage thick = canvas.Image();
        for (int i = 299; i <= 301; ++i) {
            QVERIFY(rowIs(thick, i, Black));
            QVERIFY(columnIs(thick, i, Black));
        }
        QCOMPARE(markedIn(thick, 0, 0, 599, 599), 3591);
    }

    void paletteColours_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRgb>("colour");
        const QRgb palette[16] = {
            qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
            qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
            qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
        };
        for (int i = 0; i < 16; ++i)
            QTest::addRow("%d", i) << i << palette[i];
        QTest::newRow("-1") << -1 << Black;
        QTest::newRow("16") << 16 << Black;
        QTest::newRow("1000") << 1000 << Black;
    }

    void paletteColours()
    {
        QFETCH(int, index);
        QFETCH(QRgb, colour);
        QCOMPARE(PaletteColour(index), colour);
    }

    void linesUseForeColourAndKeepSettings()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        canvas.SetDrawWidth(3);
        canvas.SetForeColor(PaletteColour(9));
        canvas.Line(0, 100, 600, 100);
        QVERIFY(rowIs(canvas.Image(), 100, qRgb(0, 0, 255)));

        // The pen outlives Clear and the taking of the image.
        canvas.Clear();
        canvas.Line(0, 300, 600, 300);
        QVERIFY(rowIs(canvas.Image(), 299, qRgb(0, 0, 255)));
        QVERIFY(rowIs(canvas.Image(), 301, qRgb(0, 0, 255)));

        // Changes made while a drawing pass is open apply to the next line.
        canvas.Clear();
        canvas.Line(0, 50, 600, 50);
        canvas.SetDrawWidth(1);
        canvas.SetForeColor(PaletteColour(12));
        canvas.Line(0, 200, 600, 200);
        const QImage image = canvas.Image();
        QVERIFY(rowIs(image, 200, qRgb(255, 0, 0)));
        QCOMPARE(image.pixel(100, 199), SurfaceYellow);
        QCOMPARE(image.pixel(100, 201), SurfaceYellow);
        QVERIFY(rowIs(image, 51, qRgb(0, 0, 255)));
    }

    // A diagonal whose ends lie 1e37 units out must colour exactly the pixels
    // of the same diagonal with near ends.
    void farDiagonalMatchesNearDiagonal()
    {
        ImageCanvas far(SurfaceSize, SurfaceSize, SurfaceYellow);
        far.SetDrawWidth(3);
        far.Line(-1e37f, -1e37f, 1e37f, 1e37f);
        ImageCanvas near(SurfaceSize, SurfaceSize, SurfaceYellow);
        near.SetDrawWidth(3);
        near.Line(-50, -50, 650, 650);
        QCOMPARE(far.Image(), near.Image());
    }

    // Rows and columns of 1-pixel lines are filled straight into the image;
    // they must come out as QPainter itself draws them.
    void thinAxisLinesMatchPainter_data() { addRatioRows(); }

    void thinAxisLinesMatchPainter()
    {
        QFETCH(qreal, ratio);
        const QLine lines[] = {{10, 20, 10, 80},  {30, 40, 90, 40}, {70, 5, 70, 5},
                               {-5, 50, 200, 50}, {99, 0, 99, 99},  {0, 99, 99, 99}};
        ImageCanvas canvas(100, 100, SurfaceYellow, ratio);
        QImage reference(qRound(100 * ratio), qRound(100 * ratio), QImage::Format_RGB32);
        reference.setDevicePixelRatio(ratio);
        reference.fill(SurfaceYellow);
        QPainter painter(&reference);
        painter.setPen(QPen(QColor(LineBlue), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        canvas.SetForeColor(LineBlue);
        for (const QLine &line : lines) {
            canvas.Line(float(line.x1()), float(line.y1()), float(line.x2()), float(line.y2()));
            const QPointF from(line.x1() + 0.5, line.y1() + 0.5);
            const QPointF to(line.x2() + 0.5, line.y2() + 0.5);
            if (from == to)
                painter.drawPoint(from);
            else
                painter.drawLine(from, to);
        }
        painter.end();
        QCOMPARE(canvas.Image(), reference);
    }

    // Every kind of line along a row or a column, at every position within
    // the few pixels after which a ratio repeats, for both caps, must come
    // out as QPainter draws it.
    void axisLinesMatchPainter_data() { addRatioRows(); }

    void axisLinesMatchPainter()
    {
        QFETCH(qreal, ratio);
        for (const std::int16_t width : {1, 2, 3, 5}) {
            for (int across = 20; across < 24; ++across) {
                for (int start = 8; start < 12; ++start) {
                    for (const int length : {1, 5, 21, 22, 23, 24, 61}) {
                        for (int way = 0; way < 4; ++way) {
                            const bool vertical = way < 2;
                            const int from = way % 2 == 0 ? start : start + length;
                            const int to = way % 2 == 0 ? start + length : start;
                            const QLine line = vertical ? QLine(across, from, across, to)
                                                        : QLine(from, across, to, across);
                            ImageCanvas canvas(45, 80, SurfaceYellow, ratio);
                            PainterCanvas reference(45, 80, SurfaceYellow, ratio);
                            for (Canvas *c : {static_cast<Canvas *>(&canvas),
                                              static_cast<Canvas *>(&reference)}) {
                                c->SetDrawWidth(width);
                                c->SetForeColor(LineBlue);
                                c->Line(float(line.x1()), float(line.y1()), float(line.x2()),
                                        float(line.y2()));
                            }
                            const QString difference =
                                firstDifference(canvas.Image(), reference.Image());
                            QVERIFY2(difference.isEmpty(),
                                     qPrintable(QStringLiteral("width %1 from (%2, %3) to (%4, "
                                                               "%5): %6")
                                                    .arg(width)
                                                    .arg(line.x1())
                                                    .arg(line.y1())
                                                    .arg(line.x2())
                                                    .arg(line.y2())
                                                    .arg(difference)));
                        }
                    }
                }
            }
        }
    }

    // Columns are written late, all at once; whatever crosses them later,
    // in another colour or through QPainter, still lies on top, and a copy
    // of the picture taken between two lines holds everything drawn so far.
    void crossingLinesKeepTheirOrder_data() { addRatioRows(); }

    void crossingLinesKeepTheirOrder()
    {
        QFETCH(qreal, ratio);
        ImageCanvas canvas(100, 100, SurfaceYellow, ratio);
        PainterCanvas reference(100, 100, SurfaceYellow, ratio);
        const auto both = [&](const std::function<void(Canvas &)> &step) {
            step(canvas);
            step(reference);
            const QString difference = firstDifference(canvas.Image(), reference.Image());
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        };
        const auto column = [](Canvas &c, float x, QRgb colour, std::int16_t width) {
            c.SetForeColor(colour);
            c.SetDrawWidth(width);
            c.Line(x, 0, x, 100);
        };
        both([&](Canvas &c) {
            column(c, 10, Black, 1);
            column(c, 30, Black, 3);
            c.SetForeColor(LineBlue);
            c.Line(0, 50, 100, 50);
            column(c, 50, Black, 1);
        });
        both([&](Canvas &c) {
            column(c, 31, LineBlue, 1);
            c.SetForeColor(Black);
            c.SetDrawWidth(3);
            c.Line(0, 52, 100, 52);
            column(c, 51, qRgb(255, 0, 0), 3);
            c.SetForeColor(Black);
            c.Line(0, 0, 100, 90);
            column(c, 70, LineBlue, 1);
            c.SetFontSize(SurfaceTextPoints);
            c.SetCurrentX(60);
            c.SetCurrentY(40);
            c.Print("-5");
            column(c, 72, LineBlue, 1);
        });
    }

    // The whole lesson at every plane size, drawn again and again as the
    // size buttons do, must be QPainter's picture every time: the first
    // drawing learns the lines and texts, the later ones copy them.
    void redrawsMatchPainter_data() { addRatioRows(); }

    void redrawsMatchPainter()
    {
        QFETCH(qreal, ratio);
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow, ratio);
        canvas.SetFontSize(SurfaceTextPoints);
        bool marks = false;
        for (const std::int16_t unit : {14, 14, 22, 40, 14, 40, 22}) {
            PainterCanvas reference(SurfaceSize, SurfaceSize, SurfaceYellow, ratio);
            reference.SetFontSize(SurfaceTextPoints);
            drawLesson(canvas, unit, marks);
            drawLesson(reference, unit, marks);
            marks = !marks;
            const QString difference = firstDifference(canvas.Image(), reference.Image());
            QVERIFY2(difference.isEmpty(),
                     qPrintable(QStringLiteral("unit %1: %2").arg(unit).arg(difference)));
        }
    }

    // A text printed again over pixels that changed under it is drawn anew,
    // not copied from the time before; so is one in another colour.
    void reprintedTextFollowsWhatIsUnder_data() { addRatioRows(); }

    void reprintedTextFollowsWhatIsUnder()
    {
        QFETCH(qreal, ratio);
        ImageCanvas canvas(200, 100, SurfaceYellow, ratio);
        PainterCanvas reference(200, 100, SurfaceYellow, ratio);
        for (int pass = 0; pass < 5; ++pass) {
            for (Canvas *c : {static_cast<Canvas *>(&canvas), static_cast<Canvas *>(&reference)}) {
                c->Clear();
                c->SetFontSize(SurfaceTextPoints);
                c->SetFontBold(true);
                c->SetForeColor(Black);
                if (pass >= 2) {
                    c->SetDrawWidth(3);
                    c->Line(0, float(40 + pass), 200, 35);
                }
                c->SetForeColor(pass == 4 ? LineBlue : Black);
                c->SetCurrentX(50);
                c->SetCurrentY(30);
                c->Print("-12");
            }
            const QString difference = firstDifference(canvas.Image(), reference.Image());
            QVERIFY2(difference.isEmpty(),
                     qPrintable(QStringLiteral("pass %1: %2").arg(pass).arg(difference)));
        }
    }

    void hugeEndsDrawTheVisiblePart_data()
    {
        QTest::addColumn<QLineF>("line");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("row") << QLineF(-1e38f, 300, 1e38f, 300) << true;
        QTest::newRow("row backwards") << QLineF(3e38f, 300, -3e38f, 300) << true;
        QTest::newRow("column") << QLineF(300, -1e38f, 300, 1e38f) << false;
    }

    void hugeEndsDrawTheVisiblePart()
    {
        QFETCH(QLineF, line);
        QFETCH(bool, horizontal);
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        canvas.SetDrawWidth(3);
        canvas.Line(float(line.x1()), float(line.y1()), float(line.x2()), float(line.y2()));
        const QImage image = canvas.Image();
        QCOMPARE(markedIn(image, 0, 0, 599, 599), 1800);
        for (int i = 299; i <= 301; ++i)
            QVERIFY(horizontal ? rowIs(image, i, Black) : columnIs(image, i, Black));
    }

    void unusableEndsDrawNothing_data()
    {
        QTest::addColumn<QLineF>("line");
        QTest::newRow("NaN start") << QLineF(kNaN, 0, 10, 10);
        QTest::newRow("infinite start") << QLineF(kInf, 5, 10, 10);
        QTest::newRow("infinite end") << QLineF(10, 10, 300, -kInf);
        QTest::newRow("all NaN") << QLineF(kNaN, kNaN, kNaN, kNaN);
        QTest::newRow("below") << QLineF(-100, 700, 800, 650);
        QTest::newRow("past a corner") << QLineF(-40, 10, 10, -40);
        QTest::newRow("far left") << QLineF(-1e38f, -1e38f, -1e38f, 1e38f);
    }

    void unusableEndsDrawNothing()
    {
        QFETCH(QLineF, line);
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        ImageCanvas cleared(SurfaceSize, SurfaceSize, SurfaceYellow);
        canvas.SetDrawWidth(3);
        canvas.Line(float(line.x1()), float(line.y1()), float(line.x2()), float(line.y2()));
        QCOMPARE(canvas.Image(), cleared.Image());
    }

    void zeroLengthLineMarksItsPoint()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        canvas.SetDrawWidth(3);
        canvas.Line(100, 200, 100, 200);
        const QImage image = canvas.Image();
        QCOMPARE(image.pixel(100, 200), Black);
        QCOMPARE(markedIn(image, 90, 190, 110, 210), markedIn(image, 0, 0, 599, 599));
    }

    void printPlacesTopLeftCorner()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        canvas.SetFontSize(SurfaceTextPoints);
        canvas.SetFontBold(true);
        canvas.SetCurrentX(280);
        canvas.SetCurrentY(298);
        canvas.Print("Ｏ");
        const QImage image = canvas.Image();
        QVERIFY(markedIn(image, 280, 298, 310, 330) > 20);
        QCOMPARE(markedIn(image, 250, 250, 350, 296), 0);
        QCOMPARE(markedIn(image, 240, 280, 278, 350), 0);
    }

    void printFarOffSurfaceDoesNothing()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        ImageCanvas cleared(SurfaceSize, SurfaceSize, SurfaceYellow);
        canvas.SetFontSize(SurfaceTextPoints);
        const float places[][2] = {{1e30f, 1e30f}, {-1e30f, 300}, {300, kInf}, {kNaN, 10}};
        for (const auto &place : places) {
            canvas.SetCurrentX(place[0]);
            canvas.SetCurrentY(place[1]);
            canvas.Print("-10");
        }
        QCOMPARE(canvas.Image(), cleared.Image());
    }

    void doubleDensityStaysSharp()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow, 2.0);
        QCOMPARE(canvas.Width(), 600.0f);
        canvas.SetDrawWidth(1);
        canvas.Line(322, 0, 322, 600);
        const QImage image = canvas.Image();
        QCOMPARE(image.size(), QSize(1200, 1200));
        QCOMPARE(image.devicePixelRatio(), 2.0);
        QVERIFY(columnIs(image, 644, Black));
        QVERIFY(columnIs(image, 645, Black));
        QVERIFY(columnIs(image, 643, SurfaceYellow));
        QVERIFY(columnIs(image, 646, SurfaceYellow));
    }

    void clipSegment_data()
    {
        QTest::addColumn<Segment>("segment");
        QTest::addColumn<std::optional<Segment>>("expected");
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const std::optional<Segment> none;
        QTest::newRow("inside") << Segment{10, 20, 30, 40}
                                << std::optional(Segment{10, 20, 30, 40});
        QTest::newRow("across") << Segment{-100, 300, 700, 300}
                                << std::optional(Segment{0, 300, 600, 300});
        QTest::newRow("diagonal") << Segment{700, 700, -100, -100}
                                  << std::optional(Segment{600, 600, 0, 0});
        QTest::newRow("one end out")
            << Segment{300, 300, 300, 900} << std::optional(Segment{300, 300, 300, 600});
        QTest::newRow("huge ends")
            << Segment{-1e38, 300, 1e38, 300} << std::optional(Segment{0, 300, 600, 300});
        // The ends are finite though their distance is beyond the double range.
        QTest::newRow("widest finite")
            << Segment{-1.7e308, 300, 1.7e308, 300} << std::optional(Segment{0, 300, 600, 300});
        QTest::newRow("above") << Segment{0, -5, 600, -5} << none;
        QTest::newRow("past a corner") << Segment{-10, 5, 5, -10} << none;
        QTest::newRow("NaN") << Segment{nan, 0, 10, 10} << none;
        QTest::newRow("infinity") << Segment{-inf, 300, inf, 300} << none;
    }

    void clipSegment()
    {
        QFETCH(Segment, segment);
        QFETCH(std::optional<Segment>, expected);
        const auto clipped = ClipSegment(segment, 0, 0, 600, 600);
        QCOMPARE(clipped.has_value(), expected.has_value());
        if (!expected)
            return;
        QVERIFY2(sameSegment(*clipped, *expected), qPrintable(describe(*clipped)));
    }
};

QTEST_MAIN(TestImageCanvas)
#include "tst_imagecanvas.moc"
