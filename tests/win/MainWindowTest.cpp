// The main window as built: every control of the layout where it belongs, with its caption,
// tag and settings, and the initial colour in every view.
#include "GdiObjects.h"
#include "WinTestSupport.h"

#include "layouts/MainLayout.h"
#include "main/MainForm.h"
#include "main/ZoomGeometry.h"
#include "skin/SkinClass.h"
#include "ui/Screen.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vtl {
namespace {

class MainWindowTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        test::ResetDataFolder();
        form = new TfrmMain();
        form->Show();
        test::PumpPending();
    }
    static void TearDownTestSuite() {
        delete form;
        form = nullptr;
    }
    static TControl* Find(const char* name) {
        return dynamic_cast<TControl*>(form->FindComponent(name));
    }
    static std::string WindowText(HWND wnd) {
        char buf[256] = {};
        GetWindowTextA(wnd, buf, sizeof buf);
        return buf;
    }
    static TfrmMain* form;
};
TfrmMain* MainWindowTest::form = nullptr;

TEST_F(MainWindowTest, WindowHasNoSystemFrameAndTheFixedClientArea) {
    HWND wnd = form->Handle();
    RECT client, window;
    GetClientRect(wnd, &client);
    GetWindowRect(wnd, &window);
    EXPECT_EQ(client.right, 261);
    EXPECT_EQ(client.bottom, 664);
    EXPECT_EQ(window.right - window.left, 261) << "no border";
    const LONG style = GetWindowLongA(wnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_EQ(GetWindow(wnd, GW_OWNER), Application().Handle());
    EXPECT_EQ(WindowText(wnd), "Vantrel");
    EXPECT_EQ(Application().Title(), "Vantrel");
    // Centred on the screen at its first showing.
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 261) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 664) / 2);
    EXPECT_TRUE(form->Ready());
    EXPECT_EQ(GetWindowLongA(Application().Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0)
        << "after start-up the application window has its taskbar button";
}

TEST_F(MainWindowTest, EveryLayoutRowIsBuiltWhereTheLayoutSays) {
    for (const layout::Item& item : layout::kMainLayout) {
        SCOPED_TRACE(item.name);
        TControl* c = Find(item.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Tag, item.tag);
        EXPECT_EQ(c->Left(), item.left);
        EXPECT_EQ(c->Top(), item.top);
        if (item.kind != layout::Kind::Label) {
            EXPECT_EQ(c->Width(), item.width);
            EXPECT_EQ(c->Height(), item.height);
        }
        EXPECT_EQ(c->Visible(), !(item.flags & layout::kHidden));
        const std::string parent = c->Parent() == form ? "" : c->Parent()->Name;
        EXPECT_EQ(parent, item.parent);
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w) continue;
        // The window itself sits where the object says, and carries the layout's id.
        RECT r;
        GetWindowRect(w->Handle(), &r);
        if (auto* spin = dynamic_cast<TSpinEdit*>(w)) {
            // The arrows sit inside the box's width, right of the number.
            RECT arrows;
            GetWindowRect(spin->UpDownHandle(), &arrows);
            EXPECT_EQ(arrows.left, r.right);
            UnionRect(&r, &r, &arrows);
        }
        MapWindowPoints(nullptr, GetParent(w->Handle()), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, item.left);
        EXPECT_EQ(r.top, item.top);
        EXPECT_EQ(r.right - r.left, item.width);
        EXPECT_EQ(r.bottom - r.top, item.height);
        EXPECT_EQ(GetDlgCtrlID(w->Handle()), layout::ControlIdOf(layout::kMainLayout, item.name));
        EXPECT_EQ(GetWindowLongA(w->Handle(), GWL_STYLE) & WS_TABSTOP, 0)
            << "nothing takes part in tab navigation";
        if (item.kind == layout::Kind::Button || item.kind == layout::Kind::CheckBox) {
            EXPECT_EQ(WindowText(w->Handle()), item.caption);
        }
    }
}

