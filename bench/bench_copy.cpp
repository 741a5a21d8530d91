// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/formwindow.h"
#include "desktop/picturebox.h"
#include "desktop/startup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

// Resident memory of this process in kilobytes.
double ResidentKilobytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4.0;
}

// Copying the picture a hundred times in a row, as a teacher filling a
// worksheet might: the time of one copy, and how much resident memory the
// hundred copies left behind (it should stay near zero: the clipboard holds
// one picture at a time).
void BM_CopyPicture(benchmark::State &state)
{
    FormWindow form;
    PictureBox *surface = form.Surface();
    surface->CopyToClipboard();
    const double before = ResidentKilobytes();
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i)
            surface->CopyToClipboard();
    }
    state.counters["rss_growth_kB"] = ResidentKilobytes() - before;
    state.counters["copies"] = benchmark::Counter(100.0 * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CopyPicture)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrepareApplication();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
