// Picking from the screen and the magnifier, in process: a window of known colours is put on
// the screen, the pointer is placed with SetCursorPos and the mouse messages are sent.
#include "WinTestSupport.h"

#include "GdiObjects.h"
#include "ProcessMemory.h"

#include "main/MainForm.h"
#include "ui/Screen.h"

#include <gtest/gtest.h>

#include <memory>

namespace vtl {
namespace {

constexpr COLORREF kLeft = 0x00123456, kRight = 0x00ABCDEF;

class MainPickingTest : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetDataFolder();
        form = std::make_unique<TfrmMain>();
        form->Show();
        // Two solid halves at a known place, away from the main window.
        target = std::make_unique<TForm>();
        target->SetBounds(20, 20, 200, 100);
        auto* left = new TPanel(target.get(), target.get());
        left->SetBounds(0, 0, 100, 100);
        left->SetColor(kLeft);
        auto* right = new TPanel(target.get(), target.get());
        right->SetBounds(100, 0, 100, 100);
        right->SetColor(kRight);
        target->Show();
        test::PumpFor(150); // let the paint reach the screen
    }
    void TearDown() override {
        target.reset();
        form.reset();
        test::ResetDataFolder();
    }
    void PressOn(TImage* icon, UINT down = WM_LBUTTONDOWN, WPARAM keys = MK_LBUTTON) {
        SendMessageA(icon->Parent()->Handle(), down, keys,
                     MAKELPARAM(icon->Left() + 16, icon->Top() + 16));
    }
    void MoveTo(int x, int y) {
        SetCursorPos(x, y);
        SendMessageA(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    }
    void Release(UINT up = WM_LBUTTONUP) { SendMessageA(form->Handle(), up, 0, 0); }
    std::string Status() const { return form->StatusBar1->SimpleText(); }

    std::unique_ptr<TfrmMain> form;
    std::unique_ptr<TForm> target;
};

TEST_F(MainPickingTest, DragSamplesThePixelUnderThePointerAndReleaseEndsIt) {
    PressOn(form->imgDrag);
    EXPECT_TRUE(form->Picking());
    EXPECT_FALSE(form->imgDrag->Visible());
    EXPECT_TRUE(form->imgDrag2->Visible());
    EXPECT_EQ(GetCapture(), form->Handle());
    EXPECT_EQ(Screen().Cursor(), crPicker);

    MoveTo(70, 60);
    EXPECT_EQ(form->CurrentColor(), kLeft);
    EXPECT_EQ(form->spiR->ShownText(), "86");
    EXPECT_EQ(form->Value(kNotationHtml), "#563412");
    EXPECT_EQ(Status(), "X:70 Y:60");
    EXPECT_EQ(form->ZoomBuffer().Pixel(115, 48), kLeft) << "the pointer's pixel";

    MoveTo(150, 60);
    EXPECT_EQ(form->CurrentColor(), kRight);
    // At zoom 1 the magnifier is the grab itself: the halves meet at screen x 120, which
    // lands at 120 - 150 + 115 = 85 across.
    EXPECT_EQ(form->imgZoom->Bitmap().Pixel(85, 48), kRight);
    EXPECT_EQ(form->imgZoom->Bitmap().Pixel(84, 48), kLeft);

    Release(WM_RBUTTONUP);
    EXPECT_TRUE(form->Picking()) << "only the left button ends a pick";
    Release();
    EXPECT_FALSE(form->Picking());
    EXPECT_TRUE(form->imgDrag->Visible());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Screen().Cursor(), crDefault);
    EXPECT_EQ(Status(), "To pick color, please drag \"+\" icon.");
    MoveTo(70, 60);
    EXPECT_EQ(form->CurrentColor(), kRight) << "no sampling after the release";
}

TEST_F(MainPickingTest, SecondIconHidesOnlyItselfAndOtherButtonsDoNotStart) {
    PressOn(form->imgDrag2, WM_RBUTTONDOWN, MK_RBUTTON);
    PressOn(form->imgDrag2, WM_MBUTTONDOWN, MK_MBUTTON);
    EXPECT_FALSE(form->Picking());
    EXPECT_TRUE(form->imgDrag2->Visible());
    ReleaseCapture();
    PressOn(form->imgDrag2);
    EXPECT_TRUE(form->Picking());
    EXPECT_FALSE(form->imgDrag2->Visible());
    EXPECT_TRUE(form->imgDrag->Visible());
    Release();
    EXPECT_TRUE(form->imgDrag2->Visible());
}

