// The skinned frame on the real main window and on windows laid out like it: strips, artwork,
// window shape, title items, buttons, the title drag and the tooltips, driven by real messages.
#include "WinTestSupport.h"

#include "main/MainForm.h"
#include "skin/ArtResource.h"
#include "skin/SkinClass.h"
#include "ui/Error.h"
#include "ui/Fonts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vtl {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

TBitmap SkinBitmap(const std::string& name) {
    return LoadArt(name);
}

// What a window of ours shows in its client area, graphic children included.
TBitmap Snapshot(TWinControl& c) {
    TBitmap shot(c.ClientWidth(), c.ClientHeight());
    SendMessageA(c.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.Dc()), PRF_CLIENT);
    return shot;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

std::string Hex(unsigned v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", v);
    return buf;
}

// Records what reaches the window from its frame and keeps the window where it is: the move
// loop, minimising and closing belong to the system and the toolkit.
template <class Base> class Observed : public Base {
  public:
    using Base::Base;
    std::vector<std::string> log;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_SYSCOMMAND:
            log.push_back("syscommand " + Hex(unsigned(wp)) + " " + Hex(unsigned(lp)));
            if ((wp & 0xFFF0) == SC_CLOSE) break; // the system turns it into WM_CLOSE
            return 0;
        case WM_CLOSE: log.push_back("close"); return 0;
        case WM_NCLBUTTONDOWN:
            log.push_back("nclbuttondown " + Hex(unsigned(wp)) + " " + Hex(unsigned(lp)));
            return 0;
        }
        return Base::WndProc(msg, wp, lp);
    }
};

// A window of any size laid out as the frame expects: four strips, each a panel holding an
// image that fills it, around the content panel.
class FrameWindow : public TForm {
  public:
    FrameWindow(int width, int height, DWORD borderStyle = 0) {
        if (borderStyle) {
            SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) | borderStyle);
            SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        }
        SetBounds(0, 0, width, height);
        SetCaption("Frame test");
        leftStrip = Strip(0, 31, 5, height - 36, leftImage);
        titleStrip = Strip(0, 0, width, 31, titleImage);
        rightStrip = Strip(width - 5, 31, 5, height - 36, rightImage);
        bottomStrip = Strip(0, height - 5, width, 5, bottomImage);
        content = new TPanel(this, this);
        content->SetBounds(5, 31, width - 10, height - 36);
    }
    std::unique_ptr<TSkinManEx> Skin(const std::string& letter) {
        return std::make_unique<TSkinManEx>(*leftImage, *titleImage, *rightImage, *bottomImage,
                                            *content, letter);
    }

    TPanel *leftStrip, *titleStrip, *rightStrip, *bottomStrip, *content;
    TImage *leftImage, *titleImage, *rightImage, *bottomImage;

  private:
    TPanel* Strip(int left, int top, int width, int height, TImage*& image) {
        auto* panel = new TPanel(this, this);
        panel->SetBounds(left, top, width, height);
        image = new TImage(this, panel);
        image->SetBounds(0, 0, width, height);
        return panel;
    }
};

class MainWindowFrameTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        form = new Observed<TfrmMain>();
        form->Show();
        test::PumpPending();
    }
    static void TearDownTestSuite() {
        delete form;
        form = nullptr;
    }
    void SetUp() override {
        form->log.clear();
        test::ReportedErrors().clear();
    }
    static TSkinManEx& Skin() { return *form->Skin(); }
    static HWND Title() { return form->Panel2->Handle(); }
    static void Send(UINT msg, WPARAM wp, POINT p) {
        SendMessageA(Title(), msg, wp, MAKELPARAM(p.x, p.y));
    }
    static POINT Centre(const TControl& c) {
        return {c.Left() + c.Width() / 2, c.Top() + c.Height() / 2};
    }
    // Whether the button's picture is the tile at x of the skin's button strip.
    static bool ShowsTile(TImage& button, int tileX) {
        const TBitmap tiles = SkinBitmap("RES_TITLE_B");
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (button.Bitmap().Pixel(x, y) != tiles.Pixel(tileX + x, y)) return false;
        return true;
    }

    static Observed<TfrmMain>* form;
};
Observed<TfrmMain>* MainWindowFrameTest::form = nullptr;