TEST_F(MainWindowTest, InitialColourInTheSwatchSpinBoxesAndFields) {
    EXPECT_EQ(form->CurrentColor(), 0x00B9D5F7u);
    EXPECT_EQ(form->shpColor->PenColor(), 0x00B9D5F7u);
    EXPECT_EQ(form->spiR->ShownText(), "247");
    EXPECT_EQ(form->spiG->ShownText(), "213");
    EXPECT_EQ(form->spiB->ShownText(), "185");
    EXPECT_EQ(form->spiH->ShownText(), "18");
    EXPECT_EQ(form->spiS->ShownText(), "191");
    EXPECT_EQ(form->spiL->ShownText(), "203");
    const char* expected[] = {"",        "247, 213, 185", "12178935",    "F7D5B9",
                              "#F7D5B9", "$00B9D5F7",     "&H00B9D5F7&", "0xB9D5F7"};
    TEdit* fields[] = {nullptr,       form->edtRGB,    form->edtDecimal, form->edtHex,
                       form->edtHtml, form->edtDelphi, form->edtVB,      form->edtC};
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(WindowText(fields[n]->Handle()), expected[n]);
        EXPECT_EQ(form->Value(n), expected[n]);
    }
    char status[128] = {};
    SendMessageA(form->StatusBar1->Handle(), WM_GETTEXT, sizeof status,
                 reinterpret_cast<LPARAM>(status));
    EXPECT_STREQ(status, "To pick color, please drag \"+\" icon.");
}

TEST_F(MainWindowTest, MagnifierShowsThePlaceholderCopiedIntoTheBuffer) {
    ASSERT_TRUE(form->imgZoom->HasBitmap());
    const TBitmap& shown = form->imgZoom->Bitmap();
    const TBitmap& buffer = form->ZoomBuffer();
    ASSERT_EQ(buffer.Width(), 231);
    ASSERT_EQ(buffer.Height(), 96);
    int silver = 0;
    for (int y = 0; y < 96; y += 7)
        for (int x = 0; x < 231; x += 7) {
            EXPECT_EQ(shown.Pixel(x, y), buffer.Pixel(x, y)) << x << "," << y;
            silver += buffer.Pixel(x, y) == 0x00C0C0C0;
        }
    EXPECT_LT(silver, 10) << "the placeholder picture was copied over the silver fill";
}

