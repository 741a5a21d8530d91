// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/imagecanvas.h"
#include "plane/planedrawing.h"
#include "support/pictures.h"
#include "support/uifacts.h"

#include "support/recordingcanvas.h"

#include <QtTest>

namespace {

using Op = RecordingCanvas::Op;

bool sameLine(const RecordingCanvas::LineCall &line, float x1, float y1, float x2, float y2)
{
    return line.x1 == x1 && line.y1 == y1 && line.x2 == x2 && line.y2 == y2;
}

bool hasLine(const RecordingCanvas &canvas, float x1, float y1, float x2, float y2)
{
    for (const auto &line : canvas.lines)
        if (sameLine(line, x1, y1, x2, y2))
            return true;
    return false;
}

int printsOf(const RecordingCanvas &canvas, const QString &text, float x, float y)
{
    int count = 0;
    for (const auto &print : canvas.prints)
        if (print.text == text && print.x == x && print.y == y)
            ++count;
    return count;
}

bool sameCall(const RecordingCanvas::Call &a, const RecordingCanvas::Call &b)
{
    return a.op == b.op && a.a == b.a && a.b == b.b && a.c == b.c && a.d == b.d &&
           a.text == b.text && a.colour == b.colour;
}

} // namespace

class TestPlaneDrawing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensWithAxesAndEndsWithRefresh()
    {
        RecordingCanvas canvas;
        DrawPlaneOn(canvas, ViewAt(22));
        const auto &calls = canvas.calls;
        QVERIFY(calls.size() > 6);
        QCOMPARE(calls[0].op, Op::Clear);
        QCOMPARE(calls[1].op, Op::DrawWidth);
        QCOMPARE(calls[1].a, 3.0f);
        QCOMPARE(calls[2].op, Op::Line);
        QCOMPARE(calls[3].op, Op::Line);
        QCOMPARE(calls[4].op, Op::DrawWidth);
        QCOMPARE(calls[4].a, 1.0f);
        QCOMPARE(calls.back().op, Op::Refresh);
        QVERIFY(sameLine(canvas.lines[0], 0, 300, 600, 300));
        QVERIFY(sameLine(canvas.lines[1], 300, 0, 300, 600));
        QCOMPARE(canvas.lines[0].width, 3);
        QCOMPARE(canvas.lines[1].width, 3);
        QCOMPARE(canvas.DrawWidth(), std::int16_t(1));
    }

    // Grid lines of width 1 besides the two axes, and the labels printed:
    // the origin mark and four tick numbers per step.
    void gridLinesAndPrints_data()
    {
        QTest::addColumn<int>("gridUnit");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("prints");
        QTest::newRow("40") << 40 << 60 << 29;
        QTest::newRow("22") << 22 << 108 << 21;
        QTest::newRow("14") << 14 << 168 << 33;
    }

    void gridLinesAndPrints()
    {
        QFETCH(int, gridUnit);
        QFETCH(int, count);
        QFETCH(int, prints);
        RecordingCanvas canvas;
        DrawPlaneOn(canvas, ViewAt(gridUnit));
        QCOMPARE(canvas.lines.size(), count + 2);
        for (qsizetype i = 2; i < canvas.lines.size(); ++i) {
            QCOMPARE(canvas.lines[i].width, 1);
            QCOMPARE(canvas.lines[i].colour, Black);
        }
        // Every grid line is issued straight after the pen narrows.
        for (qsizetype i = 5; i < 5 + count; ++i)
            QCOMPARE(canvas.calls[i].op, Op::Line);
        QCOMPARE(canvas.prints.size(), prints);
    }

    void gridLinesInOrder()
    {
        RecordingCanvas canvas;
        DrawPlaneOn(canvas, ViewAt(22));
        QVERIFY(sameLine(canvas.lines[2], 0, 322, 600, 322));
        QVERIFY(sameLine(canvas.lines[3], 322, 0, 322, 600));
        QVERIFY(sameLine(canvas.lines[4], 0, 278, 600, 278));
        QVERIFY(sameLine(canvas.lines[5], 278, 0, 278, 600));
        QVERIFY(sameLine(canvas.lines.back(), -294, 0, -294, 600));
    }

    void gridLinesBeyondTheEdges()
    {
        RecordingCanvas canvas;
        DrawPlaneOn(canvas, ViewAt(40));
        QVERIFY(hasLine(canvas, 0, 620, 600, 620));
        QVERIFY(hasLine(canvas, 0, 900, 600, 900));
        QVERIFY(hasLine(canvas, 900, 0, 900, 600));
        QVERIFY(hasLine(canvas, 0, -300, 600, -300));
        QVERIFY(hasLine(canvas, -300, 0, -300, 600));
        QVERIFY(!hasLine(canvas, 0, 940, 600, 940));
    }

    void printsBoldWithOriginMark()
    {
        RecordingCanvas canvas;
        DrawPlaneOn(canvas, ViewAt(22));
        qsizetype bold = -1;
        qsizetype firstPrint = -1;
        for (qsizetype i = 0; i < canvas.calls.size(); ++i) {
            if (bold < 0 && canvas.calls[i].op == Op::FontBold && canvas.calls[i].a == 1.0f)
                bold = i;
            if (firstPrint < 0 && canvas.calls[i].op == Op::Print)
                firstPrint = i;
        }
        QVERIFY(bold >= 0);
        QVERIFY(bold < firstPrint);
        for (const auto &print : canvas.prints)
            QVERIFY(print.bold);
        QCOMPARE(printsOf(canvas, QStringLiteral("\uFF2F"), 280, 298), 1);
        QCOMPARE(canvas.prints.front().text, QStringLiteral("\uFF2F"));
    }

    void tickLabels_data()
    {
        QTest::addColumn<int>("gridUnit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        const struct {
            int unit;
            const char *text;
            float x, y;
        } rows[] = {
            {14, " 5", 355, 298},   {14, "-5", 210, 298},   {14, " 5", 275, 218},
            {14, "-5", 270, 358},   {14, " 10", 417, 298},  {14, "-10", 132, 298},
            {14, " 10", 262, 148},  {14, "-10", 257, 428},  {14, " 40", 837, 298},
            {14, "-40", -288, 298}, {14, " 40", 262, -272}, {14, "-40", 257, 848},
            {22, " 5", 395, 298},   {22, "-5", 170, 298},   {22, " 5", 275, 178},
            {22, "-5", 270, 398},   {22, " 10", 497, 298},  {22, "-10", 52, 298},
            {22, " 10", 262, 68},   {22, "-10", 257, 508},  {22, " 25", 827, 298},
            {22, "-25", -278, 298}, {22, " 25", 262, -262}, {22, "-25", 257, 838},
            {40, " 2", 365, 298},   {40, "-2", 200, 298},   {40, " 2", 275, 208},
            {40, "-2", 270, 368},   {40, " 8", 605, 298},   {40, "-8", -40, 298},
            {40, " 8", 275, -32},   {40, "-8", 270, 608},   {40, " 10", 677, 298},
            {40, "-10", -128, 298}, {40, " 10", 262, -112}, {40, "-10", 257, 688},
            {40, " 14", 837, 298},  {40, "-14", -288, 298}, {40, " 14", 262, -272},
            {40, "-14", 257, 848},
        };
        for (const auto &row : rows)
            QTest::addRow("%d %s at %g,%g", row.unit, row.text, double(row.x), double(row.y))
                << row.unit << QString::fromLatin1(row.text) << row.x << row.y;
    }

    void tickLabels()
    {
        QFETCH(int, gridUnit);
        QFETCH(QString, text);
        QFETCH(float, x);
        QFETCH(float, y);
        RecordingCanvas canvas;
        DrawPlaneOn(canvas, ViewAt(gridUnit));
        QCOMPARE(printsOf(canvas, text, x, y), 1);
    }

    void repeatsExactly()
    {
        RecordingCanvas canvas;
        DrawPlaneOn(canvas, ViewAt(14));
        const qsizetype first = canvas.calls.size();
        DrawPlaneOn(canvas, ViewAt(14));
        QCOMPARE(canvas.calls.size(), 2 * first);
        for (qsizetype i = 0; i < first; ++i)
            QVERIFY2(sameCall(canvas.calls[i], canvas.calls[first + i]),
                     qPrintable(QStringLiteral("call %1 differs").arg(i)));
    }

    void axisNamePlaces()
    {
        const AxisNamePlaces places = AxisNamePlacesFor(ViewAt(22));
        QCOMPARE(places.yNameLeft, 304);
        QCOMPARE(places.xNameTop, 328);
    }

    void drawsOnAnImage()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        canvas.SetFontSize(SurfaceTextPoints);
        DrawPlaneOn(canvas, ViewAt(22));
        const QImage image = canvas.Image();
        for (int x = 299; x <= 301; ++x)
            QCOMPARE(image.pixel(x, 150), Black);
        QCOMPARE(image.pixel(298, 150), SurfaceYellow);
        QCOMPARE(image.pixel(302, 150), SurfaceYellow);
        QCOMPARE(image.pixel(322, 150), Black);
        QCOMPARE(image.pixel(321, 150), SurfaceYellow);
        QCOMPARE(image.pixel(323, 150), SurfaceYellow);
        const QPoint cellCentres[] = {{333, 157}, {157, 443}, {443, 443}, {47, 47}, {553, 179}};
        for (const QPoint &centre : cellCentres)
            QCOMPARE(image.pixel(centre), SurfaceYellow);
        // The label " 10" right of the origin; grid pixels do not count.
        int marked = 0;
        for (int y = 298; y <= 330; ++y)
            for (int x = 497; x <= 540; ++x)
                if (x != 498 && x != 520 && (y < 299 || y > 301) && y != 322 &&
                    image.pixel(x, y) != SurfaceYellow)
                    ++marked;
        QVERIFY(marked > 10);
    }
};

QTEST_MAIN(TestPlaneDrawing)
#include "tst_planedrawing.moc"