TEST_F(MainWindowFrameTest, StripsAndTheirImagesHaveTheFrameSizes) {
    ASSERT_NE(form->Skin(), nullptr);
    EXPECT_EQ(Skin().SkinName(), "B");
    EXPECT_EQ(form->Panel1->Width(), 5);
    EXPECT_EQ(form->Panel2->Height(), 31);
    EXPECT_EQ(form->Panel3->Width(), 5);
    EXPECT_EQ(form->Panel4->Height(), 5);
    struct Expected {
        TImage* image;
        int width, height;
    };
    for (auto [image, width, height] : {Expected{form->Image2, 261, 31},
                                        {form->Image1, 5, 628},
                                        {form->Image3, 5, 628},
                                        {form->Image4, 261, 5}}) {
        SCOPED_TRACE(image->Name);
        EXPECT_EQ(image->Width(), width);
        EXPECT_EQ(image->Height(), height);
        EXPECT_EQ(image->Bitmap().Width(), width);
        EXPECT_EQ(image->Bitmap().Height(), height);
    }
}

TEST_F(MainWindowFrameTest, StripsCarryTheSheetsPiecesInTheirPlaces) {
    const TBitmap sheet = SkinBitmap("RES_FORM_B");
    const TBitmap& title = form->Image2->Bitmap();
    for (int y = 0; y < 31; ++y) {
        for (int x = 0; x < 11; ++x)
            ASSERT_EQ(title.Pixel(x, y), sheet.Pixel(x, y)) << "left end " << x << "," << y;
        for (int x = 11; x < 247; ++x)
            ASSERT_EQ(title.Pixel(x, y), sheet.Pixel(187, y)) << "middle " << x << "," << y;
        for (int x = 0; x < 14; ++x)
            ASSERT_EQ(title.Pixel(247 + x, y), sheet.Pixel(201 + x, y)) << "right end " << x;
    }
    for (int y = 0; y < 628; y += 31)
        for (int x = 0; x < 5; ++x) {
            ASSERT_EQ(form->Image1->Bitmap().Pixel(x, y), sheet.Pixel(x, 32)) << "left " << y;
            ASSERT_EQ(form->Image3->Bitmap().Pixel(x, y), sheet.Pixel(210 + x, 32)) << "right";
        }
    const TBitmap& bottom = form->Image4->Bitmap();
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            ASSERT_EQ(bottom.Pixel(x, y), sheet.Pixel(x, 39 + y)) << "bottom left corner";
            ASSERT_EQ(bottom.Pixel(256 + x, y), sheet.Pixel(175 + x, 39 + y)) << "right corner";
        }
        for (int x = 5; x < 256; ++x)
            ASSERT_EQ(bottom.Pixel(x, y), sheet.Pixel(5, 39 + y)) << "bottom middle " << x;
    }
    // What the strips show is what they hold.
    const TBitmap shown = Snapshot(*form->Panel4);
    EXPECT_EQ(shown.Pixel(130, 2), bottom.Pixel(130, 2));
}

TEST_F(MainWindowFrameTest, RegionCutsExactlyTheKeyPixelsOfTheTopCorners) {
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    const HRGN rgn = region.Get();
    ASSERT_EQ(GetWindowRgn(form->Handle(), rgn), COMPLEXREGION);
    RECT box;
    GetRgnBox(rgn, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 261);
    EXPECT_EQ(box.bottom, 664);
    // Per row from the outer edge: 6, 3, 2, 1, 1, 1 at each corner.
    const int cut[] = {6, 3, 2, 1, 1, 1};
    std::set<std::pair<int, int>> expected;
    for (int y = 0; y < 6; ++y)
        for (int i = 0; i < cut[y]; ++i) {
            expected.insert({i, y});
            expected.insert({260 - i, y});
        }
    ASSERT_EQ(expected.size(), 28u);
    std::set<std::pair<int, int>> outside;
    for (int y = 0; y < 664; ++y)
        for (int x = 0; x < 261; ++x)
            if (!PtInRegion(rgn, x, y)) outside.insert({x, y});
    EXPECT_EQ(outside, expected);
    EXPECT_TRUE(PtInRegion(rgn, 0, 663) && PtInRegion(rgn, 260, 663)) << "square bottom corners";
    // The cut pixels are the sheet's key colour, the ones beside them are not.
    EXPECT_EQ(form->Image2->Bitmap().Pixel(0, 0), kMagenta);
    EXPECT_EQ(form->Image2->Bitmap().Pixel(260, 5), kMagenta);
    EXPECT_NE(form->Image2->Bitmap().Pixel(6, 0), kMagenta);
}

