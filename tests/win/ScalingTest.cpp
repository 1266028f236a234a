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

// WM_DPICHANGED with a rectangle elsewhere, `shift` pixels right and down, of the client's
// size at the new DPI with the frame the window has. The window takes it in one move: each
// rectangle it passes through on the way is the suggested one.
void ChangeDpi(TForm& form, int dpi, SIZE client96, int shift) {
    RECT r;
    GetWindowRect(form.Handle(), &r);
    const int frameX = r.right - r.left - form.ClientWidth();
    const int frameY = r.bottom - r.top - form.ClientHeight();
    RECT suggested{r.left + shift, r.top + shift,
                   r.left + shift + Scaled(client96.cx, dpi) + frameX,
                   r.top + shift + Scaled(client96.cy, dpi) + frameY};
    std::vector<RECT> passed;
    const TFormMessageObserver watch(
        [&](TForm& f, UINT msg, WPARAM, LPARAM) {
            if (&f == &form && msg == WM_WINDOWPOSCHANGED && GetWindowRect(f.Handle(), &r))
                passed.push_back(r);
        },
        nullptr);
    SendMessageA(form.Handle(), kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    test::PumpPending();
    ASSERT_EQ(form.Dpi(), dpi);
    GetWindowRect(form.Handle(), &r);
    passed.push_back(r);
    for (const RECT& p : passed)
        EXPECT_TRUE(EqualRect(&p, &suggested)) << form.Name << " at " << dpi << " went elsewhere";
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
    const int titleIcon96 = main.Skin()->Icon()->Width();
    int gdiAfterFirstRound = 0;
    for (int round = 0; round < 3; ++round) {
        for (int dpi : {144, 192, 120, 96}) {
            for (const Form& f : forms) {
                ChangeDpi(f.form, dpi, f.client96, dpi > 120 ? 16 : -16);
                ExpectLayoutOfDpi(f.form, f.rows, f.client96, f.panel);
            }
            // The shell draws the taskbar's, Alt+Tab's and the tray's (the window's small) icons
            // at the system's scale wherever the window is; the skinned title's follows the window.
            const HWND app = Application().Handle();
            for (auto [icon, size] :
                 {std::pair(SendMessageA(main.Handle(), WM_GETICON, ICON_SMALL, 0), 16),
                  {GetClassLongPtrA(app, GCLP_HICONSM), 16},
                  {GetClassLongPtrA(app, GCLP_HICON), 32}}) {
                ICONINFO info{};
                BITMAP bits{};
                GetIconInfo(HICON(icon), &info);
                GetObjectA(BitmapHandle(info.hbmColor).Get(), sizeof bits, &bits);
                BitmapHandle mask(info.hbmMask);
                EXPECT_EQ(bits.bmWidth, Scaled(size, SystemDpi())) << dpi;
            }
            EXPECT_EQ(main.Skin()->Icon()->Width(), Scaled(titleIcon96, dpi));
            // The list's columns follow too.
            EXPECT_EQ(ListView_GetColumnWidth(main.ListView1->Handle(), 1), main.Scale(95)) << dpi;
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

// Answers the confirmation with Yes once it is open, from a timer that runs inside its loop.
void CALLBACK AnswerYes(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND box = FindWindowA("#32770", "Confirm");
    if (!box || !IsWindowVisible(box)) return;
    KillTimer(nullptr, id);
    PostMessageA(box, WM_COMMAND, IDYES, 0);
}

TEST(FormScaling, EachSavedEntryKeepsItsOwnSwatchAfterADeleteAndScaleChanges) {
    test::ResetDataFolder();
    CreateDirectoryA(test::DataFolder().c_str(), nullptr);
    test::WriteFileText(test::DataFolder() + "\\colors.ini", "#FF0000\r\n#00FF00\r\n#0000FF\r\n");
    TfrmMain main;
    main.Show();
    main.ListView1->SelectOnly(0);
    SetTimer(nullptr, 0, 30, &AnswerYes);
    main.mnuMyColors_DeleteClick();
    ASSERT_EQ(main.ListView1->ItemCount(), 2);
    for (int dpi : {96, 144, 96}) {
        if (dpi != main.Dpi())
            ChangeDpi(main, dpi, {layout::kMainClientWidth, layout::kMainClientHeight},
                      dpi > 120 ? 16 : -16);
        const int w = MulDiv(48, dpi, 96), h = MulDiv(16, dpi, 96);
        const COLORREF colors[] = {RGB(0, 255, 0), RGB(0, 0, 255)};
        for (int row = 0; row < 2; ++row) {
            LVITEMA item{};
            item.mask = LVIF_IMAGE;
            item.iItem = row;
            ASSERT_TRUE(ListView_GetItem(main.ListView1->Handle(), &item));
            TBitmap swatch(w, h);
            swatch.Fill(RGB(1, 2, 3)); // what no swatch draws
            ImageList_Draw(main.ImageList1->Handle(), item.iImage, swatch.Dc(), 0, 0, ILD_NORMAL);
            EXPECT_EQ(swatch.Pixel(w / 2, h / 2), colors[row]) << "row " << row << " at " << dpi;
        }
    }
}

} // namespace
} // namespace vtl
