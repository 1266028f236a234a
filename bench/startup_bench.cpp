// Start-up benchmark: wall time from CreateProcess until the program's main window is visible
// (for Vantrel.exe that is when start-up has finished: the window is shown after its creation
// sequence), for Vantrel.exe and for a minimal Win32 program that opens one window
// (minimal_window.exe), and for the main window's layout made of plain system controls
// (layout_window.exe), started in turn N times each. Each window is closed and its process
// awaited before the next start. Prints the medians and their ratios; the goal is Vantrel
// within 1.3 times the minimal program.
//
// Run (after a Win32 build, on the test display and prefix, e.g. after `. scripts/env.sh`):
//   scripts/wine-exec build/win32/bench/startup_bench.exe [runs, default 25]
// Building the target startup_bench builds the three programs with it.
#include <windows.h>

#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Program {
    const char* label;
    std::string exe;
    const char* windowClass;
    const char* windowTitle;
    std::vector<double> ms;
};

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

HWND VisibleWindowOf(const Program& p, DWORD processId) {
    for (HWND w = FindWindowExA(nullptr, nullptr, p.windowClass, p.windowTitle); w;
         w = FindWindowExA(nullptr, w, p.windowClass, p.windowTitle)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// One start: the time until the window is visible, or a negative value on failure.
double TimeOneStart(const Program& p) {
    std::string command = "\"" + p.exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = Now();
    if (!CreateProcessA(p.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", p.exe.c_str());
        return -1;
    }
    HWND wnd = nullptr;
    double shown = -1;
    while (Now() - start < 30000) {
        if ((wnd = VisibleWindowOf(p, pi.dwProcessId)) != nullptr) {
            shown = Now() - start;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    if (wnd) PostMessageA(wnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%s did not end; terminated\n", p.label);
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
        shown = -1;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return shown;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
    const std::string build = OwnFolder().substr(0, OwnFolder().find_last_of('\\'));
    Program programs[] = {
        {"Vantrel.exe", build + "\\Vantrel.exe", "VtlWindow", "Vantrel", {}},
        {"minimal_window.exe",
         OwnFolder() + "\\minimal_window.exe",
         "VtlMinimalWindow",
         "Minimal",
         {}},
        {"layout_window.exe", OwnFolder() + "\\layout_window.exe", "VtlLayoutWindow", "Layout", {}},
    };
    if (HANDLE running = OpenMutexA(SYNCHRONIZE, FALSE, "933fdbc7bfd91faa212aee69854f7a91")) {
        CloseHandle(running);
        std::fprintf(stderr, "Vantrel is running already; end it first\n");
        return 2;
    }
    // One start of each first, not counted: the first load of a program file costs extra.
    for (Program& p : programs)
        if (TimeOneStart(p) < 0) return 1;
    for (int i = 0; i < runs; ++i)
        for (Program& p : programs) {
            const double ms = TimeOneStart(p);
            if (ms < 0) return 1;
            p.ms.push_back(ms);
        }
    for (const Program& p : programs)
        std::printf("%-20s median %7.1f ms  (min %.1f, max %.1f, %d runs)\n", p.label, Median(p.ms),
                    *std::min_element(p.ms.begin(), p.ms.end()),
                    *std::max_element(p.ms.begin(), p.ms.end()), runs);
    const double ratio = Median(programs[0].ms) / Median(programs[1].ms);
    std::printf("ratio Vantrel / minimal: %.2f (goal: at most 1.30)\n", ratio);
    std::printf("ratio plain-control layout / minimal: %.2f (the same window without Vantrel)\n",
                Median(programs[2].ms) / Median(programs[1].ms));
    std::printf("ratio Vantrel / plain-control layout: %.2f\n",
                Median(programs[0].ms) / Median(programs[2].ms));
    // On a busy machine the medians move with the load; the fastest runs show the floor.
    const double floorRatio = *std::min_element(programs[0].ms.begin(), programs[0].ms.end()) /
                              *std::min_element(programs[1].ms.begin(), programs[1].ms.end());
    std::printf("ratio of the fastest runs: %.2f\n", floorRatio);
    return 0;
}