TEST_F(MainWindowFrameTest, ContentPanelPaintsTheSheetsColour) {
    EXPECT_FALSE(form->Panel5->ParentBackground);
    EXPECT_EQ(form->Panel5->Color(), RGB(232, 232, 232));
    const TBitmap shown = Snapshot(*form->Panel5);
    EXPECT_EQ(shown.Pixel(2, 2), RGB(232, 232, 232));
    EXPECT_EQ(shown.Pixel(120, 600 - 2), RGB(232, 232, 232)) << "above the status bar";
}

TEST_F(MainWindowFrameTest, TitleItemsSitOnTheTitleStripInFrontOfItsImage) {
    TImage* icon = Skin().Icon();
    TLabel* caption = Skin().Caption();
    TImage* minimize = Skin().MinimizeButton();
    TImage* close = Skin().CloseButton();
    ASSERT_TRUE(icon && caption && minimize && close);
    EXPECT_EQ(Text(icon->BoundsRect()), "11,9,27,25");
    EXPECT_EQ(Text(minimize->BoundsRect()), "215,9,231,25");
    EXPECT_EQ(Text(close->BoundsRect()), "234,9,250,25");
    EXPECT_EQ(caption->Left(), 31);
    EXPECT_EQ(caption->Top(), (34 - caption->Height()) / 2);
    EXPECT_EQ(minimize->Hint, "Minimize");
    EXPECT_EQ(close->Hint, "Close");
    EXPECT_TRUE(minimize->ShowHint && close->ShowHint);
    const std::vector<TControl*> expected{form->Image2, icon, caption, close, minimize};
    EXPECT_EQ(form->Panel2->Controls(), expected) << "z-order, bottom first";
    for (TControl* c : expected) {
        EXPECT_TRUE(c->Visible());
        EXPECT_EQ(c->Parent(), form->Panel2);
        EXPECT_EQ(c->Owner(), c == form->Image2 ? form : nullptr) << "the frame's own";
    }
}

TEST_F(MainWindowFrameTest, CaptionIsACopyOfTheWindowCaptionInWhiteBold) {
    TLabel& caption = *Skin().Caption();
    EXPECT_EQ(caption.Caption(), "Vantrel");
    // Sized to the text in bold: wider than the same text in the strip's regular font.
    auto textWidth = [](HFONT font) {
        WindowDC screen(nullptr);
        SelectScope selected(screen.Get(), font);
        SIZE size{};
        GetTextExtentPoint32A(screen.Get(), "Vantrel", 7, &size);
        return size.cx;
    };
    FontHandle bold(CreateUiFont(true));
    EXPECT_EQ(caption.Width(), textWidth(bold.Get()));
    EXPECT_GT(caption.Width(), textWidth(DefaultFont()));
    const TBitmap shown = Snapshot(*form->Panel2);
    int white = 0;
    for (int y = caption.Top(); y < caption.Top() + caption.Height(); ++y)
        for (int x = caption.Left(); x < caption.Left() + caption.Width(); ++x)
            white += shown.Pixel(x, y) == kWhite;
    EXPECT_GT(white, 40) << "white text on the band";

    form->SetCaption("Renamed");
    EXPECT_EQ(caption.Caption(), "Vantrel") << "taken once, at construction";
    form->SetCaption("Vantrel");
}

TEST_F(MainWindowFrameTest, IconAndButtonsAreDrawnWithRedTransparent) {
    const TBitmap shown = Snapshot(*form->Panel2);
    const TBitmap& band = form->Image2->Bitmap();
    const TBitmap iconArt = SkinBitmap("RES_ICON_B");
    const TBitmap tiles = SkinBitmap("RES_TITLE_B");
    int red = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const COLORREF art = iconArt.Pixel(x, y);
            red += art == kRed;
            ASSERT_EQ(shown.Pixel(11 + x, 9 + y), art == kRed ? band.Pixel(11 + x, 9 + y) : art)
                << "icon " << x << "," << y;
            const COLORREF up = tiles.Pixel(32 + x, y);
            ASSERT_EQ(shown.Pixel(234 + x, 9 + y), up == kRed ? band.Pixel(234 + x, 9 + y) : up)
                << "close " << x << "," << y;
        }
    EXPECT_GT(red, 0) << "the icon has transparent pixels to test";
    EXPECT_TRUE(ShowsTile(*Skin().MinimizeButton(), 0));
    EXPECT_TRUE(ShowsTile(*Skin().CloseButton(), 32));
}

