// Graphic controls painted and hit-tested by their parent, component ownership, pop-up
// menus and the application-wide error handler, with real windows and messages.
#include "WinTestSupport.h"

#include "ui/ComCtrls.h"
#include "ui/Error.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/ModalScope.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vtl {
namespace {

struct MouseLog {
    std::vector<std::string> events;
    void Attach(TControl& c) {
        c.OnMouseDown = [this](TControl& s, TMouseButton b, TShiftState, int x, int y) {
            events.push_back(s.Name + " down " + std::to_string(int(b)) + " " + std::to_string(x) +
                             "," + std::to_string(y));
        };
        c.OnMouseUp = [this](TControl& s, TMouseButton, TShiftState, int x, int y) {
            events.push_back(s.Name + " up " + std::to_string(x) + "," + std::to_string(y));
        };
        c.OnClick = [this](TComponent& s) { events.push_back(s.Name + " click"); };
    }
};

class GraphicControlTest : public testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(300, 200);
        panel = new TPanel(form.get(), form.get());
        panel->Name = "panel";
        panel->SetBounds(0, 0, 300, 200);
        back = new TImage(form.get(), panel);
        back->Name = "back";
        back->SetBounds(0, 0, 300, 40);
        front = new TImage(form.get(), panel);
        front->Name = "front";
        front->SetBounds(10, 10, 16, 16);
        bevel = new TBevel(form.get(), panel);
        bevel->Name = "bevel";
        bevel->SetBounds(0, 0, 300, 200);
        for (TControl* c : {static_cast<TControl*>(panel), static_cast<TControl*>(back),
                            static_cast<TControl*>(front)})
            log.Attach(*c);
        form->Show();
        test::PumpPending();
    }

    std::unique_ptr<TForm> form;
    TPanel* panel = nullptr;
    TImage *back = nullptr, *front = nullptr;
    TBevel* bevel = nullptr;
    MouseLog log;
};

TEST_F(GraphicControlTest, PressGoesToTheTopmostVisibleControlUnderThePointer) {
    test::ClickAt(panel->Handle(), 12, 14);
    test::ClickAt(panel->Handle(), 100, 20);
    test::ClickAt(panel->Handle(), 100, 100); // only the bevel, which takes no mouse
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"front down 0 2,4", "front up 2,4", "front click",
                                        "back down 0 100,20", "back up 100,20", "back click",
                                        "panel down 0 100,100", "panel up 100,100"}));
}

TEST_F(GraphicControlTest, HiddenAndReorderedControlsAreHitAccordingly) {
    front->SetVisible(false);
    test::ClickAt(panel->Handle(), 12, 14);
    front->SetVisible(true);
    back->BringToFront();
    test::ClickAt(panel->Handle(), 12, 14, WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"back down 0 12,14", "back up 12,14", "back click",
                                        "back down 1 12,14", "back up 12,14"}))
        << "right clicks do not click";
}

TEST_F(GraphicControlTest, ControlKeepsTheMouseFromPressToRelease) {
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 14));
    EXPECT_EQ(GetCapture(), panel->Handle());
    SendMessageA(panel->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
    EXPECT_EQ(log.events, (std::vector<std::string>{"front down 0 2,4", "front up 190,140"}))
        << "released outside: the up reaches the pressed control, with no click";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(GraphicControlTest, HandlerThatTakesTheCaptureKeepsIt) {
    front->OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int, int) {
        SetCapture(form->Handle());
    };
    std::vector<POINT> formMoves;
    form->OnMouseMove = [&](TControl&, TShiftState, int x, int y) { formMoves.push_back({x, y}); };
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 14));
    EXPECT_EQ(GetCapture(), form->Handle());
    SendMessageA(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 15));
    ASSERT_EQ(formMoves.size(), 1u);
    EXPECT_EQ(formMoves[0].x, 5);
    ReleaseCapture();
}

TEST(ComponentTest, OwnerFreesOwnedComponentsAndFindsThemByName) {
    int freed = 0;
    struct Probe : TComponent {
        int& counter;
        Probe(TComponent* o, int& c) : TComponent(o), counter(c) {}
        ~Probe() override { ++counter; }
    };
    {
        TComponent owner(nullptr);
        auto* a = new Probe(&owner, freed);
        a->Name = "a";
        auto* b = new Probe(&owner, freed);
        b->Name = "b";
        delete a; // leaves the owner's list
        EXPECT_EQ(owner.Components().size(), 1u);
        EXPECT_EQ(owner.FindComponent("b"), b);
        EXPECT_EQ(owner.FindComponent("a"), nullptr);
    }
    EXPECT_EQ(freed, 2);
}

class MenuTest : public testing::Test {
  protected:
    void SetUp() override {
        menu = std::make_unique<TPopupMenu>(nullptr);
        copy = menu->Add("Copy", true);
        menu->Add("-");
        save = menu->Add("Save");
        copy->OnClick = [this](TComponent&) { clicked.push_back("Copy"); };
        save->OnClick = [this](TComponent&) { clicked.push_back("Save"); };
    }
    std::unique_ptr<TPopupMenu> menu;
    TMenuItem *copy = nullptr, *save = nullptr;
    std::vector<std::string> clicked;
};

