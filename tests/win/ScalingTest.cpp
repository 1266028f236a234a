// A change of DPI inside the program: WM_DPICHANGED sent as Windows sends it when a window
// reaches a monitor of another scale (Wine never sends it, and no user path makes it). The
// windows then have the layout of ones created at the new DPI, no text is clipped, and back at
// 96 dpi the main window draws the same image as before, with no GDI object left over.
#include "WinTestSupport.h"

#include "GdiObjects.h"
#include "layouts/MainLayout.h"
#include "layouts/AboutLayout.h"
#include "layouts/ValuesLayout.h"
#include "main/MainForm.h"
#include "saved/ValuesDialog.h"
#include "shell/AboutForm.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

namespace vtl {
namespace {

// The screen pixels of the window, as the user sees them.
std::vector<COLORREF> Picture(const TForm& form) {
    test::PumpPending();
    RECT r;
    GetWindowRect(form.Handle(), &r);
    TBitmap shot(r.right - r.left, r.bottom - r.top);
    WindowDC screen(nullptr);
    BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), screen.Get(), r.left, r.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            pixels.push_back(shot.Pixel(x, y));
    return pixels;
}

// A 96-dpi length at a DPI, rounded to the nearest pixel as Windows scales.
int Scaled(int v, int dpi) {
    return (v * dpi + 48) / 96;
}

// WM_DPICHANGED as the system sends it: the size the window answered WM_GETDPISCALEDSIZE with,
// at a place of the system's choosing (not where the window is, and back there at 96 dpi).
void ChangeDpi(TForm& form, int dpi) {
    RECT r;
    GetWindowRect(form.Handle(), &r);
    SIZE size{r.right - r.left, r.bottom - r.top};
    SendMessageA(form.Handle(), kWmGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size));
    const POINT place{r.left + (dpi - form.Dpi()) / 4, r.top + (dpi - form.Dpi()) / 8};
    RECT suggested{place.x, place.y, place.x + size.cx, place.y + size.cy};
    SendMessageA(form.Handle(), kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    test::PumpPending();
    ASSERT_EQ(form.Dpi(), dpi);
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(std::pair(r.left, r.top), std::pair(place.x, place.y)) << "not where suggested";
}

// Every control of a table that lies on `panel` where the table puts it at the form's DPI,
// and wide enough for its text in its own font; labels sized to their text end before the
// field beside them begins (as at 96 dpi, the box of "Decimal:" may reach a pixel under it).
void ExpectLayoutOfDpi(TForm& form, std::span<const layout::Item> rows, SIZE client96,
                       TWinControl& panel) {
    const int dpi = form.Dpi();
    EXPECT_EQ(form.ClientWidth(), Scaled(client96.cx, dpi));
    EXPECT_EQ(form.ClientHeight(), Scaled(client96.cy, dpi));
    for (const layout::Item& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(dpi));
        const auto& c = dynamic_cast<TControl&>(*form.FindComponent(row.name));
        const std::string name = row.name; // the About box centres these when it shows
        if ((c.Parent() != &panel && name != "imgZoom") || name == "imgIcon" ||
            name == "lblTitle" || name == "lblVersion" || name == "lblCopyright")
            continue;
        // Scaled by its edges: rows that touch at 96 dpi still touch.
        const RECT want{Scaled(row.left, dpi), Scaled(row.top, dpi),
                        Scaled(row.left + row.width, dpi), Scaled(row.top + row.height, dpi)};
        const RECT got = c.BoundsRect();
        EXPECT_EQ(std::pair(got.left, got.top), std::pair(want.left, want.top));
        if (row.width == 0) {
            for (TControl* other : panel.Controls()) {
                const bool beside = other->IsWindowed() && other->Left() > got.left &&
                                    other->Top() <= got.top &&
                                    other->Top() + other->Height() > got.top;
                EXPECT_TRUE(!beside || got.right <= other->Left() + 1) << other->Name;
            }
        } else {
            EXPECT_EQ(std::pair(got.right, got.bottom), std::pair(want.right, want.bottom));
        }
        SIZE ideal{};
        if (row.kind == layout::Kind::Button || row.kind == layout::Kind::CheckBox)
            SendMessageA(static_cast<const TWinControl&>(c).Handle(), BCM_GETIDEALSIZE, 0,
                         reinterpret_cast<LPARAM>(&ideal));
        EXPECT_LE(ideal.cx, got.right - got.left);
    }
}

TEST(FormScaling, DpiChangesLayOutAsAtCreationAndBackAt96DrawTheSameImage) {
    test::ResetDataFolder();
    TfrmMain main;
    main.Show();
    TfrmNew values(&main);
    values.ShowColor("#F7D5B9");
    TfrmAbout about;
    about.FormShow();
    struct Form {
        TForm& form;
        std::span<const layout::Item> rows;
        SIZE client96;
        TWinControl& panel;
    };
    const Form forms[] = {{main,
                           layout::kMainLayout,
                           {layout::kMainClientWidth, layout::kMainClientHeight},
                           *main.Panel5},
                          {values,
                           layout::kValuesLayout,
                           {layout::kValuesClientWidth, layout::kValuesClientHeight},
                           values},
                          {about,
                           layout::kAboutLayout,
                           {layout::kAboutClientWidth, layout::kAboutClientHeight},
                           about}};
    const std::vector<COLORREF> before = Picture(main);
    int gdiAfterFirstRound = 0;
    for (int round = 0; round < 3; ++round) {
        for (int dpi : {144, 192, 120, 96})
            for (const Form& f : forms) {
                ChangeDpi(f.form, dpi);
                ExpectLayoutOfDpi(f.form, f.rows, f.client96, f.panel);
            }
        // What is not in a table: the magnifier's pictures and the About box's centred title.
        EXPECT_EQ(main.imgZoom->Bitmap().Width(), main.imgZoom->Width());
        EXPECT_EQ(main.ZoomBuffer().Height(), main.imgZoom->Height());
        EXPECT_EQ(about.lblTitle->Left(), (about.ClientWidth() - about.lblTitle->Width()) / 2);
        if (round == 0) gdiAfterFirstRound = bench::LiveGdiObjects();
    }
    EXPECT_EQ(bench::LiveGdiObjects(), gdiAfterFirstRound) << "GDI objects grow with changes";
    EXPECT_TRUE(Picture(main) == before) << "at 96 dpi again the window looks otherwise";
}

} // namespace
} // namespace vtl
