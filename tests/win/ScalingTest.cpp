// A change of DPI inside the program: WM_DPICHANGED sent as Windows sends it when the window
// reaches a monitor of another scale (Wine never sends it). The main window then has the
// layout of one created at the new DPI, no text is clipped, and back at 96 dpi it draws the
// same image as before, with no GDI object left over.
#include "WinTestSupport.h"

#include "GdiObjects.h"
#include "layouts/MainLayout.h"
#include "main/MainForm.h"

#include <gtest/gtest.h>

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

void ChangeDpi(TForm& form, int dpi) {
    RECT r;
    GetWindowRect(form.Handle(), &r);
    RECT suggested{r.left, r.top, r.left + ScaleBy(layout::kMainClientWidth, dpi),
                   r.top + ScaleBy(layout::kMainClientHeight, dpi)};
    SendMessageA(form.Handle(), kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

// Every control of the content panel where the table puts it at the form's DPI, and wide
// enough for its text in its own font.
void ExpectLayoutOfDpi(TfrmMain& form) {
    const int dpi = form.Dpi();
    EXPECT_EQ(form.ClientWidth(), ScaleBy(layout::kMainClientWidth, dpi));
    EXPECT_EQ(form.ClientHeight(), ScaleBy(layout::kMainClientHeight, dpi));
    for (const layout::Item& row : layout::kMainLayout) {
        auto* control = dynamic_cast<TControl*>(form.FindComponent(row.name));
        ASSERT_NE(control, nullptr) << row.name;
        if (std::string(row.parent) != "Panel5" && std::string(row.parent) != "pnlZoom") continue;
        const RECT want = ScaleRect(row.left, row.top, row.width, row.height, dpi);
        const RECT got = control->BoundsRect();
        EXPECT_EQ(got.left, want.left) << row.name << " at " << dpi;
        EXPECT_EQ(got.top, want.top) << row.name << " at " << dpi;
        if (row.kind == layout::Kind::Label) {
            // Sized to its text; it must end before the field beside it begins.
            for (TControl* other : form.Panel5->Controls()) {
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
            test::PumpPending();
            ASSERT_EQ(form.Dpi(), dpi);
            ExpectLayoutOfDpi(form);
        }
        if (round == 0) gdiAfterFirstRound = bench::LiveGdiObjects();
    }
    EXPECT_EQ(bench::LiveGdiObjects(), gdiAfterFirstRound) << "GDI objects grow with changes";
    EXPECT_TRUE(Picture(form) == before) << "at 96 dpi again the window looks otherwise";
}

} // namespace
} // namespace vtl
