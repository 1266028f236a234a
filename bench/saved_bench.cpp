// Saved-colours benchmark (not a test), in one process: the main window's start-up with a
// colors.ini of 10,000 entries against start-up with none, taken in turns; "Save" with 10,000
// entries in the list; and the process's memory with the window holding 0, 1,000 and 10,000
// entries. Goals: start-up's extra cost under 0.5 s, "Save" under 50 ms.
//
// Run (after a Win32 build, on the test display and prefix, e.g. after `. scripts/env.sh`):
//   scripts/wine-exec build/win32/bench/saved_bench.exe [runs, default 5]
// It replaces colors.ini in the prefix's data folder.
#include "main/MainForm.h"
#include "ui/Application.h"

#include "BenchClock.h"
#include "BenchColorsFile.h"
#include "ProcessMemory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

using vtl::TfrmMain;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A file of n different colours.
void WriteColors(int n) {
    std::ofstream out(ColorsFile(), std::ios::binary | std::ios::trunc);
    char line[16];
    for (int i = 0; i < n; ++i) {
        std::snprintf(line, sizeof line, "#%06X\r\n", unsigned(i) * 1663u % 0x1000000u);
        out << line;
    }
}

// Start-up of the main window until it shows with nothing left to do.
double TimeStartup(std::unique_ptr<TfrmMain>& form) {
    const double t0 = Now();
    form = std::make_unique<TfrmMain>();
    form->Show();
    vtl::Application().ProcessMessages();
    return Now() - t0;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    vtl::Application().Initialize();
    vtl::Application().OnException = [](const std::string& m) {
        std::printf("error: %s\n", m.c_str());
    };
    std::unique_ptr<TfrmMain> form;

    std::vector<double> none, full, save;
    for (int r = 0; r < runs; ++r) {
        DeleteFileA(ColorsFile().c_str());
        none.push_back(TimeStartup(form));
        form.reset();
        WriteColors(10000);
        full.push_back(TimeStartup(form));
        const double t0 = Now();
        form->Save1Click();
        save.push_back(Now() - t0);
        form.reset();
    }
    std::printf("start-up, no colors.ini:        %8.1f ms (median of %d)\n", Median(none), runs);
    std::printf("start-up, 10,000 entries:       %8.1f ms\n", Median(full));
    std::printf("  extra cost of the entries:    %8.1f ms (goal: under 500), ratio %.2f\n",
                Median(full) - Median(none), Median(full) / Median(none));
    std::printf("\"Save\" with 10,000 entries:     %8.1f ms (goal: under 50)\n", Median(save));

    double base = 0;
    for (int n : {0, 1000, 10000}) {
        WriteColors(n);
        TimeStartup(form);
        const double mb = double(vtl::bench::CommittedBytes()) / (1024.0 * 1024.0);
        if (n == 0) base = mb;
        std::printf("committed memory, %5d entries: %6.1f MB (+%.1f MB)\n", n, mb, mb - base);
        form.reset();
    }
    DeleteFileA(ColorsFile().c_str());
    return 0;
}
