// A second floor for the start-up benchmark: the main window's layout built from plain system
// controls (common controls 6 through the same manifest, the same font, the same windowed
// controls at the same places, no program logic and no painting of our own), shown, then the
// message loop. What is left between this and Vantrel.exe is Vantrel's own start-up work.
#include "FloorWindow.h"
#include "layouts/MainLayout.h"

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>

namespace {

using namespace vtl::layout;

HWND Child(const char* cls, DWORD style, DWORD exStyle, const Item& item, HWND parent, HFONT font) {
    HWND w = CreateWindowExA(exStyle, cls, item.caption, WS_CHILD | WS_VISIBLE | style, item.left,
                             item.top, item.width, item.height, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return w;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (!vtl::bench::RegisterFloorClass(instance, "VtlLayoutWindow")) return 1;
    RECT r{0, 0, kMainClientWidth, kMainClientHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRect(&r, style, FALSE);
    HWND form =
        CreateWindowA("VtlLayoutWindow", "Layout", style, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (!form) return 1;
    HFONT font =
        CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    std::map<std::string, HWND> parents{{"", form}};
    for (const Item& item : kMainLayout) {
        HWND parent = parents[item.parent];
        switch (item.kind) {
        case Kind::Panel:
            parents[item.name] = Child("STATIC", SS_SUNKEN, 0, item, parent, font);
            break;
        case Kind::Button: Child("BUTTON", BS_PUSHBUTTON, 0, item, parent, font); break;
        case Kind::CheckBox: Child("BUTTON", BS_AUTOCHECKBOX, 0, item, parent, font); break;
        case Kind::ComboBox: Child("COMBOBOX", CBS_DROPDOWNLIST, 0, item, parent, font); break;
        case Kind::Edit: Child("EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, item, parent, font); break;
        case Kind::SpinEdit:
            Child("EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, item, parent, font);
            Child(UPDOWN_CLASSA, UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, item, parent, font);
            break;
        case Kind::ListView:
            Child(WC_LISTVIEWA, LVS_REPORT, WS_EX_CLIENTEDGE, item, parent, font);
            break;
        case Kind::StatusBar: Child(STATUSCLASSNAMEA, 0, 0, item, parent, font); break;
        default: break; // labels, images, shapes and bevels are drawn, not windows
        }
    }
    ShowWindow(form, show);
    UpdateWindow(form);
    return vtl::bench::RunMessageLoop();
}