TEST_F(MainWindowFrameTest, CloseShowsItsDownTileUntilReleasedThenClosesTheWindow) {
    TImage& close = *Skin().CloseButton();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, Centre(close));
    EXPECT_TRUE(ShowsTile(close, 48));
    EXPECT_EQ(form->log, std::vector<std::string>{});
    // The button keeps the mouse: moving off it and releasing elsewhere still closes.
    Send(WM_MOUSEMOVE, MK_LBUTTON, {120, 300});
    Send(WM_LBUTTONUP, 0, {120, 300});
    EXPECT_TRUE(ShowsTile(close, 32));
    EXPECT_EQ(form->log, (std::vector<std::string>{"syscommand F060 0", "close"}));
    EXPECT_NE(GetCapture(), Title());
    EXPECT_TRUE(test::ReportedErrors().empty());
}

TEST_F(MainWindowFrameTest, MinimizeShowsItsDownTileUntilReleasedThenMinimises) {
    TImage& minimize = *Skin().MinimizeButton();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, Centre(minimize));
    EXPECT_TRUE(ShowsTile(minimize, 16));
    EXPECT_TRUE(ShowsTile(*Skin().CloseButton(), 32)) << "the other button stays up";
    Send(WM_LBUTTONUP, 0, Centre(minimize));
    EXPECT_TRUE(ShowsTile(minimize, 0));
    EXPECT_EQ(form->log, (std::vector<std::string>{"syscommand F020 0"}));
}

TEST_F(MainWindowFrameTest, RightAndMiddleButtonsAndStrayReleasesDoNothing) {
    for (TImage* button : {Skin().CloseButton(), Skin().MinimizeButton()}) {
        const int upTile = button == Skin().CloseButton() ? 32 : 0;
        Send(WM_RBUTTONDOWN, MK_RBUTTON, Centre(*button));
        EXPECT_TRUE(ShowsTile(*button, upTile)) << "held right button";
        Send(WM_RBUTTONUP, 0, Centre(*button));
        test::ClickAt(Title(), Centre(*button).x, Centre(*button).y, WM_MBUTTONDOWN, WM_MBUTTONUP);
        // A release without a press on the button (a window above closed on the press).
        Send(WM_LBUTTONUP, 0, Centre(*button));
        EXPECT_TRUE(ShowsTile(*button, upTile));
    }
    test::ClickAt(Title(), 120, 15, WM_RBUTTONDOWN, WM_RBUTTONUP);
    test::ClickAt(Title(), 120, 15, WM_MBUTTONDOWN, WM_MBUTTONUP);
    EXPECT_EQ(form->log, std::vector<std::string>{});
}

TEST_F(MainWindowFrameTest, LeftPressOnTheTitleHandsTheMoveToTheSystem) {
    for (POINT p : {POINT{120, 15}, POINT{2, 30}, POINT{258, 1}, POINT{200, 3}}) {
        form->log.clear();
        Send(WM_LBUTTONDOWN, MK_LBUTTON, p);
        EXPECT_EQ(form->log, (std::vector<std::string>{"nclbuttondown 2 0"})) << p.x << "," << p.y;
        EXPECT_NE(GetCapture(), Title()) << "the capture is given up for the system's move";
        Send(WM_LBUTTONUP, 0, p);
    }
}

TEST_F(MainWindowFrameTest, PressesOnTheIconAndTheCaptionReachNoHandler) {
    TLabel& caption = *Skin().Caption();
    for (POINT p : {Centre(*Skin().Icon()), POINT{11, 9}, Centre(caption),
                    POINT{caption.Left() + 1, caption.Top() + 1}}) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, p);
        Send(WM_MOUSEMOVE, MK_LBUTTON, {p.x + 40, p.y + 20});
        Send(WM_LBUTTONUP, 0, {p.x + 40, p.y + 20});
    }
    EXPECT_EQ(form->log, std::vector<std::string>{});
}

// The tooltip controls of this thread with a tool on the window, and the tools' texts and areas.
struct TipTools {
    HWND tooltip = nullptr;
    std::vector<std::pair<std::string, RECT>> tools;
};
BOOL CALLBACK CollectTooltip(HWND w, LPARAM lp) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0)
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

