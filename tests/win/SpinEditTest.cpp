// The spin box as the colour editors rely on it, driven with real messages.
#include "WinTestSupport.h"

#include "ui/Clipboard.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/SpinEdit.h"

#include <gtest/gtest.h>

#include <memory>

namespace vtl {
namespace {

class SpinEditTest : public testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(200, 100);
        panel = new TPanel(form.get(), form.get());
        panel->SetBounds(0, 0, 200, 100);
        spin = new TSpinEdit(form.get(), panel, 0, 255);
        spin->SetBounds(10, 10, 90, 22);
        other = new TSpinEdit(form.get(), panel, 0, 240);
        other->SetBounds(10, 50, 90, 22);
        spin->OnChange = [this](TComponent&) { ++changes; };
        form->Show();
        test::PumpPending();
    }

    RECT UpDownRect() const {
        RECT r;
        GetClientRect(spin->UpDownHandle(), &r);
        return r;
    }
    void ClickArrow(bool up) {
        const RECT r = UpDownRect();
        const int y = up ? r.bottom / 4 : r.bottom * 3 / 4;
        test::ClickAt(spin->UpDownHandle(), r.right / 2, y);
    }
    void Key(WPARAM vk) { SendMessageA(spin->Handle(), WM_KEYDOWN, vk, 0); }
    void Char(WPARAM ch) { SendMessageA(spin->Handle(), WM_CHAR, ch, 0); }

    std::unique_ptr<TForm> form;
    TPanel* panel = nullptr;
    TSpinEdit* spin = nullptr;
    TSpinEdit* other = nullptr;
    int changes = 0;
};

TEST_F(SpinEditTest, SettingClampsToTheRangeAndFiresOnlyOnChange) {
    spin->SetValue(247);
    EXPECT_EQ(spin->ShownText(), "247");
    EXPECT_EQ(changes, 1);
    spin->SetValue(247);
    EXPECT_EQ(changes, 1) << "showing the same text again must fire nothing";
    spin->SetValue(300);
    EXPECT_EQ(spin->ShownText(), "255");
    spin->SetValue(-7);
    EXPECT_EQ(spin->ShownText(), "0");
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_EQ(changes, 3);
}

TEST_F(SpinEditTest, TypingIsRefusedButDeleteEmptiesTheBox) {
    spin->SetValue(213);
    changes = 0;
    spin->SetFocus();
    SendMessageA(spin->Handle(), EM_SETSEL, 0, -1);
    for (WPARAM ch : {WPARAM('7'), WPARAM('a'), WPARAM(' '), WPARAM(VK_BACK), WPARAM(VK_RETURN)})
        Char(ch);
    EXPECT_EQ(spin->ShownText(), "213");
    ClipboardSetText("99");
    SendMessageA(spin->Handle(), WM_PASTE, 0, 0);
    SendMessageA(spin->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(spin->ShownText(), "213");
    EXPECT_EQ(changes, 0);

    // Delete is not blocked: it removes the selected digits like any other edit.
    SendMessageA(spin->Handle(), EM_SETSEL, 0, -1);
    Key(VK_DELETE);
    EXPECT_EQ(spin->ShownText(), "");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(spin->Value(), 0) << "an empty box reads as the minimum";
    ClickArrow(true);
    EXPECT_EQ(spin->ShownText(), "1");
}

TEST_F(SpinEditTest, ArrowKeysAndButtonsStepByOneWithinTheRange) {
    spin->SetValue(254);
    changes = 0;
    Key(VK_UP);
    EXPECT_EQ(spin->Value(), 255);
    Key(VK_UP);
    ClickArrow(true);
    EXPECT_EQ(spin->Value(), 255);
    EXPECT_EQ(changes, 1) << "a step beyond the range changes nothing and fires nothing";
    Key(VK_DOWN);
    ClickArrow(false);
    EXPECT_EQ(spin->Value(), 253);
    spin->SetValue(0);
    ClickArrow(false);
    EXPECT_EQ(spin->Value(), 0);
}

TEST_F(SpinEditTest, ReadingDoesNotClampAndTakesHexText) {
    SetWindowTextA(spin->Handle(), "999");
    test::PumpPending();
    EXPECT_EQ(spin->Value(), 999);
    SetWindowTextA(spin->Handle(), "$1F");
    EXPECT_EQ(spin->Value(), 31);
    SetWindowTextA(spin->Handle(), "12x");
    EXPECT_EQ(spin->Value(), 0);
}

TEST_F(SpinEditTest, ArrowClickLeavesTheFocusWhereItWas) {
    other->SetFocus();
    ASSERT_TRUE(other->Focused());
    ClickArrow(true);
    EXPECT_TRUE(other->Focused());
    // A click into the number takes the focus.
    test::ClickAt(spin->Handle(), 5, 5);
    EXPECT_TRUE(spin->Focused());
}

TEST_F(SpinEditTest, IsNotATabStop) {
    EXPECT_EQ(GetWindowLongA(spin->Handle(), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowLongA(spin->UpDownHandle(), GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(SpinEditTest, HeldArrowRepeatsAfterTheDelayThenAtTheInterval) {
    spin->SetValue(100);
    std::vector<DWORD> stepTimes;
    spin->OnChange = [&](TComponent&) { stepTimes.push_back(GetTickCount()); };
    const RECT r = UpDownRect();
    POINT onArrow{r.right / 2, r.bottom / 4};
    POINT screen = onArrow;
    ClientToScreen(spin->UpDownHandle(), &screen);
    SetCursorPos(screen.x, screen.y);
    const DWORD start = GetTickCount();
    SendMessageA(spin->UpDownHandle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(onArrow.x, onArrow.y));
    test::PumpFor(770);
    SendMessageA(spin->UpDownHandle(), WM_LBUTTONUP, 0, MAKELPARAM(onArrow.x, onArrow.y));
    const size_t steps = stepTimes.size();
    test::PumpFor(250);
    EXPECT_EQ(stepTimes.size(), steps) << "the release stops the repeat";

    // One step at the press, the first repeat after 400 ms, then one every 100 ms:
    // by 770 ms that is 1 + 4 steps. Timers under load may slip by a step.
    // A busy machine delays timers, never advances them: the lower bounds are exact, the
    // upper ones leave room.
    ASSERT_GE(steps, 3u);
    EXPECT_LE(steps, 6u);
    EXPECT_LT(stepTimes[0] - start, 200u);
    EXPECT_GE(stepTimes[1] - stepTimes[0], 380u);
    EXPECT_LT(stepTimes[1] - stepTimes[0], 700u);
    EXPECT_GE(stepTimes[2] - stepTimes[1], 80u);
    EXPECT_LT(stepTimes[2] - stepTimes[1], 300u);
    EXPECT_EQ(spin->Value(), int(100 + steps));
}

} // namespace
} // namespace vtl
