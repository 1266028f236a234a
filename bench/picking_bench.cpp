// Picking benchmark: the full per-move sample of the main window (pixel read, refresh of the
// spin boxes and notation fields, grab, magnifier paint, status) against its floor (pixel
// read, grab and magnifier paint alone), side by side in one run, over a screen area whose
// colour changes at every step and over one of a single colour. Then the floor plus the colour
// shown in thirteen plain system edit fields and nothing else, the yardstick for the full
// sample. Also prints the 99th percentile of one full sample with its paint, and memory and
// live GDI objects around 10,000 samples. Last, the pick that Ctrl+P starts: its cost per
// sample against a drag's, side by side, how soon it follows a moving pointer, and the CPU time
// it takes while the pointer stands still. Then the still that pick reads: the time from Ctrl+P
// to the first sample with it and without it, side by side, and the memory it holds; and a drag
// that picks the mean of 5 x 5 pixels against one that picks one pixel.
//
// Run (after a Win32 build, on the test display and prefix, e.g. after `. scripts/env.sh`):
//   scripts/wine-exec build/win32/bench/picking_bench.exe [keys|still]
#include "BenchClock.h"
#include "GdiObjects.h"
#include "color/ColorValue.h"
#include "color/FpuModel.h"
#include "color/Hsl.h"
#include "main/MainForm.h"
#include "main/ZoomGeometry.h"
#include "ui/Application.h"
#include "ui/ExtCtrls.h"
#include "ui/Screen.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace vtl;

// A window showing a different colour at every pixel of its upper rows (kChanging) and one
// colour in its lower rows (kSingle).
class ColourStrip {
  public:
    static constexpr int kWidth = 1000, kChanging = 10, kSingle = 30;
    ColourStrip() : form_(std::make_unique<TForm>()) {
        form_->SetBounds(0, 0, kWidth, 40);
        image_ = new TImage(form_.get(), form_.get());
        image_->SetBounds(0, 0, kWidth, 40);
        TBitmap& b = image_->Bitmap();
        for (int x = 0; x < kWidth; ++x)
            for (int y = 0; y < 40; ++y)
                b.SetPixel(x, y,
                           y < 20 ? RGB((x * 7) & 0xFF, (x * 13 + y) & 0xFF, (x * 29) & 0xFF)
                                  : RGB(40, 90, 140));
        form_->Show();
    }

  private:
    std::unique_ptr<TForm> form_;
    TImage* image_;
};

// Thirteen plain system edit fields, styled and placed like the program's six spin-box fields
// and seven notation fields, with nothing of ours attached: what showing a colour in edit
// fields costs any program on this system.
class PlainFields {
  public:
    PlainFields() : form_(std::make_unique<TForm>()) {
        form_->SetBounds(0, 40, 300, 13 * 22);
        for (int i = 0; i < 13; ++i) {
            const DWORD readOnly = i >= 6 ? ES_READONLY : 0;
            fields_[i] = CreateWindowExA(
                WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | readOnly, 0,
                i * 22, 129, 21, form_->Handle(), nullptr, nullptr, nullptr);
            SendMessageA(fields_[i], WM_SETFONT, reinterpret_cast<WPARAM>(form_->Font()), FALSE);
        }
        form_->Show();
    }
    // The texts the program shows for this colour, in its order.
    void Show(COLORREF c) {
        const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        int h, sat, l;
        RGBToHSL(r, g, b, h, sat, l);
        const int numbers[6] = {r, g, b, h, sat, l};
        for (int i = 0; i < 6; ++i)
            SetWindowTextA(fields_[i], std::to_string(numbers[i]).c_str());
        for (int n = 1; n <= 7; ++n)
            SetWindowTextA(fields_[5 + n], ColorToNotation(c, n).c_str());
    }

  private:
    std::unique_ptr<TForm> form_;
    HWND fields_[13] = {};
};

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

// The floor: what any picker must do per move. Returns the pixel read.
COLORREF BareSample(TfrmMain& form, TBitmap& buffer, int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    buffer.Fill(0);
    const GrabOrigin o = GrabOriginFor(x, y, buffer.Width(), buffer.Height());
    StretchBlt(buffer.Dc(), 0, 0, buffer.Width(), buffer.Height(), screen, o.left, o.top,
               buffer.Width(), buffer.Height(), SRCCOPY);
    ReleaseDC(nullptr, screen);
    form.DrawZoom();
    return pixel;
}

