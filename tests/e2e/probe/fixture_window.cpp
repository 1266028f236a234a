// vtlfixture.exe: a small, fully known window for the end-to-end harness's own tests. It shows
// an edit, an up-down and a solid red area at fixed places (fixture_layout.hpp), records a
// mouse drag that starts on the red area, copies the edit's text to the clipboard on request,
// comes to the top of the z-order when activated, and ends with exit code 3 when closed.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "fixture_layout.hpp"

namespace fx = vtl::fixture;

namespace {

int g_moves = 0;

LRESULT CALLBACK redAreaProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        g_moves = 0;
        SetCapture(hwnd);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == hwnd) ++g_moves;
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd) {
            ReleaseCapture();
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(hwnd, &p);
            char text[64];
            std::snprintf(text, sizeof text, "up %ld %ld %d", static_cast<long>(p.x),
                          static_cast<long>(p.y), g_moves);
            SetWindowTextA(hwnd, text);
        }
        return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool copyToClipboard(HWND owner, const std::string& text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!mem) return false;
    std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    if (!OpenClipboard(owner)) {
        GlobalFree(mem);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(CF_TEXT, mem) != nullptr;
    if (!ok) GlobalFree(mem);
    CloseClipboard();
    return ok;
}

void createControls(HWND hwnd, HINSTANCE instance) {
    auto child = [&](const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
                     int id) {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    };
    child("EDIT", fx::kEditText, WS_BORDER | ES_AUTOHSCROLL, fx::kEditX, fx::kEditY, fx::kEditW,
          fx::kEditH, fx::kEditId);
    child(fx::kRedClass, "", 0, fx::kRedX, fx::kRedY, fx::kRedW, fx::kRedH, fx::kRedId);
    HWND upDown = child(UPDOWN_CLASSA, "", UDS_ARROWKEYS | UDS_NOTHOUSANDS, fx::kUpDownX,
                        fx::kUpDownY, fx::kUpDownW, fx::kUpDownH, fx::kUpDownId);
    SendMessageA(upDown, UDM_SETRANGE32, 0, 100);
    SendMessageA(upDown, UDM_SETPOS32, 0, fx::kUpDownPos);
}

void cutCorner(HWND hwnd) {
    HRGN whole = CreateRectRgn(0, 0, fx::kWidth, fx::kHeight);
    HRGN notch = CreateRectRgn(0, 0, fx::kNotch, fx::kNotch);
    CombineRgn(whole, whole, notch, RGN_DIFF);
    DeleteObject(notch);
    SetWindowRgn(hwnd, whole, TRUE); // the window owns the region from here on
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        createControls(hwnd, reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
        cutCorner(hwnd);
        return 0;
    case fx::kMsgCopyEditText: {
        char text[256] = {};
        GetWindowTextA(GetDlgItem(hwnd, fx::kEditId), text, sizeof text);
        return copyToClipboard(hwnd, text) ? 1 : 0;
    }
    case WM_ACTIVATE:
        // Windows raises a window a click activates; Wine without a window manager does not.
        if (LOWORD(wParam) != WA_INACTIVE)
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_DESTROY: PostQuitMessage(fx::kExitCode); return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool registerClass(HINSTANCE instance, const char* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    if (!registerClass(instance, fx::kWindowClass, mainProc,
                       reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1))) ||
        !registerClass(instance, fx::kRedClass, redAreaProc, CreateSolidBrush(RGB(255, 0, 0)))) {
        return 1;
    }
    // "--no-activate": shown without taking the foreground from the program under test.
    const bool quiet = std::strstr(GetCommandLineA(), "--no-activate") != nullptr;
    HWND hwnd = CreateWindowExA(0, fx::kWindowClass, fx::kTitle,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (quiet ? 0 : WS_VISIBLE),
                                fx::kLeft, fx::kTop, fx::kWidth, fx::kHeight, nullptr, nullptr,
                                instance, nullptr);
    if (!hwnd) return 1;
    if (quiet) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