TEST_F(MainWindowTest, CursorsAreRegisteredFromTheIcons) {
    EXPECT_NE(Screen().CursorHandle(crPicker), LoadCursor(nullptr, IDC_ARROW));
    EXPECT_NE(Screen().CursorHandle(crZoom), LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(form->imgZoom->Cursor, crZoom);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(Screen().CursorHandle(crPicker), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 16u);
    EXPECT_EQ(info.yHotspot, 16u);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

// How many pixels of a colour a control shows, read from the window it is painted in.
int PixelsOf(const TControl& c, COLORREF color) {
    const bool own = c.IsWindowed();
    WindowDC dc(own ? static_cast<const TWinControl&>(c).Handle() : c.Parent()->Handle());
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            n += GetPixel(dc.Get(), own ? x : c.Left() + x, own ? y : c.Top() + y) == color;
    return n;
}

// Wine never reports High Contrast mode: it is put in place in the process, with its colours,
// and the form told as the system tells it. White fields, crosses, caption give way to it.
TEST_F(MainWindowTest, ChangedColoursRepaintAllAndHighContrastGivesWayWithoutLeaks) {
    TColorScheme hc = TColorScheme::FromSystem();
    hc.highContrast = true;
    hc.colors[COLOR_BTNFACE] = hc.colors[COLOR_WINDOW] = RGB(0, 0, 0);
    hc.colors[COLOR_BTNTEXT] = hc.colors[COLOR_WINDOWTEXT] = RGB(255, 255, 255);
    auto use = [&](bool on) {
        on ? SetColorScheme(hc) : UseSystemColorScheme();
        SendMessageA(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
        test::PumpPending();
    };
    const TControl &caption = *form->Skin()->Caption(), &field = *form->edtHex;
    use(true);
    const int before = bench::LiveGdiObjects();
    for (int i = 0; i < 10; ++i)
        use(i % 2 == 1);
    EXPECT_EQ(bench::LiveGdiObjects(), before);
    EXPECT_GT(PixelsOf(field, RGB(0, 0, 0)), field.Width() * field.Height() / 2);
    EXPECT_GT(PixelsOf(*form->imgDrag, RGB(255, 255, 255)), 40);
    EXPECT_GT(PixelsOf(caption, RGB(0, 0, 0)), caption.Width() * caption.Height() / 2);
    use(false);
    EXPECT_GT(PixelsOf(field, RGB(255, 255, 255)), field.Width() * field.Height() / 2);
    EXPECT_GT(PixelsOf(*form->imgDrag, RGB(0, 0, 0)), 40);
    EXPECT_EQ(PixelsOf(caption, RGB(0, 0, 0)), 0);
}

// Windows activates a modal window's owner when the window goes only if the owner is enabled
// then, and a system dialog enables at its end only an owner it found enabled when it began.
// Windows disables that owner after creating the dialog, Wine right before: so the owner is
// enabled at the creation, or was still enabled once the program's modal bracket had begun.
std::vector<std::string> gOwners; // each modal window, and whether its owner was disabled
std::map<HWND, bool> gFoundEnabled;
std::set<HWND> gStillEnabled;
BOOL CALLBACK NoteEnabled(HWND wnd, LPARAM) {
    if (IsWindowEnabled(wnd)) gStillEnabled.insert(wnd);
    return TRUE;
}
std::function<void(bool)> WatchModal(std::function<void(bool)> then) {
    return [then](bool modal) {
        gStillEnabled.clear();
        if (modal) EnumThreadWindows(GetCurrentThreadId(), &NoteEnabled, 0);
        if (then) then(modal);
    };
}
void Note(HWND wnd, bool ownerEnabled) {
    char caption[64] = {};
    GetWindowTextA(wnd, caption, sizeof caption);
    gOwners.push_back(caption + std::string(ownerEnabled ? "" : ": owner disabled"));
}
LRESULT CALLBACK WatchDialogs(int code, WPARAM wp, LPARAM lp) {
    const HWND wnd = reinterpret_cast<HWND>(wp);
    char cls[8] = {};
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE) GetClassNameA(wnd, cls, sizeof cls);
    const bool dialog = std::string(cls) == "#32770";
    const auto* cs = code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs : nullptr;
    if (cs && dialog)
        gFoundEnabled[wnd] =
            IsWindowEnabled(cs->hwndParent) || gStillEnabled.contains(cs->hwndParent);
    if (code == HCBT_DESTROYWND && gFoundEnabled.contains(wnd)) Note(wnd, gFoundEnabled[wnd]);
    if (code == HCBT_ACTIVATE && dialog) // Yes, for the warning after a question
        PostMessageA(wnd, WM_COMMAND,
                     GetDlgItem(wnd, IDYES)      ? IDYES
                     : GetDlgItem(wnd, IDCANCEL) ? IDCANCEL
                                                 : IDOK,
                     0);
    else if (code == HCBT_ACTIVATE && TWinControl::FromHandle(wnd) &&
             (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME)) // our dialogs
        PostMessageA(wnd, WM_CLOSE, 0, 0);
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST(ModalWindows, EveryOwnerIsEnabledWhereWindowsNeedsIt) {
    test::ResetDataFolder();
    test::WriteFileText(test::DataFolder(), ""); // no data folder: an error at start, a warning
    const HHOOK hook = SetWindowsHookExA(WH_CBT, &WatchDialogs, nullptr, GetCurrentThreadId());
    auto reported = std::exchange(Application().OnException, nullptr); // the real error box
    Application().OnModal = WatchModal(nullptr);
    {
        TfrmMain form;
        Application().OnModal = WatchModal(Application().OnModal);
        TFormMessageObserver hides(
            [&](TForm& f, UINT msg, WPARAM wp, LPARAM) {
                if (msg == WM_SHOWWINDOW && !wp && &f != &form)
                    Note(f.Handle(), IsWindowEnabled(GetWindow(f.Handle(), GW_OWNER)));
            },
            nullptr);
        form.Show();
        form.mnuMyColors_ClearClick();
        form.btnMenuClick();
        form.OpenSavedColor();
        form.mnuTray_AboutClick();
    }
    Application().OnException = std::move(reported);
    UnhookWindowsHookEx(hook);
    test::ResetDataFolder();
    EXPECT_EQ(gOwners, (std::vector<std::string>{"Vantrel", "Confirm", "Warning", "Color", "Values",
                                                 "About"}));
}

} // namespace
} // namespace vtl
