// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/imagecanvas.h"
#include "lines/linedrawing.h"
#include "support/pictures.h"
#include "support/uifacts.h"

#include "support/recordingcanvas.h"

#include <QtTest>

#include <limits>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

LineSlot drawnSlot(float a, float b, float c, float from, float to)
{
    return LineSlot{1, a, b, c, from, to};
}

QString describe(float x1, float y1, float x2, float y2)
{
    return QStringLiteral("(%1, %2) -> (%3, %4)")
        .arg(double(x1), 0, 'g', 9)
        .arg(double(y1), 0, 'g', 9)
        .arg(double(x2), 0, 'g', 9)
        .arg(double(y2), 0, 'g', 9);
}

// A canvas whose pen is deliberately not in the state line drawing leaves.
void dirty(RecordingCanvas &canvas)
{
    canvas.SetForeColor(qRgb(255, 0, 0));
    canvas.SetDrawWidth(1);
    canvas.calls.clear();
}

} // namespace

Q_DECLARE_METATYPE(LineSlot)

class TestLineDrawing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exactEnds_data()
    {
        QTest::addColumn<LineSlot>("slot");
        QTest::addColumn<int>("gridUnit");
        QTest::addColumn<float>("x1");
        QTest::addColumn<float>("y1");
        QTest::addColumn<float>("x2");
        QTest::addColumn<float>("y2");
        QTest::newRow("slope") << drawnSlot(1, 2, 4, -2, 6) << 22 << 256.0f << 234.0f << 432.0f
                               << 322.0f;
        QTest::newRow("vertical") << drawnSlot(2, 0, 6, -1, 4) << 40 << 420.0f << 340.0f << 420.0f
                                  << 140.0f;
        QTest::newRow("horizontal")
            << drawnSlot(0, 3, 6, -5, 5) << 14 << 230.0f << 272.0f << 370.0f << 272.0f;
        QTest::newRow("from above to")
            << drawnSlot(1, 2, 4, 6, -2) << 22 << 432.0f << 322.0f << 256.0f << 234.0f;
        QTest::newRow("from equals to")
            << drawnSlot(1, 2, 4, 2, 2) << 22 << 344.0f << 278.0f << 344.0f << 278.0f;
        QTest::newRow("negative zero b")
            << drawnSlot(2, -0.0f, 6, -1, 4) << 40 << 420.0f << 340.0f << 420.0f << 140.0f;
        // The exact quotient would give 366.666656; each step rounded gives
        // 366.666687.
        QTest::newRow("rounded slope")
            << drawnSlot(-1, 3, 0, -5, 1) << 40 << 100.0f << 366.666687f << 340.0f << 286.666656f;
        // Likewise 406.666656 exactly against 406.666687 in single steps.
        QTest::newRow("rounded vertical")
            << drawnSlot(3, 0, 8, -1, 2) << 40 << 406.666687f << 340.0f << 406.666687f << 220.0f;
    }

    void exactEnds()
    {
        QFETCH(LineSlot, slot);
        QFETCH(int, gridUnit);
        QFETCH(float, x1);
        QFETCH(float, y1);
        QFETCH(float, x2);
        QFETCH(float, y2);
        const auto ends = LineEnds(slot, ViewAt(gridUnit));
        QVERIFY(ends.has_value());
        QVERIFY2(ends->x1 == x1 && ends->y1 == y1 && ends->x2 == x2 && ends->y2 == y2,
                 qPrintable(describe(ends->x1, ends->y1, ends->x2, ends->y2)));

        LineTable table;
        table.Slot(3) = slot;
        RecordingCanvas canvas;
        dirty(canvas);
        DrawLineOn(canvas, table, 3, LineColor, ViewAt(gridUnit));
        QCOMPARE(canvas.lines.size(), 1);
        const auto &line = canvas.lines.front();
        QVERIFY2(line.x1 == x1 && line.y1 == y1 && line.x2 == x2 && line.y2 == y2,
                 qPrintable(describe(line.x1, line.y1, line.x2, line.y2)));
        QCOMPARE(line.width, 3);
        QCOMPARE(line.colour, LineBlue);
        QCOMPARE(canvas.ForeColor(), Black);
        QCOMPARE(canvas.DrawWidth(), std::int16_t(3));
    }

    void emptySlotIssuesNothing()
    {
        LineTable table;
        table.Slot(0) = LineSlot{0, 1, 2, 4, -2, 6};
        RecordingCanvas canvas;
        dirty(canvas);
        DrawLineOn(canvas, table, 0, LineColor, ViewAt(22));
        QVERIFY(canvas.calls.isEmpty());
        QCOMPARE(canvas.ForeColor(), qRgb(255, 0, 0));
        QCOMPARE(canvas.DrawWidth(), std::int16_t(1));
    }

    void noLineLeavesPenBlack_data()
    {
        QTest::addColumn<LineSlot>("slot");
        QTest::newRow("a = b = 0") << drawnSlot(0, 0, 5, -1, 1);
        QTest::newRow("infinite a") << drawnSlot(kInf, 2, 4, -2, 6);
        QTest::newRow("infinite a and c") << drawnSlot(kInf, 0, kInf, -1, 1);
        QTest::newRow("infinite from") << drawnSlot(1, 2, 4, -kInf, 6);
        QTest::newRow("c / a overflows") << drawnSlot(1e-38f, 0, 3e38f, -1, 1);
        QTest::newRow("NaN b") << drawnSlot(1, kNaN, 4, -2, 6);
        QTest::newRow("NaN to") << drawnSlot(2, 0, 6, -1, kNaN);
        QTest::newRow("steep beyond range") << drawnSlot(3e38f, 1e-30f, 0, 1, 2);
    }

    void noLineLeavesPenBlack()
    {
        QFETCH(LineSlot, slot);
        QVERIFY(!LineEnds(slot, ViewAt(22)).has_value());
        LineTable table;
        table.Slot(5) = slot;
        RecordingCanvas canvas;
        dirty(canvas);
        DrawLineOn(canvas, table, 5, LineColor, ViewAt(22));
        QVERIFY(canvas.lines.isEmpty());
        QCOMPARE(canvas.ForeColor(), Black);
        QCOMPARE(canvas.DrawWidth(), std::int16_t(3));
    }

    void fullRedrawSkipsNonLines()
    {
        LineTable table;
        table.Slot(0) = drawnSlot(0, 0, 0, 0, 0);
        table.Slot(1) = drawnSlot(2, 0, 6, -1, 4);
        RecordingCanvas canvas;
        for (int slot = 0; slot < LineTable::SlotCount; ++slot)
            DrawLineOn(canvas, table, slot, LineColor, ViewAt(40));
        QCOMPARE(canvas.lines.size(), 1);
        QVERIFY(canvas.lines[0].x1 == 420.0f && canvas.lines[0].y1 == 340.0f);
        QVERIFY(canvas.lines[0].x2 == 420.0f && canvas.lines[0].y2 == 140.0f);
        QCOMPARE(canvas.ForeColor(), Black);
    }

    void drawsOnAnImage()
    {
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        LineTable table;
        table.Slot(0) = drawnSlot(1, 2, 4, -2, 6);
        DrawLineOn(canvas, table, 0, LineColor, ViewAt(22));
        const QImage image = canvas.Image();
        const QPoint onLine[] = {{256, 234}, {300, 256}, {344, 278}, {388, 300}, {432, 322}};
        for (const QPoint &point : onLine)
            QCOMPARE(image.pixel(point), LineBlue);
        const QPoint beyond[] = {{440, 326}, {436, 324}, {248, 230}, {252, 232}, {344, 270}};
        for (const QPoint &point : beyond)
            QCOMPARE(image.pixel(point), SurfaceYellow);
    }

    void wideRangeCrossesTheWholeSurface()
    {
        // A pupil may give a range far wider than the surface; the visible
        // part must still be drawn edge to edge.
        ImageCanvas canvas(SurfaceSize, SurfaceSize, SurfaceYellow);
        LineTable table;
        table.Slot(0) = drawnSlot(0, 1, 2, -1e20f, 1e20f);
        DrawLineOn(canvas, table, 0, LineColor, ViewAt(22));
        const QImage image = canvas.Image();
        int blue = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 600; ++x)
                blue += image.pixel(x, y) == LineBlue ? 1 : 0;
        QCOMPARE(blue, 1800);
        QCOMPARE(image.pixel(300, 256), LineBlue);
    }
};

QTEST_MAIN(TestLineDrawing)
#include "tst_linedrawing.moc"
