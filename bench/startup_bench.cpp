// Start-up benchmark: wall time from CreateProcess until the program's main window is visible
// and fully painted (no window of it has anything left to paint; for Vantrel.exe start-up has
// then finished: the window is shown after its creation sequence, and what may follow the
// first paint runs before any input), for Vantrel.exe and for a minimal Win32 program that
// opens one window
// (minimal_window.exe), and for the main window's layout made of plain system controls
// (layout_window.exe), started in turn N times each. Each window is closed and its process
// awaited before the next start. Prints the medians and their ratios (the goal: Vantrel within
// 1.2 times the plain-control layout) and a timeline of the phases of a start. Given another
// build's Vantrel.exe, it starts that one in the same rounds too, so that a change is measured
// side by side with what it changes, under the same load.
//
// Run (after a Win32 build, on the test display and prefix, e.g. after `. scripts/env.sh`):
//   scripts/wine-exec build/win32/bench/startup_bench.exe [runs, default 25] [other Vantrel.exe]
// Building the target startup_bench builds the three programs with it.
#include <windows.h>

#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
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

// True when neither the window nor any window inside it waits for a paint. The update regions
// live in the window server, so another process can ask.
BOOL CALLBACK FindUnpainted(HWND w, LPARAM found) {
    RECT r;
    if (!GetUpdateRect(w, &r, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool Painted(HWND w) {
    bool unpainted = false;
    FindUnpainted(w, reinterpret_cast<LPARAM>(&unpainted));
    if (!unpainted) EnumChildWindows(w, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

// One start: the time until the window is visible and painted, or a negative value on failure.
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
        if (!wnd) wnd = VisibleWindowOf(p, pi.dwProcessId);
        if (wnd && Painted(wnd)) {
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

// Milestones of one start as seen from outside, in ms after CreateProcess (negative: not
// seen): the first window of the process, the main window, its last child window, its window
// region (the skinned frame), the main window visible, then with nothing left to paint.
struct Timeline {
    double firstWindow = -1, mainWindow = -1, controls = -1, region = -1, visible = -1,
           painted = -1;
};

BOOL CALLBACK CountOne(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int CountDescendants(HWND w) {
    int n = 0;
    EnumChildWindows(w, &CountOne, reinterpret_cast<LPARAM>(&n));
    return n;
}

bool OwnedBy(HWND w, DWORD processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    return owner == processId;
}

// Polls the milestones of one start; the program is closed afterwards.
Timeline TraceOneStart(const Program& p) {
    std::string command = "\"" + p.exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    Timeline t;
    const double start = Now();
    if (!CreateProcessA(p.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return t;
    HWND main = nullptr;
    std::vector<std::pair<double, int>> children; // (time, count) while it grows
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    while (Now() - start < 30000 && t.painted < 0) {
        const double now = Now() - start;
        if (t.firstWindow < 0)
            for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
                if (OwnedBy(w, pi.dwProcessId)) {
                    t.firstWindow = now;
                    break;
                }
        // By class alone: the title may come late in the window's creation.
        if (!main)
            for (HWND w = FindWindowExA(nullptr, nullptr, p.windowClass, nullptr); w;
                 w = FindWindowExA(nullptr, w, p.windowClass, nullptr))
                if (OwnedBy(w, pi.dwProcessId)) main = w;
        if (main) {
            if (t.mainWindow < 0) t.mainWindow = now;
            const int n = CountDescendants(main);
            if (children.empty() || children.back().second != n) children.emplace_back(now, n);
            if (t.region < 0 && GetWindowRgn(main, region) != ERROR) t.region = now;
            if (t.visible < 0 && IsWindowVisible(main)) t.visible = now;
            if (t.visible >= 0 && Painted(main)) t.painted = now;
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    DeleteObject(region);
    if (!children.empty()) t.controls = children.back().first;
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return t;
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
    std::vector<Program> programs = {
        {"Vantrel.exe", build + "\\Vantrel.exe", "VtlWindow", "Vantrel", {}},
        {"minimal_window.exe",
         OwnFolder() + "\\minimal_window.exe",
         "VtlMinimalWindow",
         "Minimal",
         {}},
        {"layout_window.exe", OwnFolder() + "\\layout_window.exe", "VtlLayoutWindow", "Layout", {}},
    };
    if (argc > 2) programs.push_back({"other Vantrel.exe", argv[2], "VtlWindow", "Vantrel", {}});
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
    // Starts next to each other in a round meet the same load: the median of each round's
    // ratio moves less with other work on the machine than the ratio of the medians.
    const auto roundRatio = [](const Program& a, const Program& b) {
        std::vector<double> r;
        for (size_t i = 0; i < a.ms.size(); ++i)
            r.push_back(a.ms[i] / b.ms[i]);
        return Median(r);
    };
    for (const Program* v : {&programs[0], programs.size() > 3 ? &programs[3] : nullptr}) {
        if (!v) continue;
        std::printf("ratio %s / plain-control layout: %.2f, of each round: %.2f (goal: at most "
                    "1.20)\n",
                    v->label, Median(v->ms) / Median(programs[2].ms), roundRatio(*v, programs[2]));
        std::printf("ratio %s / minimal: %.2f\n", v->label, Median(v->ms) / Median(programs[1].ms));
    }
    if (programs.size() > 3)
        std::printf("ratio Vantrel.exe / other Vantrel.exe: %.2f, of each round: %.2f\n",
                    Median(programs[0].ms) / Median(programs[3].ms),
                    roundRatio(programs[0], programs[3]));
    std::printf("ratio plain-control layout / minimal: %.2f (the same window without Vantrel)\n",
                Median(programs[2].ms) / Median(programs[1].ms));
    // On a busy machine the medians move with the load; the fastest runs show the floor.
    const double floorRatio = *std::min_element(programs[0].ms.begin(), programs[0].ms.end()) /
                              *std::min_element(programs[1].ms.begin(), programs[1].ms.end());
    std::printf("ratio of the fastest runs: %.2f\n", floorRatio);

    // Where the time goes, seen from outside (polled every millisecond or so, in runs of
    // their own, which the polling slows a little): medians of five starts.
    std::printf("phase timeline (ms after CreateProcess, medians of 5 starts):\n");
    std::printf("  %-20s %12s %12s %12s %12s %12s %12s\n", "", "first window", "main window",
                "last control", "frame region", "visible", "painted");
    std::vector<const Program*> traced{&programs[0], &programs[2]};
    if (programs.size() > 3) traced.push_back(&programs[3]);
    for (const Program* p : traced) {
        std::vector<double> m[6];
        for (int i = 0; i < 5; ++i) {
            const Timeline t = TraceOneStart(*p);
            const double v[6] = {t.firstWindow, t.mainWindow, t.controls,
                                 t.region,      t.visible,    t.painted};
            for (int k = 0; k < 6; ++k)
                m[k].push_back(v[k]);
        }
        std::printf("  %-20s", p->label);
        for (auto& column : m)
            std::printf(" %12.1f", Median(column));
        std::printf("\n");
    }
    return 0;
}