TipTools ToolsOn(HWND wnd) {
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), &CollectTooltip, reinterpret_cast<LPARAM>(&tips));
    TipTools found;
    for (HWND tip : tips) {
        const int n = int(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[128] = {};
            TTTOOLINFOA info{};
            info.cbSize = TTTOOLINFOA_V2_SIZE;
            info.lpszText = text;
            if (!SendMessageA(tip, TTM_ENUMTOOLSA, WPARAM(i), reinterpret_cast<LPARAM>(&info)) ||
                info.hwnd != wnd)
                continue;
            found.tooltip = tip;
            found.tools.push_back({text, info.rect});
        }
    }
    return found;
}

TEST_F(MainWindowFrameTest, ButtonsHaveTooltipsThatStayUntilThePointerLeaves) {
    EXPECT_EQ(Application().HintHidePause(), -1);
    Send(WM_MOUSEMOVE, 0, {120, 15});
    const TipTools found = ToolsOn(Title());
    ASSERT_NE(found.tooltip, nullptr);
    ASSERT_EQ(found.tools.size(), 2u);
    std::set<std::string> texts;
    for (const auto& [text, rect] : found.tools) {
        texts.insert(text);
        TImage* button = text == "Close" ? Skin().CloseButton() : Skin().MinimizeButton();
        EXPECT_EQ(Text(rect), Text(button->BoundsRect())) << text;
    }
    EXPECT_EQ(texts, (std::set<std::string>{"Close", "Minimize"}));

    // The real pointer resting on Close brings the tip up, and it is still up after the
    // longest time the tooltip control keeps a tip up by itself (32.767 s).
    const POINT onClose = Skin().CloseButton()->ClientToScreen({8, 8});
    SetCursorPos(onClose.x, onClose.y);
    test::PumpFor(1500);
    ASSERT_TRUE(IsWindowVisible(found.tooltip));
    char shown[64] = {};
    GetWindowTextA(found.tooltip, shown, sizeof shown);
    EXPECT_STREQ(shown, "Close");
    test::PumpFor(34000);
    EXPECT_TRUE(IsWindowVisible(found.tooltip)) << "gone while the pointer rests on Close";
    SetCursorPos(onClose.x - 120, onClose.y + 200);
    test::PumpFor(600);
    EXPECT_FALSE(IsWindowVisible(found.tooltip)) << "hides when the pointer leaves";
}

class FrameRuleTest : public testing::Test {
  protected:
    void SetUp() override { test::ReportedErrors().clear(); }
    static bool HasRegion(HWND wnd) {
        RegionHandle region(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(wnd, region.Get()) != ERROR;
    }
};

TEST_F(FrameRuleTest, SkinLetterIsTrimmedAndUpperCased) {
    const std::pair<const char*, const char*> cases[] = {
        {" b ", "B"}, {"b", "B"}, {"\tB\r\n", "B"}, {"  g", "G"}, {"o ", "O"}};
    for (auto [letter, name] : cases) {
        SCOPED_TRACE(letter);
        FrameWindow window(261, 664);
        auto skin = window.Skin(letter);
        ASSERT_NE(skin->Icon(), nullptr);
        EXPECT_EQ(skin->SkinName(), name);
        // That letter's sheet was used: its content colour.
        const TBitmap sheet = SkinBitmap(std::string("RES_FORM_") + name);
        EXPECT_EQ(window.content->Color(), sheet.Pixel(6, 32));
    }
    FrameWindow olive(261, 664);
    auto skin = olive.Skin("o");
    EXPECT_EQ(olive.content->Color(), RGB(239, 240, 230));
}

TEST_F(FrameRuleTest, FrameOnAnyWindowFollowsItsSize) {
    Observed<FrameWindow> window(300, 400);
    auto skin = window.Skin("G");
    EXPECT_EQ(skin->CloseButton()->Left(), 300 - 27);
    EXPECT_EQ(skin->MinimizeButton()->Left(), 300 - 46);
    EXPECT_EQ(window.leftImage->Height(), 364);
    EXPECT_EQ(window.bottomImage->Width(), 300);
    // "G" has 5, 3, 3, 1, 1, 0 at the left corner and 6, 3, 2, 1, 1, 1 at the right.
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    const HRGN rgn = region.Get();
    ASSERT_NE(GetWindowRgn(window.Handle(), rgn), ERROR);
    int cut = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 300; ++x)
            cut += !PtInRegion(rgn, x, y);
    EXPECT_EQ(cut, 13 + 14);
    EXPECT_FALSE(PtInRegion(rgn, 4, 0));
    EXPECT_TRUE(PtInRegion(rgn, 5, 0));
    EXPECT_TRUE(PtInRegion(rgn, 0, 5));
    EXPECT_FALSE(PtInRegion(rgn, 299, 5));
}

