// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/imagecanvas.h"
#include "lines/crossings.h"
#include "lines/linedrawing.h"
#include "lines/linetable.h"
#include "lines/marks.h"
#include "lines/picture.h"
#include "plane/planedrawing.h"
#include "plane/planeview.h"
#include "surface/surface.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// The surface as the window makes it, on a screen with the given device pixel
// ratio.
struct Surface {
    explicit Surface(qreal ratio = 1.0)
        : canvas(SurfaceWidth, SurfaceHeight, SurfaceBackColour, ratio)
    {
        canvas.SetFontSize(SurfaceFontPoints);
    }
    ImageCanvas canvas;
};

PlaneView ViewWithUnit(std::int64_t unit)
{
    PlaneView view;
    view.GridUnit = static_cast<std::int16_t>(unit);
    return view;
}

// Every row reports the mean, median and spread of ten runs in microseconds;
// the median is the figure the targets speak of.
void Measured(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
}

// How many pixels differ from the back colour: rows that should draw the same
// line can be seen to have drawn the same thing.
double InkedPixels(const QImage &image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            inked += (row[x] & 0xffffffu) != (SurfaceBackColour & 0xffffffu) ? 1 : 0;
    }
    return inked;
}

void Store(LineTable &table, int slot, float a, float b, float c, float from, float to)
{
    table.Slot(slot) = LineSlot{1.0f, a, b, c, from, to};
}

// Eight lines of every kind, sloped, vertical and horizontal, some reaching
// past the edges; the last two slots stay empty as they do in a lesson.
LineTable LessonTable()
{
    LineTable table;
    Store(table, 0, 1, 1, 2, -5, 5);
    Store(table, 1, 1, 0, 3, -4, 4);
    Store(table, 2, 0, 1, -2, -6, 6);
    Store(table, 3, 2, -1, 1, -3, 3);
    Store(table, 4, 1, -3, 0, -10, 10);
    Store(table, 5, 2, 0, -7, -8, 8);
    Store(table, 6, 0, 2, 5, -9, 9);
    Store(table, 7, -1, 4, -3, -12, 12);
    return table;
}

// The whole picture of the lesson table, again and again, as every plane
// size button draws it.
void FullRedraw(benchmark::State &state, std::int64_t unit, qreal ratio)
{
    Surface surface(ratio);
    const PlaneView view = ViewWithUnit(unit);
    const LineTable table = LessonTable();
    while (state.KeepRunning()) {
        DrawPictureOn(surface.canvas, table, view);
        benchmark::DoNotOptimize(surface.canvas.Image().constBits());
    }
}

void BM_FullRedraw(benchmark::State &state)
{
    FullRedraw(state, state.range(0), 1.0);
}

// The same with the lines' numbers and crossings shown: solving every pair
// exactly and placing each mark comes on top of the picture.
void BM_FullRedrawWithMarks(benchmark::State &state)
{
    Surface surface;
    const PlaneView view = ViewWithUnit(state.range(0));
    const LineTable table = LessonTable();
    while (state.KeepRunning()) {
        DrawPictureOn(surface.canvas, table, view);
        DrawMarksOn(surface.canvas, table, view, Crossings(table, view));
        benchmark::DoNotOptimize(surface.canvas.Image().constBits());
    }
}
BENCHMARK(BM_FullRedrawWithMarks)->Arg(22)->Arg(14)->Apply(Measured);
BENCHMARK(BM_FullRedraw)->Arg(40)->Arg(22)->Arg(14)->Apply(Measured);

// The rows at a device pixel ratio take it in hundredths, as a desktop scale
// of 125 % is written.
qreal RatioOf(const benchmark::State &state)
{
    return static_cast<qreal>(state.range(0)) / 100.0;
}

void AtEveryRatio(benchmark::internal::Benchmark *b)
{
    for (const int percent : {100, 125, 150, 175, 200, 300})
        b->Arg(percent);
    Measured(b);
}

// The full redraw at 14 pixels per unit on a high-dpi screen or a scaled
// projector: the picture has ratio squared times the pixels.
void BM_FullRedrawAtRatio(benchmark::State &state)
{
    FullRedraw(state, 14, RatioOf(state));
}
BENCHMARK(BM_FullRedrawAtRatio)->Apply(AtEveryRatio);

// Wiping the same picture and nothing else: writing every pixel once is the
// least any full redraw costs, so the rows above are read against these.
void BM_FillImageAtRatio(benchmark::State &state)
{
    Surface surface(RatioOf(state));
    while (state.KeepRunning()) {
        surface.canvas.Clear();
        benchmark::DoNotOptimize(surface.canvas.Image().constBits());
    }
}
BENCHMARK(BM_FillImageAtRatio)->Apply(AtEveryRatio);

void BM_DrawPlane(benchmark::State &state)
{
    Surface surface;
    const PlaneView view = ViewWithUnit(state.range(0));
    while (state.KeepRunning()) {
        DrawPlaneOn(surface.canvas, view);
        benchmark::DoNotOptimize(surface.canvas.Image().constBits());
    }
}
BENCHMARK(BM_DrawPlane)->Arg(14)->Apply(Measured);

// One stored line drawn as the draw button does, on an empty surface so the
// "inked" counter shows what it drew. Both lines are y = -x, corner to corner
// through the same pixels; the far one's ends lie about 1.4e38 pixels away,
// near the top of the single-precision range.
void DrawOneStoredLine(benchmark::State &state, const LineSlot &line)
{
    Surface surface;
    const PlaneView view = ViewWithUnit(14);
    LineTable table;
    table.Slot(0) = line;
    while (state.KeepRunning()) {
        DrawLineOn(surface.canvas, table, 0, LineColor, view);
        benchmark::DoNotOptimize(surface.canvas.Image().constBits());
    }
    state.counters["inked"] = InkedPixels(surface.canvas.Image());
}

void BM_DrawLineOn_Ordinary(benchmark::State &state)
{
    DrawOneStoredLine(state, LineSlot{1.0f, 1.0f, 1.0f, 0.0f, -25.0f, 25.0f});
}
BENCHMARK(BM_DrawLineOn_Ordinary)->Apply(Measured);

void BM_DrawLineOn_FarEnds(benchmark::State &state)
{
    DrawOneStoredLine(state, LineSlot{1.0f, 1.0f, 1.0f, 0.0f, -1e37f, 1e37f});
}
BENCHMARK(BM_DrawLineOn_FarEnds)->Apply(Measured);

// The same comparison straight on the canvas, with a 3-pixel pen.
void DrawOneCanvasLine(benchmark::State &state, float from, float to)
{
    Surface surface;
    surface.canvas.SetDrawWidth(3);
    while (state.KeepRunning()) {
        surface.canvas.Line(from, from, to, to);
        benchmark::DoNotOptimize(surface.canvas.Image().constBits());
    }
    state.counters["inked"] = InkedPixels(surface.canvas.Image());
}

void BM_CanvasLine_Ordinary(benchmark::State &state)
{
    DrawOneCanvasLine(state, -50.0f, 650.0f);
}
BENCHMARK(BM_CanvasLine_Ordinary)->Apply(Measured);

void BM_CanvasLine_FarEnds(benchmark::State &state)
{
    DrawOneCanvasLine(state, -1e38f, 1e38f);
}
BENCHMARK(BM_CanvasLine_FarEnds)->Apply(Measured);

} // namespace

int main(int argc, char **argv)
{
    // Text needs a GUI application for its fonts, but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
