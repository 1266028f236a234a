// Editing the colour through the spin boxes, and copying notations, on the real main window.
#include "WinTestSupport.h"

#include "main/MainForm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace vtl {
namespace {

class MainEditingTest : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetDataFolder();
        test::ReportedErrors().clear();
        form = std::make_unique<TfrmMain>();
        form->Show();
        test::PumpPending();
    }
    void TearDown() override {
        form.reset();
        test::ResetDataFolder();
    }
    // Clicks the up or down arrow of a spin box as the mouse does.
    static void Arrow(TSpinEdit* spin, bool up) {
        RECT r;
        GetClientRect(spin->UpDownHandle(), &r);
        test::ClickAt(spin->UpDownHandle(), r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    }
    static std::string Text(TWinControl* c) {
        char buf[128] = {};
        SendMessageA(c->Handle(), WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }
    std::string Boxes() const {
        std::string s;
        for (TSpinEdit* b :
             {form->spiR, form->spiG, form->spiB, form->spiH, form->spiS, form->spiL})
            s += (b == form->spiR ? "" : " ") + b->ShownText();
        return s;
    }
    void Click(TButton* button) {
        SendMessageA(GetParent(button->Handle()), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(button->Handle()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button->Handle()));
    }
    std::unique_ptr<TfrmMain> form;
};

TEST_F(MainEditingTest, RaisingSaturationKeepsTheHslBoxesAsSet) {
    Arrow(form->spiS, true);
    EXPECT_EQ(Boxes(), "247 213 184 18 192 203");
    EXPECT_EQ(form->CurrentColor(), 0x00B8D5F7u);
    EXPECT_EQ(Text(form->edtHtml), "#F7D5B8");
    EXPECT_EQ(form->Value(kNotationDecimal), "12113399");
}

TEST_F(MainEditingTest, LoweringRedRefreshesHslAndFieldsButNotTheOtherChannels) {
    Arrow(form->spiR, false);
    EXPECT_EQ(Boxes(), "246 213 185 18 185 203");
    EXPECT_EQ(Text(form->edtRGB), "246, 213, 185");
    EXPECT_EQ(form->shpColor->PenColor(), form->CurrentColor()) << "one solid swatch";
}

TEST_F(MainEditingTest, DeleteEmptiesRedToZeroUntilTheNextFullRefresh) {
    form->spiR->SetFocus();
    SendMessageA(form->spiR->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(form->spiR->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(form->spiR->ShownText(), "");
    EXPECT_EQ(GetRValue(form->CurrentColor()), 0);
    EXPECT_EQ(Text(form->edtHex), "00D5B9");
    EXPECT_EQ(Boxes(), " 213 185 115 240 100");
    Arrow(form->spiR, true);
    EXPECT_EQ(form->spiR->ShownText(), "1");
}

TEST_F(MainEditingTest, ArrowAtTheTopChangesNothing) {
    form->spiR->SetValue(255);
    const TColor before = form->CurrentColor();
    const std::string fields = Text(form->edtRGB);
    Arrow(form->spiR, true);
    EXPECT_EQ(form->CurrentColor(), before);
    EXPECT_EQ(Text(form->edtRGB), fields);
}

TEST_F(MainEditingTest, SaturationZeroGivesGreyWhateverTheHue) {
    form->spiS->SetValue(0);
    EXPECT_EQ(Boxes(), "216 216 216 18 0 203");
    form->spiL->SetValue(120);
    EXPECT_EQ(Boxes(), "128 128 128 18 0 120");
}

TEST_F(MainEditingTest, CopyPutsTheNotationOnTheClipboardAndShowsIt) {
    Click(form->btnHexCopy);
    EXPECT_EQ(test::ClipboardText(), "F7D5B9");
    EXPECT_TRUE(form->edtHex->Focused());
    DWORD start = 1, end = 0;
    SendMessageA(form->edtHex->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 6u);
    Click(form->btnVBCopy);
    EXPECT_EQ(test::ClipboardText(), "&H00B9D5F7&");
    form->Copy1->Click();
    EXPECT_EQ(test::ClipboardText(), "#F7D5B9");
    EXPECT_TRUE(form->edtHtml->Focused());
}

TEST_F(MainEditingTest, ClipboardHeldByAnotherWindowReportsAndLeavesTheFieldAlone) {
    std::atomic<bool> held{false}, done{false};
    test::Thread holder([&] {
        HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     nullptr, nullptr);
        if (OpenClipboard(owner)) {
            held = true;
            while (!done)
                Sleep(5);
            CloseClipboard();
        }
        DestroyWindow(owner);
    });
    while (!held)
        Sleep(1);
    form->spiR->SetFocus();
    Click(form->btnHexCopy);
    done = true;
    holder.Join();
    EXPECT_EQ(test::ReportedErrors(), std::vector<std::string>{"Cannot open clipboard."});
    EXPECT_FALSE(form->edtHex->Focused());
    // Free again, the same copy works.
    Click(form->btnHexCopy);
    EXPECT_EQ(test::ClipboardText(), "F7D5B9");
}

// Answers the colour dialog once it is open, from a timer that runs inside its loop.
WPARAM gDialogAnswer = IDCANCEL;
RECT gDialogRect{};
void CALLBACK AnswerColorDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA("#32770", nullptr);
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    GetWindowRect(dialog, &gDialogRect);
    PostMessageA(dialog, WM_COMMAND, gDialogAnswer, 0);
}

TEST_F(MainEditingTest, PaletteCancelledChangesNothing) {
    form->spiS->SetValue(192); // the H/S/L boxes now differ from the colour's conversion
    const std::string boxes = Boxes();
    gDialogAnswer = IDCANCEL;
    SetTimer(nullptr, 0, 30, &AnswerColorDialog);
    Click(form->btnMenu);
    EXPECT_EQ(Boxes(), boxes);
    // Centred across the monitor, a third of the spare height above.
    const int w = gDialogRect.right - gDialogRect.left, h = gDialogRect.bottom - gDialogRect.top;
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(gDialogRect.left, (work.right - w) / 2, 1);
    EXPECT_NEAR(gDialogRect.top, (work.bottom - h) / 3, 1);
}

TEST_F(MainEditingTest, PaletteConfirmedRunsTheFullRefresh) {
    form->spiS->SetValue(192);
    EXPECT_EQ(Boxes(), "247 213 184 18 192 203");
    gDialogAnswer = IDOK;
    SetTimer(nullptr, 0, 30, &AnswerColorDialog);
    Click(form->btnMenu);
    EXPECT_EQ(Boxes(), "247 213 184 18 191 203");
    EXPECT_TRUE(test::ReportedErrors().empty());
}

} // namespace
} // namespace vtl