// The floor, then the colour it read shown in plain edit fields.
void PlainFieldsSample(TfrmMain& form, TBitmap& buffer, PlainFields& fields, int x, int y) {
    fields.Show(BareSample(form, buffer, x, y));
}

// The moves SetCursorPos queues are the benchmark's own doing, not work to measure.
void DropMouseMoves() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
    }
}

// Committed memory and working set, in KiB, and the live GDI objects.
struct Footprint {
    unsigned long committed, workingSet;
    int gdiObjects;
    static Footprint Now() {
        PROCESS_MEMORY_COUNTERS_EX pmc{};
        pmc.cb = sizeof pmc;
        GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                             sizeof pmc);
        // PagefileUsage is the committed memory; Wine leaves PrivateUsage at 0.
        return {(unsigned long)(pmc.PagefileUsage / 1024),
                (unsigned long)(pmc.WorkingSetSize / 1024), bench::LiveGdiObjects()};
    }
    void Print(const char* when) const {
        std::printf("  %-28s committed %6lu KiB, working set %6lu KiB, GDI objects %d\n", when,
                    committed, workingSet, gdiObjects);
    }
};

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

// Rounds of `first` then the floor, side by side, on row y; the median samples per second of
// each.
template <class Sample>
std::pair<double, double> Rounds(Sample&& first, TfrmMain& form, int& x,
                                 int y = ColourStrip::kChanging, int rounds = 5) {
    constexpr int steps = 400;
    TBitmap floorBuffer(231, 96);
    std::vector<double> a, b;
    for (int r = 0; r < rounds; ++r) {
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < steps; ++i, ++x) {
            SetCursorPos(x % ColourStrip::kWidth, y);
            first(x % ColourStrip::kWidth, y);
            DropMouseMoves();
        }
        QueryPerformanceCounter(&t1);
        for (int i = 0; i < steps; ++i, ++x) {
            SetCursorPos(x % ColourStrip::kWidth, y);
            BareSample(form, floorBuffer, x % ColourStrip::kWidth, y);
            DropMouseMoves();
        }
        QueryPerformanceCounter(&t2);
        a.push_back(steps / Seconds(t0, t1));
        b.push_back(steps / Seconds(t1, t2));
        Application().ProcessMessages();
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return {a[rounds / 2], b[rounds / 2]};
}

// Keys pressed and released as the user types them, through the system's input queue.
void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (int up = 0; up < 2; ++up)
        for (WORD key : keys) {
            INPUT i{};
            i.type = INPUT_KEYBOARD;
            i.ki.wVk = key;
            i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            input.push_back(i);
        }
    SendInput(UINT(input.size()), input.data(), sizeof(INPUT));
}

// Runs the message loop, sleeping while there is nothing to do, until done() or the time is up.
bool PumpUntil(const std::function<bool()>& done, double ms) {
    const double end = Now() + ms;
    while (!done()) {
        const double left = end - Now();
        if (left <= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(left) + 1, QS_ALLINPUT);
        Application().ProcessMessages();
    }
    return true;
}

double CpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](FILETIME t) {
        return double(ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

double Median(std::vector<double> v) {
    return Percentile(std::move(v), 0.5);
}

// The pick Ctrl+P starts, against a drag pick.
void KeyboardPickFigures(TfrmMain& form, int& x) {
    auto startKeys = [&] {
        SetForegroundWindow(form.Handle());
        PressKeys({VK_CONTROL, 'P'});
        return PumpUntil([&] { return form.Picking(); }, 5000);
    };
    auto endKeys = [&] {
        PressKeys({VK_RETURN});
        PumpUntil([&] { return !form.Picking(); }, 5000);
    };
    // 400 samples over the changing row, the samples alone timed; samples per second.
    auto rate = [&](const std::function<void()>& sample) {
        double ms = 0;
        for (int i = 0; i < 400; ++i, ++x) {
            SetCursorPos(x % ColourStrip::kWidth, ColourStrip::kChanging);
            const double t0 = Now();
            sample();
            ms += Now() - t0;
            DropMouseMoves();
        }
        return 400 / (ms / 1000);
    };
    std::vector<double> keyRates, dragRates;
    for (int round = 0; round < 6; ++round) {
        if (!startKeys()) {
            std::printf("keyboard pick: Ctrl+P started no pick\n");
            return;
        }
        keyRates.push_back(rate([&] { form.tmrPickTimer(); }));
        endKeys();
        SendMessageA(form.pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(19, 19));
        dragRates.push_back(rate([&] { form.FormMouseMove(); }));
        SendMessageA(form.Handle(), WM_LBUTTONUP, 0, 0);
    }
    const double keys = Median(keyRates), drag = Median(dragRates);
    std::printf("keyboard pick: %.0f samples/s, drag pick %.0f samples/s, keyboard/drag time per "
                "sample %.2f (goal: at most 1.00 within noise)\n",
                keys, drag, drag / keys);

    // A pointer that moves, sampled by the pick's own timer in the message loop; then the first
    // move after a rest.
    int ticks = 0;
    const TNotifyEvent onTimer = form.tmrPick->OnTimer;
    form.tmrPick->OnTimer = [&](TComponent& sender) {
        ++ticks;
        onTimer(sender);
    };
    startKeys();
    auto waitForSample = [&] {
        const TColor before = form.CurrentColor();
        const double t0 = Now();
        SetCursorPos(++x % ColourStrip::kWidth, ColourStrip::kChanging);
        PumpUntil([&] { return form.CurrentColor() != before; }, 1000);
        return Now() - t0;
    };
    std::vector<double> waits, afterRest;
    for (int i = 0; i < 60; ++i)
        waits.push_back(waitForSample());
    for (int i = 0; i < 5; ++i) {
        PumpUntil([] { return false; }, 1200);
        afterRest.push_back(waitForSample());
    }
    std::printf("keyboard pick follows a moving pointer: %.1f ms median, %.1f ms at most from "
                "the move to its sample (a frame: 16.7 ms); the first move after a second's "
                "rest: %.1f ms median, %.1f ms at most\n",
                Median(waits), *std::max_element(waits.begin(), waits.end()), Median(afterRest),
                *std::max_element(afterRest.begin(), afterRest.end()));

    // A still pointer: the timer only looks where it is.
    const double stillStart = CpuMs();
    ticks = 0;
    PumpUntil([] { return false; }, 2000);
    const double stillCpu = CpuMs() - stillStart;
    const int stillTicks = ticks;
    const double t0 = Now();
    for (int i = 0; i < 200; ++i)
        form.tmrPickTimer();
    const double tickUs = (Now() - t0) / 200 * 1000;
    endKeys();
    const double idleStart = CpuMs();
    PumpUntil([] { return false; }, 2000);
    const double idleCpu = CpuMs() - idleStart;
    form.tmrPick->OnTimer = onTimer;
    std::printf("pointer still for 2 s: keyboard pick %.1f ms CPU of this process (%d looks at "
                "the pointer, %.1f us each, no sample), no pick %.1f ms\n",
                stillCpu, stillTicks, tickUs, idleCpu);
}

// Ctrl+P to its first sample, with the still and without, in alternate rounds; then the
// committed memory before a pick, while its still is held, and after it.
void StillFigures(TfrmMain& form) {
    auto keyToSample = [&](bool still) {
        form.SetStillPicks(still);
        SetForegroundWindow(form.Handle());
        Application().ProcessMessages();
        const double t0 = Now();
        PressKeys({VK_CONTROL, 'P'});
        if (!PumpUntil([&] { return form.Picking(); }, 5000)) return -1.0;
        const double ms = Now() - t0;
        PressKeys({VK_RETURN});
        PumpUntil([&] { return !form.Picking(); }, 5000);
        return ms;
    };
    std::vector<double> with, without;
    for (int round = 0; round < 15; ++round) {
        with.push_back(keyToSample(true));
        without.push_back(keyToSample(false));
    }
    form.SetStillPicks(true);
    // The copy of the screen alone: what the still has to cost.
    std::vector<double> copies;
    for (int round = 0; round < 15; ++round) {
        const double t0 = Now();
        TScreenStill::Take(Screen().MonitorRects());
        copies.push_back(Now() - t0);
    }
    const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    std::printf("screen %d x %d: Ctrl+P to the first sample with the still %.1f ms median (%.1f "
                "at most), without %.1f ms (%.1f at most): the still costs %.1f ms (goal: at "
                "most 16.7 at 1280 x 1024)\n",
                w, h, Median(with), *std::max_element(with.begin(), with.end()), Median(without),
                *std::max_element(without.begin(), without.end()), Median(with) - Median(without));
    std::printf("  the copy of the screen alone (bitmap made, screen copied, freed): %.1f ms "
                "median, %.1f at most\n",
                Median(copies), *std::max_element(copies.begin(), copies.end()));

    const Footprint before = Footprint::Now();
    PressKeys({VK_CONTROL, 'P'});
    PumpUntil([&] { return form.Picking(); }, 5000);
    const Footprint held = Footprint::Now();
    const bool still = form.PickingStill();
    PressKeys({VK_RETURN});
    PumpUntil([&] { return !form.Picking(); }, 5000);
    const Footprint after = Footprint::Now();
    std::printf("committed memory: before a pick %lu KiB, while its still is held %lu KiB "
                "(+%ld KiB, the screen is %d KiB)%s, after it %lu KiB (%+ld KiB; goal: within "
                "1024)\n",
                before.committed, held.committed, long(held.committed) - long(before.committed),
                w * h * 4 / 1024, still ? "" : " [no still was taken]", after.committed,
                long(after.committed) - long(before.committed));
}

// A drag picking the mean of 5 x 5 pixels against one picking one pixel, in alternate rounds
// over the changing row; the size is set with its key, as the user does.
void AverageFigures(TfrmMain& form, int& x) {
    auto setSize = [&](WPARAM key) {
        PostMessageA(form.Handle(), WM_KEYDOWN, key, 0);
        Application().ProcessMessages();
    };
    auto rate = [&] {
        const double t0 = Now();
        for (int i = 0; i < 400; ++i, ++x) {
            SetCursorPos(x % ColourStrip::kWidth, ColourStrip::kChanging);
            form.FormMouseMove();
            DropMouseMoves();
        }
        return 400 / ((Now() - t0) / 1000);
    };
    SendMessageA(form.pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(19, 19));
    std::vector<double> five, one;
    for (int round = 0; round < 7; ++round) {
        setSize('5');
        five.push_back(rate());
        setSize('1');
        one.push_back(rate());
    }
    SendMessageA(form.Handle(), WM_LBUTTONUP, 0, 0);
    std::printf("drag picking the mean of 5 x 5: %.0f samples/s, of 1 x 1: %.0f samples/s; "
                "time per sample 5 x 5 / 1 x 1 %.2f (goal: at most 1.10)\n",
                Median(five), Median(one), Median(one) / Median(five));
}

} // namespace

int main(int argc, char** argv) {
    EnsureFpuModel();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    Application().Initialize();
    auto form = std::make_unique<TfrmMain>();
    ColourStrip strip;
    form->Show(); // last, so that it is the active window, as when the user picks
    Application().ProcessMessages();
    Sleep(200);
    Application().ProcessMessages();

    // Start a pick as the user does: the press on the "+" icon.
    SendMessageA(form->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(19, 19));
    int x = 0;
    // "trace": a few samples of each kind between markers, to be read with Wine's server
    // trace (WINEDEBUG=+server,+debugstr), which shows every round trip a sample makes.
    if (argc > 1 && std::string(argv[1]) == "trace") {
        PlainFields plainFields;
        TBitmap buffer(231, 96);
        for (int i = 0; i < 3; ++i, x += 7) {
            SetCursorPos(x, ColourStrip::kChanging);
            OutputDebugStringA("vtl-trace full");
            form->FormMouseMove();
            OutputDebugStringA("vtl-trace plain");
            PlainFieldsSample(*form, buffer, plainFields, x + 3, ColourStrip::kChanging);
            OutputDebugStringA("vtl-trace end");
        }
        return 0;
    }
    // "still": the still's figures alone (run on screens of several sizes).
    if (argc > 1 && std::string(argv[1]) == "still") {
        SendMessageA(form->Handle(), WM_LBUTTONUP, 0, 0);
        StillFigures(*form);
        return 0;
    }
    // "keys": the figures of the pick Ctrl+P starts alone.
    if (argc > 1 && std::string(argv[1]) == "keys") {
        SendMessageA(form->Handle(), WM_LBUTTONUP, 0, 0);
        KeyboardPickFigures(*form, x);
        return 0;
    }
    const Footprint started = Footprint::Now();
    PlainFields plainFields;
    form->Show(); // the active window again, as when the user picks
    Application().ProcessMessages();
    // Showing another window of ours may have taken the mouse capture, which ends the pick.
    if (!form->Picking())
        SendMessageA(form->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(19, 19));
    TBitmap plainBuffer(231, 96);
    auto full = [&](int, int) { form->FormMouseMove(); };
    auto plain = [&](int px, int py) {
        PlainFieldsSample(*form, plainBuffer, plainFields, px, py);
    };
    // Under Wine the first few hundred samples of a process cost up to twice the later ones,
    // so both kinds run a while before anything counts, and the full sample is measured before
    // and after the yardstick (the mean of the two is compared with it).
    Rounds(full, *form, x, ColourStrip::kChanging, 1);
    Rounds(plain, *form, x, ColourStrip::kChanging, 1);
    const auto [fullRate, floorRate] = Rounds(full, *form, x);
    const auto [plainRate, plainFloorRate] = Rounds(plain, *form, x);
    const double fullAgain = Rounds(full, *form, x).first;
    const auto [singleRate, singleFloorRate] = Rounds(full, *form, x, ColourStrip::kSingle);
    {
        auto timeIt = [&](const char* name, auto&& fn) {
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            for (int i = 0; i < 200; ++i, ++x) {
                form->SetCurrentColor(RGB(x & 0xFF, (x * 3) & 0xFF, (x * 7) & 0xFF));
                fn();
            }
            QueryPerformanceCounter(&b);
            std::printf("  %-16s %8.1f us\n", name, Seconds(a, b) / 200 * 1e6);
        };
        std::printf("cost of each step of the refresh (colour changed before each):\n");
        timeIt("swatch only", [] {});
        timeIt("ShowRGB", [&] { form->ShowRGB(); });
        timeIt("ShowHSL", [&] { form->ShowHSL(); });
        timeIt("ShowColorValues", [&] { form->ShowColorValues(); });
        timeIt("DrawZoom", [&] { form->DrawZoom(); });
        timeIt("ShowStatus", [&] { form->ShowStatus(true); });
    }
    // One sample at a time, and what the user waits for: the sample and the paint it causes.
    std::vector<double> sampleMs, paintedMs;
    for (int i = 0; i < 1000; ++i, ++x) {
        SetCursorPos(x % ColourStrip::kWidth, ColourStrip::kChanging);
        LARGE_INTEGER a, b, c;
        QueryPerformanceCounter(&a);
        form->FormMouseMove();
        QueryPerformanceCounter(&b);
        UpdateWindow(form->Handle());
        QueryPerformanceCounter(&c);
        sampleMs.push_back(Seconds(a, b) * 1e3);
        paintedMs.push_back(Seconds(a, c) * 1e3);
        DropMouseMoves();
    }
    Application().ProcessMessages();

    std::printf("full sample:   %8.0f samples/s (median of 5 rounds of 400)\n", fullRate);
    std::printf("floor:         %8.0f samples/s, ratio floor/full %.2f\n", floorRate,
                floorRate / fullRate);
    std::printf("single-colour area: full %.0f samples/s, floor %.0f, full/floor time %.2f "
                "(goal: at most 1.25)\n",
                singleRate, singleFloorRate, singleFloorRate / singleRate);
    std::printf("one full sample: median %.2f ms, 99th percentile %.2f ms (goal: under 16.7 "
                "spread); with the paint it causes: median %.2f ms, 99th percentile %.2f ms\n",
                Percentile(sampleMs, 0.5), Percentile(sampleMs, 0.99), Percentile(paintedMs, 0.5),
                Percentile(paintedMs, 0.99));
    std::printf("floor + the colour shown in 13 plain edit fields: %.0f samples/s (floor "
                "%.0f); full sample before it %.0f/s, after it %.0f/s\n",
                plainRate, plainFloorRate, fullRate, fullAgain);
    std::printf("full / (floor + 13 plain edit fields) time: %.2f (goal: at most 1.10)\n",
                plainRate * (1 / fullRate + 1 / fullAgain) / 2);

    std::printf("memory and GDI objects (GetGuiResources where it counts, otherwise the "
                "process's GDI handle table):\n");
    started.Print("after start");
    const Footprint before = Footprint::Now();
    before.Print("before 10,000 samples");
    for (int i = 0; i < 10000; ++i, ++x) {
        SetCursorPos(x % ColourStrip::kWidth, ColourStrip::kChanging);
        form->FormMouseMove();
        if (i % 100 == 0) Application().ProcessMessages();
    }
    Application().ProcessMessages();
    const Footprint after = Footprint::Now();
    after.Print("after 10,000 samples");
    std::printf("  growth over the samples: %d GDI objects, %ld KiB committed\n",
                after.gdiObjects - before.gdiObjects,
                long(after.committed) - long(before.committed));
    // The count must see a leak: five brushes left undeleted on purpose.
    for (int i = 0; i < 5; ++i)
        CreateSolidBrush(RGB(i, 0, 0));
    std::printf("  check of the count: 5 brushes leaked on purpose -> %+d objects\n",
                bench::LiveGdiObjects() - after.gdiObjects);
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, 0);
    KeyboardPickFigures(*form, x);
    StillFigures(*form);
    AverageFigures(*form, x);
    return 0;
}
