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

// WM_DPICHANGED with the rectangle the system suggests: the same place, the scaled size.
void ChangeDpi(TForm& form, int dpi) {
    RECT r;
    GetWindowRect(form.Handle(), &r);
    const SIZE client = form.ClientSizeAt(dpi);
    RECT suggested{r.left, r.top, r.left + client.cx, r.top + client.cy};
    SendMessageA(form.Handle(), kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    test::PumpPending();
    ASSERT_EQ(form.Dpi(), dpi);
}

// Every control of a table that lies on `panel` where the table puts it at the form's DPI,
// and wide enough for its text in its own font; labels sized to their text end before the
// field beside them begins.
void ExpectLayoutOfDpi(TForm& form, std::span<const layout::Item> rows, SIZE client96,
                       TWinControl& panel) {
    const int dpi = form.Dpi();
    EXPECT_EQ(form.ClientWidth(), ScaleBy(client96.cx, dpi));
    EXPECT_EQ(form.ClientHeight(), ScaleBy(client96.cy, dpi));
    for (const layout::Item& row : rows) {
        auto* control = dynamic_cast<TControl*>(form.FindComponent(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        if (control->Parent() != &panel && std::string(row.parent) != "pnlZoom") continue;
        const RECT want = ScaleRect(row.left, row.top, row.width, row.height, dpi);
        const RECT got = control->BoundsRect();
        const bool sizedToText = row.width == 0;
        EXPECT_EQ(got.top, want.top) << row.name << " at " << dpi;
        const std::string name = row.name;
        // The About box places these when it is shown, around its centre.
        if (name == "imgIcon" || name == "lblTitle" || name == "lblVersion" ||
            name == "lblCopyright")
            continue;
        EXPECT_EQ(got.left, want.left) << row.name << " at " << dpi;
        if (sizedToText) {
            for (TControl* other : panel.Controls()) {
                const bool beside = other->IsWindowed() && other->Left() > got.left &&
                                    other->Top() <= got.top &&
                                    other->Top() + other->Height() > got.top;
                // As at 96 dpi, the box of "Decimal:" may reach a pixel under its field.
                if (beside) {
                    EXPECT_LE(got.right, other->Left() + 1) << row.name << " at " << dpi;
                }
            }
            continue;
        }
        EXPECT_EQ(got.right, want.right) << row.name << " at " << dpi;
        EXPECT_EQ(got.bottom, want.bottom) << row.name << " at " << dpi;
        if (row.kind == layout::Kind::Button || row.kind == layout::Kind::CheckBox) {
            SIZE ideal{};
            SendMessageA(static_cast<TWinControl*>(control)->Handle(), BCM_GETIDEALSIZE, 0,
                         reinterpret_cast<LPARAM>(&ideal));
            EXPECT_LE(ideal.cx, got.right - got.left) << row.name << " at " << dpi;
        }
    }
}

void ExpectLayoutOfDpi(TfrmMain& form) {
    ExpectLayoutOfDpi(form, layout::kMainLayout,
                      {layout::kMainClientWidth, layout::kMainClientHeight}, *form.Panel5);
    // The magnifier draws into a picture of its own size.
    EXPECT_EQ(form.imgZoom->Bitmap().Width(), form.imgZoom->Width());
    EXPECT_EQ(form.ZoomBuffer().Height(), form.imgZoom->Height());
}

TEST(MainWindowScaling, DpiChangesLayOutAsAtCreationAndBackAt96DrawTheSameImage) {
    test::ResetDataFolder();
    TfrmMain form;
    form.Show();
    const std::vector<COLORREF> before = Picture(form);
    int gdiAfterFirstRound = 0;
    for (int round = 0; round < 3; ++round) {
        for (int dpi : {144, 192, 96}) {
            ChangeDpi(form, dpi);
            ExpectLayoutOfDpi(form);
        }
        if (round == 0) gdiAfterFirstRound = bench::LiveGdiObjects();
    }
    EXPECT_EQ(bench::LiveGdiObjects(), gdiAfterFirstRound) << "GDI objects grow with changes";
    EXPECT_TRUE(Picture(form) == before) << "at 96 dpi again the window looks otherwise";
}

TEST(DialogScaling, ValuesAndAboutLayOutAtEachDpiWithTheirTextsWhole) {
    TfrmMain owner;
    TfrmNew values(&owner);
    values.ShowColor("#F7D5B9");
    TfrmAbout about;
    about.FTitle = "Vantrel";
    about.Show();
    for (int dpi : {144, 192, 120, 96}) {
        ChangeDpi(values, dpi);
        ExpectLayoutOfDpi(values, layout::kValuesLayout,
                          {layout::kValuesClientWidth, layout::kValuesClientHeight}, values);
        ChangeDpi(about, dpi);
        ExpectLayoutOfDpi(about, layout::kAboutLayout,
                          {layout::kAboutClientWidth, layout::kAboutClientHeight}, about);
        EXPECT_EQ(about.lblTitle->Left(), (about.ClientWidth() - about.lblTitle->Width()) / 2);
        EXPECT_EQ(about.imgIcon->Width(), ScaleBy(32, dpi));
    }
}

} // namespace
} // namespace vtl