TEST_F(MainPickingTest, GrabNearTheScreenEdgeIsNotShiftedAndShowsBlackOutside) {
    PressOn(form->imgDrag);
    MoveTo(0, 0);
    const TBitmap& buffer = form->ZoomBuffer();
    EXPECT_EQ(buffer.Pixel(0, 0), 0u);
    EXPECT_EQ(buffer.Pixel(114, 47), 0u);
    EXPECT_EQ(buffer.Pixel(115 + 25, 48 + 25), kLeft) << "the part on the screen stays in place";
    EXPECT_EQ(Status(), "X:0 Y:0");
    Release();
}

TEST_F(MainPickingTest, GrabAtTheBottomRightCornerKeepsTheScreenPartInPlace) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    target->SetBounds(w - 200, h - 100, 200, 100);
    test::PumpFor(150);
    PressOn(form->imgDrag);
    MoveTo(w - 1, h - 1);
    const TBitmap& buffer = form->ZoomBuffer();
    EXPECT_EQ(buffer.Pixel(115, 48), kRight) << "the pointer's pixel";
    EXPECT_EQ(buffer.Pixel(115 - 40, 48 - 40), kRight);
    EXPECT_EQ(buffer.Pixel(116, 48), 0u) << "right of the screen";
    EXPECT_EQ(buffer.Pixel(115, 49), 0u) << "below the screen";
    EXPECT_EQ(buffer.Pixel(230, 95), 0u);
    Release();
}

TEST_F(MainPickingTest, LosingTheMouseEndsThePickAsAReleaseWould) {
    PressOn(form->imgDrag);
    SetCapture(target->Handle());
    EXPECT_FALSE(form->Picking());
    EXPECT_TRUE(form->imgDrag->Visible());
    EXPECT_EQ(Screen().Cursor(), crDefault);
    ReleaseCapture();
}

TEST_F(MainPickingTest, MagnifierClickPicksTheShownBlockWithAnyButton) {
    PressOn(form->imgDrag);
    MoveTo(120, 60); // the halves meet at the centre of the grab
    Release();
    form->cboZoom->SetItemIndex(2); // zoom 3: source (77, 32, 77, 32), exact 3 x 3 blocks
    form->DrawZoom();
    const int boundary = (115 - 77) * 3; // first magnified column of the right half
    HWND panel = form->pnlZoom->Handle();
    const int ox = form->imgZoom->Left(), oy = form->imgZoom->Top();
    SendMessageA(panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(ox + boundary - 1, oy + 40));
    SendMessageA(panel, WM_RBUTTONUP, 0, MAKELPARAM(ox + boundary - 1, oy + 40));
    EXPECT_EQ(form->CurrentColor(), kLeft);
    test::ClickAt(panel, ox + boundary, oy + 40, WM_MBUTTONDOWN, WM_MBUTTONUP);
    EXPECT_EQ(form->CurrentColor(), kRight);
    EXPECT_EQ(form->Value(kNotationHex), "EFCDAB");
    EXPECT_FALSE(form->Picking());
}

TEST_F(MainPickingTest, PicksAndPaintsLeaveNoGdiObjectBehindAndTheCountSeesALeak) {
    PressOn(form->imgDrag);
    MoveTo(30, 30);
    test::PumpFor(50);
    const int before = bench::LiveGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 300; ++i) {
        MoveTo(25 + i % 190, 30 + i % 60);
        UpdateWindow(form->Handle());
    }
    Release();
    test::PumpFor(50);
    EXPECT_EQ(bench::LiveGdiObjects(), before);
    GdiObject leaked(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EQ(bench::LiveGdiObjects(), before + 1) << "a brush left alive is counted";
}

// Ctrl+P and Enter posted, the thread's key state saying Ctrl is down for the first: in process
// no user's key reaches the window.
TEST_F(MainPickingTest, KeyboardPickHoldsItsStillOfTheScreenOnlyUntilItEnds) {
    SetForegroundWindow(form->Handle());
    SetCursorPos(70, 60);
    const long before = long(bench::CommittedBytes());
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(form->Handle(), WM_KEYDOWN, 'P', 0);
    test::PumpFor(50);
    ASSERT_TRUE(form->PickingStill());
    const long screen = 4L * GetSystemMetrics(SM_CXSCREEN) * GetSystemMetrics(SM_CYSCREEN);
    EXPECT_GE(long(bench::CommittedBytes()) - before, screen * 9 / 10)
        << "the count sees the still";
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    PostMessageA(form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    test::PumpFor(50);
    ASSERT_FALSE(form->Picking());
    EXPECT_LT(long(bench::CommittedBytes()) - before, 1L << 20);
}

} // namespace
} // namespace vtl