TEST_F(FrameRuleTest, SmallOrBorderedWindowsGetNoFrameAndAreLeftAlone) {
    struct Case {
        int width, height;
        DWORD border;
        bool applies;
    };
    for (const Case c : {Case{251, 189, 0, true},
                         {250, 664, 0, false},
                         {261, 188, 0, false},
                         {261, 664, WS_BORDER, false},
                         {261, 664, WS_CAPTION, false},
                         {261, 664, WS_THICKFRAME, false}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " style " +
                     Hex(c.border));
        FrameWindow window(c.width, c.height, c.border);
        window.leftStrip->SetSize(8, window.leftStrip->Height());
        const COLORREF before = window.content->Color();
        auto skin = window.Skin("B");
        EXPECT_EQ(skin->Icon() != nullptr, c.applies);
        EXPECT_EQ(HasRegion(window.Handle()), c.applies);
        if (c.applies) continue;
        EXPECT_EQ(skin->SkinName(), "");
        EXPECT_FALSE(skin->Caption() || skin->MinimizeButton() || skin->CloseButton());
        EXPECT_EQ(window.titleStrip->Controls().size(), 1u) << "nothing created";
        EXPECT_EQ(window.leftStrip->Width(), 8) << "nothing touched";
        EXPECT_EQ(window.content->Color(), before);
        EXPECT_FALSE(window.titleImage->OnMouseDown);
        EXPECT_FALSE(window.titleImage->HasBitmap());
    }
}

TEST_F(FrameRuleTest, SkinWithoutResourcesFailsBeforeTouchingTheWindow) {
    FrameWindow window(261, 664);
    window.leftStrip->SetSize(8, window.leftStrip->Height());
    try {
        window.Skin(" z ");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("RES_FORM_Z"), std::string::npos) << e.what();
    }
    EXPECT_EQ(window.leftStrip->Width(), 8);
    EXPECT_EQ(window.titleStrip->Controls().size(), 1u);
    EXPECT_FALSE(window.titleImage->OnMouseDown);
    EXPECT_FALSE(HasRegion(window.Handle()));
}

TEST_F(FrameRuleTest, ReleasingTheFrameRemovesItsControlsAndLeavesTheWindowsOwn) {
    Observed<FrameWindow> window(261, 664);
    auto skin = window.Skin("B");
    ASSERT_EQ(window.titleStrip->Controls().size(), 5u);
    SendMessageA(window.titleStrip->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(120, 15));
    ASSERT_EQ(ToolsOn(window.titleStrip->Handle()).tools.size(), 2u);
    skin.reset();
    EXPECT_TRUE(ToolsOn(window.titleStrip->Handle()).tools.empty()) << "the buttons' tips went";
    EXPECT_EQ(window.titleStrip->Controls(), (std::vector<TControl*>{window.titleImage}));
    EXPECT_TRUE(HasRegion(window.Handle())) << "the shape stays with the window";
    EXPECT_TRUE(window.titleImage->HasBitmap());
    // The title no longer moves the window, and nothing dangles.
    test::ClickAt(window.titleStrip->Handle(), 120, 15);
    EXPECT_TRUE(window.log.empty());
    EXPECT_TRUE(test::ReportedErrors().empty());
}

TEST_F(FrameRuleTest, DrawButtonIgnoresUnknownPairsAndMissingButtonsAndIgnoresCase) {
    Observed<FrameWindow> window(261, 664);
    auto skin = window.Skin("B");
    const TBitmap tiles = SkinBitmap("RES_TITLE_B");
    TImage& close = *skin->CloseButton();
    auto shows = [&](int tileX) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (close.Bitmap().Pixel(x, y) != tiles.Pixel(tileX + x, y)) return false;
        return true;
    };
    skin->DrawButton(&close, "CLOSE", "Down");
    EXPECT_TRUE(shows(48));
    skin->DrawButton(&close, "close", "hover");
    skin->DrawButton(&close, "maximize", "up");
    EXPECT_TRUE(shows(48)) << "unknown pairs copy nothing";
    skin->DrawButton(&close, "Minimize", "UP");
    EXPECT_TRUE(shows(0));
    skin->DrawButton(nullptr, "close", "up");
}

} // namespace
} // namespace vtl
