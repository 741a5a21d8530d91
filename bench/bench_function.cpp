// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/linearfunction.h"
#include "lines/slopetriangle.h"
#include "surface/canvas.h"
#include "surface/surface.h"
#include "window/window.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Every row reports the mean, median and spread of ten runs in microseconds;
// the median is the figure the targets speak of.
void Measured(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
}

// A surface that takes every drawing call and shows nothing, so that only
// the core's own work is measured.
class BlankCanvas final : public Canvas {
public:
    void Clear() override {}
    float Width() const override { return SurfaceWidth; }
    float Height() const override { return SurfaceHeight; }
    void SetDrawWidth(std::int16_t /*width*/) override {}
    void SetForeColor(Rgb /*colour*/) override {}
    void Line(float /*x1*/, float /*y1*/, float /*x2*/, float /*y2*/) override {}
    void SetFontSize(float /*points*/) override {}
    void SetFontBold(bool /*bold*/) override {}
    void SetCurrentX(float /*x*/) override {}
    void SetCurrentY(float /*y*/) override {}
    void Print(const std::string & /*text*/) override {}
    Extent TextSize(const std::string &text) override
    {
        return {9.0 * static_cast<double>(text.size()), 27.0};
    }
    void FillBox(float /*left*/, float /*top*/, float /*width*/, float /*height*/,
                 Rgb /*colour*/) override
    {}
    void FillDot(float /*x*/, float /*y*/, float /*radius*/, Rgb /*colour*/) override {}
    void Refresh() override {}
};

// One keystroke in the c box of 2x + 3y = c over −3 to 3 with the view on:
// the boxes read anew, the panel's numbers and words, the slope triangle
// and the whole picture drawn afresh, and the surface described again.
void BM_FunctionView_OneEdit(benchmark::State &state)
{
    BlankCanvas canvas;
    Window window(canvas);
    const char *texts[] = {"2", "3", "6", "-3", "3"};
    for (int n = 0; n < 5; ++n)
        window.Edit(controls::Boxes.at(static_cast<std::size_t>(n)), texts[n]);
    window.ShowFunction(true);
    bool seven = false;
    while (state.KeepRunning()) {
        seven = !seven;
        const Window::Outcome outcome = window.Edit(controls::Boxes[box::C], seven ? "7" : "6");
        benchmark::DoNotOptimize(outcome.drawn);
    }
}
BENCHMARK(BM_FunctionView_OneEdit)->Apply(Measured);

// The worksheet of a full sheet as the core draws it for the printer: eight
// lines, the numbers and crossings, the formula and table, at the large
// plane's 4 mm; the paper itself takes the calls and draws nothing.
void BM_Worksheet_FullSheet(benchmark::State &state)
{
    BlankCanvas canvas;
    Window window(canvas);
    window.OpenLink("#1=2,3,6,-3,3&2=1,-1,0,-20,20&3=1,1,5,-20,20&4=0,1,-3,-20,20&"
                    "5=1,0,4,-20,20&6=3,-2,1,-20,20&7=1,2,-8,-20,20&8=5,1,0,-3,3&"
                    "size=l&marks=1&slot=1",
                    LinkOpening::Start);
    window.ShowFunction(true);
    BlankCanvas paper;
    while (state.KeepRunning())
        window.DrawWorksheet(paper, {});
}
BENCHMARK(BM_Worksheet_FullSheet)->Apply(Measured);

// The numbers alone at their most awkward: seven-digit values, so that every
// y of the table is a fraction with long numbers and is shown rounded.
void BM_FunctionView_AwkwardNumbers(benchmark::State &state)
{
    const LineSlot typed{0, 0.1234567f, -0.7654321f, 3.141593f, -9.876543f, 9.876543f};
    const PlaneView view;
    std::size_t columns = 0;
    while (state.KeepRunning()) {
        const LinearFunction function = FunctionOf(typed);
        const FunctionWords words = DescribeFunction(function);
        const auto triangle = SlopeTriangleOf(typed, view);
        columns = function.table.size();
        benchmark::DoNotOptimize(words.lines.data());
        benchmark::DoNotOptimize(triangle.has_value());
    }
    state.counters["columns"] = double(columns);
}
BENCHMARK(BM_FunctionView_AwkwardNumbers)->Apply(Measured);

} // namespace

BENCHMARK_MAIN();
