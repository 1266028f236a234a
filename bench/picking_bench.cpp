// Picking benchmark: the full per-move sample of the main window (pixel read, refresh of the
// spin boxes and notation fields, grab, magnifier paint, status) against its floor (pixel
// read, grab and magnifier paint alone), side by side in one run, over a screen area whose
// colour changes at every step. Also prints the GDI and USER object counts around 10,000
// samples.
//
// Run (after a Win32 build, on the test display and prefix, e.g. after `. scripts/env.sh`):
//   scripts/wine-exec build/win32/bench/picking_bench.exe
#include "color/FpuModel.h"
#include "main/MainForm.h"
#include "main/ZoomGeometry.h"
#include "ui/Application.h"
#include "ui/ExtCtrls.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace vtl;

// A window showing a different colour at every pixel of one row.
class ColourStrip {
  public:
    static constexpr int kWidth = 1000;
    ColourStrip() : form_(std::make_unique<TForm>()) {
        form_->SetBounds(0, 0, kWidth, 20);
        image_ = new TImage(form_.get(), form_.get());
        image_->SetBounds(0, 0, kWidth, 20);
        TBitmap& b = image_->Bitmap();
        for (int x = 0; x < kWidth; ++x)
            for (int y = 0; y < 20; ++y)
                b.SetPixel(x, y, RGB((x * 7) & 0xFF, (x * 13 + y) & 0xFF, (x * 29) & 0xFF));
        form_->Show();
    }

  private:
    std::unique_ptr<TForm> form_;
    TImage* image_;
};

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

// The floor: what any picker must do per move.
void BareSample(TfrmMain& form, TBitmap& buffer, int x, int y) {
    HDC screen = GetDC(nullptr);
    volatile COLORREF c = GetPixel(screen, x, y);
    (void)c;
    buffer.Fill(0);
    const GrabOrigin o = GrabOriginFor(x, y, buffer.Width(), buffer.Height());
    StretchBlt(buffer.Dc(), 0, 0, buffer.Width(), buffer.Height(), screen, o.left, o.top,
               buffer.Width(), buffer.Height(), SRCCOPY);
    ReleaseDC(nullptr, screen);
    form.DrawZoom();
}

// The moves SetCursorPos queues are the benchmark's own doing, not work to measure.
void DropMouseMoves() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
    }
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                         sizeof pmc);
    return pmc.PagefileUsage; // committed memory; Wine leaves PrivateUsage at 0
}

DWORD Objects(DWORD kind) {
    return GetGuiResources(GetCurrentProcess(), kind);
}

} // namespace

int main() {
    EnsureFpuModel();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    Application().Initialize();
    auto form = std::make_unique<TfrmMain>();
    form->Show();
    ColourStrip strip;
    Application().ProcessMessages();
    Sleep(200);
    Application().ProcessMessages();

    // Start a pick as the user does: the press on the "+" icon.
    SendMessageA(form->pnlDrag->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(19, 19));
    TBitmap floorBuffer(231, 96);

    const int rounds = 5, steps = 400;
    std::vector<double> full, bare;
    int x = 0;
    for (int r = 0; r < rounds; ++r) {
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < steps; ++i, ++x) {
            SetCursorPos(x % ColourStrip::kWidth, 10);
            form->FormMouseMove();
            DropMouseMoves();
        }
        QueryPerformanceCounter(&t1);
        for (int i = 0; i < steps; ++i, ++x) {
            SetCursorPos(x % ColourStrip::kWidth, 10);
            BareSample(*form, floorBuffer, x % ColourStrip::kWidth, 10);
            DropMouseMoves();
        }
        QueryPerformanceCounter(&t2);
        full.push_back(steps / Seconds(t0, t1));
        bare.push_back(steps / Seconds(t1, t2));
        Application().ProcessMessages();
    }
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
    std::sort(full.begin(), full.end());
    std::sort(bare.begin(), bare.end());
    const double fullMedian = full[rounds / 2], bareMedian = bare[rounds / 2];
    std::printf("full sample:   %8.0f samples/s (median of %d rounds of %d)\n", fullMedian, rounds,
                steps);
    std::printf("floor:         %8.0f samples/s\n", bareMedian);
    std::printf("ratio floor/full: %.2f\n", bareMedian / fullMedian);

    const DWORD gdi0 = Objects(GR_GDIOBJECTS), user0 = Objects(GR_USEROBJECTS);
    const SIZE_T memory0 = PrivateBytes();
    for (int i = 0; i < 10000; ++i, ++x) {
        SetCursorPos(x % ColourStrip::kWidth, 10);
        form->FormMouseMove();
        if (i % 100 == 0) Application().ProcessMessages();
    }
    Application().ProcessMessages();
    std::printf("GDI objects  %lu -> %lu\n", gdi0, Objects(GR_GDIOBJECTS));
    std::printf("USER objects %lu -> %lu\n", user0, Objects(GR_USEROBJECTS));
    // Wine does not count GUI objects (GetGuiResources answers 0): memory shows leaks there.
    std::printf("committed memory %lu KiB -> %lu KiB\n", (unsigned long)(memory0 / 1024),
                (unsigned long)(PrivateBytes() / 1024));
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, 0);
    return 0;
}
