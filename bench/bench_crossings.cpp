// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/crossings.h"
#include "lines/linetable.h"
#include "plane/planeview.h"
#include "window/sentences.h"

#include <benchmark/benchmark.h>

namespace {

// Every row reports the mean, median and spread of ten runs in microseconds;
// the median is the figure the targets speak of.
void Measured(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
}

// The worst a lesson can store: eight lines, each value with seven awkward
// digits, so every one of the 28 pairs meets in a point whose fractions have
// long numerators and denominators, and every point needs the rounded form.
LineTable AwkwardTable()
{
    static constexpr float values[8][5] = {
        {0.1234567f, -0.7654321f, 3.141593f, -9.876543f, 9.876543f},
        {-2.718282f, 1.414214f, -0.5772157f, -8.765432f, 8.765432f},
        {1.732051f, 2.236068f, 1.234567e-07f, -7.654321f, 7.654321f},
        {-0.3333333f, -0.1428571f, 6.022141f, -6.543211f, 6.543211f},
        {9.999999f, 0.0001234f, -1.602177f, -5.432111f, 5.432111f},
        {0.6931472f, -1.098612f, 2.302585f, -12.34567f, 12.34567f},
        {-4.669202f, 2.502908f, -0.9159656f, -3.333333f, 3.333333f},
        {1.618034f, -0.6180340f, 7.777777f, -1.111111f, 1.111111f},
    };
    LineTable table;
    for (int slot = 0; slot < 8; ++slot) {
        const float *v = values[slot];
        table.Slot(slot) = LineSlot{1.0f, v[0], v[1], v[2], v[3], v[4]};
    }
    return table;
}

// The work of a full redraw with the switch on.
void BM_Crossings_EightAwkwardLines(benchmark::State &state)
{
    const LineTable table = AwkwardTable();
    const PlaneView view;
    std::size_t marked = 0;
    while (state.KeepRunning()) {
        const std::vector<Crossing> crossings = Crossings(table, view);
        marked = 0;
        for (const Crossing &crossing : crossings)
            marked += crossing.marked ? 1 : 0;
        benchmark::DoNotOptimize(crossings.data());
    }
    state.counters["pairs"] = double(Crossings(table, view).size());
    state.counters["marked"] = double(marked);
}
BENCHMARK(BM_Crossings_EightAwkwardLines)->Apply(Measured);

// The sentences for the clipboard and the description, crossings included.
void BM_DescribeCrossings_EightAwkwardLines(benchmark::State &state)
{
    const LineTable table = AwkwardTable();
    const PlaneView view;
    while (state.KeepRunning()) {
        const std::vector<std::string> sentences = DescribeCrossings(Crossings(table, view));
        benchmark::DoNotOptimize(sentences.data());
    }
}
BENCHMARK(BM_DescribeCrossings_EightAwkwardLines)->Apply(Measured);

} // namespace

BENCHMARK_MAIN();