TEST_F(MenuTest, BuildsItemsSeparatorsAndTheBoldDefault) {
    HMENU h = menu->Handle();
    ASSERT_EQ(GetMenuItemCount(h), 3);
    char text[64];
    GetMenuStringA(h, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Copy") << "no access key is added to the caption";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(h, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    EXPECT_EQ(GetMenuDefaultItem(h, TRUE, 0), 0u);
}

// Sends keys to the menu once it is open, from a timer that runs inside its loop.
std::vector<WPARAM> gMenuKeys;
void CALLBACK DriveMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;
    KillTimer(nullptr, id);
    for (WPARAM vk : gMenuKeys) {
        PostMessageA(popup, WM_KEYDOWN, vk, 0);
        PostMessageA(popup, WM_KEYUP, vk, 0xC0000000);
    }
}

TEST_F(MenuTest, PopupRunsTheChosenItemAndSkipsSeparators) {
    gMenuKeys = {VK_DOWN, VK_DOWN, VK_RETURN};
    SetTimer(nullptr, 0, 50, &DriveMenu);
    TMenuItem* chosen = menu->Popup();
    EXPECT_EQ(chosen, save);
    EXPECT_EQ(clicked, std::vector<std::string>{"Save"});
}

TEST_F(MenuTest, CancelledPopupRunsNothing) {
    gMenuKeys = {VK_ESCAPE};
    SetTimer(nullptr, 0, 50, &DriveMenu);
    EXPECT_EQ(menu->Popup(), nullptr);
    EXPECT_TRUE(clicked.empty());
}

TEST(StatusBarTest, NewTextIsThereAtOnceAndPaintedWithTheRestOfTheWindow) {
    TForm form;
    form.SetClientSize(200, 100);
    auto* status = new TStatusBar(&form, &form);
    status->SetBounds(0, 80, 200, 20);
    form.Show();
    test::PumpPending();
    status->SetSimpleText("X:12 Y:34");
    char text[32] = {};
    SendMessageA(status->Handle(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "X:12 Y:34");
    EXPECT_TRUE(IsWindowVisible(status->Handle()));
    EXPECT_TRUE(GetUpdateRect(status->Handle(), nullptr, FALSE)) << "waiting for its paint";
    test::PumpPending();
    EXPECT_FALSE(GetUpdateRect(status->Handle(), nullptr, FALSE)) << "painted";
}

TEST(ApplicationTest, ErrorEscapingAnEventHandlerIsShownAndTheProgramGoesOn) {
    test::ReportedErrors().clear();
    TForm form;
    auto* button = new TButton(&form, &form, "Go");
    int clicks = 0;
    button->OnClick = [&](TComponent&) {
        ++clicks;
        throw Error("Cannot open clipboard");
    };
    for (int i = 0; i < 2; ++i)
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button->Handle()));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(test::ReportedErrors(),
              (std::vector<std::string>{"Cannot open clipboard.", "Cannot open clipboard."}));
}

TEST(ApplicationTest, FormObserversSeeEveryFormsMessagesAroundItsOwnHandling) {
    class TLoggingForm : public TForm {
      public:
        std::vector<std::string>* log = nullptr;

      protected:
        LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == WM_APP) log->push_back("form");
            return msg == WM_APP ? 5 : TForm::WndProc(msg, wp, lp);
        }
    };
    std::vector<std::string> log;
    TLoggingForm form;
    form.log = &log;
    {
        TFormMessageObserver observer(
            [&](TForm& f, UINT msg, WPARAM, LPARAM) {
                if (msg == WM_APP && &f == &form) log.push_back("before");
            },
            [&](TForm& f, UINT msg, WPARAM, LPARAM, LRESULT& result) {
                if (msg != WM_APP || &f != &form) return;
                log.push_back("after " + std::to_string(result));
                result = 7;
            });
        EXPECT_EQ(SendMessageA(form.Handle(), WM_APP, 0, 0), 7);
    }
    EXPECT_EQ(SendMessageA(form.Handle(), WM_APP, 0, 0), 5) << "the observer has gone";
    for (bool taken :
         {true, false}) { // a filter that takes a queued message keeps it from the form
        const TMessageFilterScope filter(
            [&](const MSG& m) { return taken && m.message == WM_APP; });
        PostMessageA(form.Handle(), WM_APP, 0, 0);
        Application().ProcessMessages();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"before", "form", "after 5", "form", "form"}));
}

TEST(ApplicationTest, IdleHandlersRunWhenTheQueueIsEmpty) {
    int runs = 0;
    const int id = Application().AddIdleHandler([&] { ++runs; });
    PostMessageA(Application().Handle(), WM_NULL, 0, 0);
    test::PumpPending();
    EXPECT_GE(runs, 1);
    Application().RemoveIdleHandler(id);
    const int before = runs;
    test::PumpPending();
    EXPECT_EQ(runs, before);
}

TEST(ApplicationTest, ModalLoopRunsIdleWorkAndEndsWithTheResult) {
    TForm dialog;
    dialog.SetClientSize(100, 50);
    int idle = 0;
    const int id = Application().AddIdleHandler([&] {
        if (++idle == 3) dialog.ModalResult = mrOk;
        PostMessageA(Application().Handle(), WM_NULL, 0, 0); // keep the loop turning
    });
    std::vector<bool> told; // a dialog inside another: the tray is switched by the outermost
    Application().OnModal = [&](bool modal) { told.push_back(modal); };
    {
        TModalScope outer;
        EXPECT_EQ(dialog.ShowModal(), mrOk);
        EXPECT_FALSE(IsWindowEnabled(Application().Handle())) << "enabled within the outer scope";
    }
    Application().OnModal = nullptr;
    EXPECT_TRUE(IsWindowEnabled(Application().Handle()));
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
    Application().RemoveIdleHandler(id);
    EXPECT_GE(idle, 3);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
}

} // namespace
} // namespace vtl
