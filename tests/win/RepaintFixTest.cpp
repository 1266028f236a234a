// The keyboard-cue repaint fix on real forms and messages: which forms it hooks and when,
// how often it repaints, the end-session answer; and the flat button styling.
#include "WinTestSupport.h"

#include "brunmark/BrunmarkClass.h"
#include "main/MainForm.h"
#include "shell/VistaAltFix.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/SpinEdit.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <new>
#include <vector>

namespace vtl {
namespace {

// Counts WM_PAINT per window through a subclass of its own.
class PaintCounter {
  public:
    PaintCounter() = default;
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;
    ~PaintCounter() {
        for (auto& [wnd, count] : counts_)
            if (IsWindow(wnd)) RemoveWindowSubclass(wnd, &Proc, reinterpret_cast<UINT_PTR>(this));
    }
    // The control and every windowed control below it, a spin box's arrows included.
    void WatchTree(TWinControl& root) {
        Watch(root.Handle());
        if (auto* spin = dynamic_cast<TSpinEdit*>(&root)) Watch(spin->UpDownHandle());
        for (TControl* c : root.Controls())
            if (auto* w = dynamic_cast<TWinControl*>(c)) WatchTree(*w);
    }
    void Watch(HWND wnd) {
        SetWindowSubclass(wnd, &Proc, reinterpret_cast<UINT_PTR>(this),
                          reinterpret_cast<DWORD_PTR>(this));
        counts_[wnd] = 0;
    }
    std::map<HWND, int> Counts() const { return counts_; }
    int Total() const {
        int total = 0;
        for (auto& [wnd, count] : counts_)
            total += count;
        return total;
    }

  private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                 DWORD_PTR data) {
        if (msg == WM_PAINT) ++reinterpret_cast<PaintCounter*>(data)->counts_[wnd];
        return DefSubclassProc(wnd, msg, wp, lp);
    }
    std::map<HWND, int> counts_;
};

// Counts as they will be after one more paint of every watched window.
std::map<HWND, int> OneMoreEach(std::map<HWND, int> counts) {
    for (auto& [wnd, count] : counts)
        ++count;
    return counts;
}

// Pending messages only: no idle moment.
void DispatchPending() {
    Application().ProcessMessages();
}

void SendUiStateChange(HWND wnd, WORD action, WORD flags) {
    SendMessageA(wnd, WM_UPDATEUISTATE, MAKEWPARAM(action, flags), 0);
}

// A form whose own answer to the end-session query is "no".
class TStubbornForm : public TForm {
  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_QUERYENDSESSION) return 0;
        return TForm::WndProc(msg, wp, lp);
    }
};

class RepaintFixTest : public testing::Test {
  protected:
    void SetUp() override {
        fix = std::make_unique<TVistaAltFix>();
        form = MakeForm();
        test::PumpFor(100);
    }
    // A form with windowed controls nested in a panel, and graphic ones.
    static std::unique_ptr<TForm> MakeForm() {
        auto f = std::make_unique<TForm>();
        f->SetClientSize(300, 200);
        auto* panel = new TPanel(f.get(), f.get());
        panel->SetBounds(0, 0, 300, 120);
        (new TButton(f.get(), panel, "Go"))->SetBounds(10, 10, 60, 23);
        (new TCheckBox(f.get(), panel, "Check"))->SetBounds(10, 40, 80, 17);
        (new TLabel(f.get(), panel, "Label:"))->SetBounds(10, 70, 60, 14);
        (new TEdit(f.get(), f.get(), false))->SetBounds(10, 130, 100, 21);
        (new TBevel(f.get(), f.get()))->SetBounds(5, 125, 290, 60);
        (new TSpinEdit(f.get(), f.get(), 0, 255))->SetBounds(150, 130, 90, 22);
        f->Show();
        return f;
    }

    std::unique_ptr<TVistaAltFix> fix;
    std::unique_ptr<TForm> form;
};

TEST_F(RepaintFixTest, OneChangeRepaintsTheFormAndEachWindowedControlOnceAtTheNextIdleMoment) {
    PaintCounter paints;
    paints.WatchTree(*form);
    ASSERT_EQ(paints.Counts().size(), 7u)
        << "form, panel, button, check box, edit, spin box and its arrows";
    SendUiStateChange(form->Handle(), UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS);
    DispatchPending();
    const auto before = paints.Counts();
    Application().Idle();
    EXPECT_EQ(paints.Counts(), OneMoreEach(before)) << "at once, during the idle moment";
    test::PumpPending();
    test::PumpPending();
    EXPECT_EQ(paints.Counts(), OneMoreEach(before)) << "and only once";
}

TEST_F(RepaintFixTest, SeveralChangesBeforeAnIdleMomentRepaintOnce) {
    PaintCounter paints;
    paints.WatchTree(*form);
    SendUiStateChange(form->Handle(), UIS_CLEAR, UISF_HIDEACCEL);
    SendUiStateChange(form->Handle(), UIS_CLEAR, UISF_HIDEFOCUS);
    PostMessageA(form->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), 0);
    DispatchPending();
    const auto before = paints.Counts();
    test::PumpPending();
    test::PumpPending();
    EXPECT_EQ(paints.Counts(), OneMoreEach(before));
}

TEST_F(RepaintFixTest, AFormThatIsNotToldIsNeverRepainted) {
    auto other = MakeForm();
    test::PumpFor(100);
    PaintCounter told, untold;
    told.WatchTree(*form);
    untold.WatchTree(*other);
    SendUiStateChange(form->Handle(), UIS_CLEAR, UISF_HIDEACCEL);
    test::PumpPending();
    ASSERT_GT(told.Total(), 0) << "the told form has been repainted by now";
    EXPECT_EQ(untold.Total(), 0);
}

TEST_F(RepaintFixTest, FormsAreHookedAtTheNextIdleMomentAndDroppedAfterTheyAreGone) {
    const size_t base = fix->HookCount();
    auto dialog = std::make_unique<TForm>();
    DispatchPending();
    EXPECT_EQ(fix->HookCount(), base) << "not before an idle moment";
    Application().Idle();
    EXPECT_EQ(fix->HookCount(), base + 1);
    dialog.reset();
    EXPECT_EQ(fix->HookCount(), base + 1);
    Application().Idle();
    EXPECT_EQ(fix->HookCount(), base);
}

TEST_F(RepaintFixTest, ADialogOpenedClosedAndOpenedAgainIsHookedAfreshEachTime) {
    const size_t base = fix->HookCount();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        auto dialog = MakeForm();
        test::PumpPending();
        EXPECT_EQ(fix->HookCount(), base + 1);
        PaintCounter paints;
        paints.WatchTree(*dialog);
        SendUiStateChange(dialog->Handle(), UIS_CLEAR, UISF_HIDEACCEL);
        DispatchPending();
        const auto before = paints.Counts();
        test::PumpPending();
        EXPECT_EQ(paints.Counts(), OneMoreEach(before));
        dialog.reset();
        test::PumpPending();
        EXPECT_EQ(fix->HookCount(), base) << "no entry of a closed dialog is kept";
    }
}

TEST_F(RepaintFixTest, ANewFormAtTheAddressOfAGoneOneIsHookedAfresh) {
    // The same object address with a new window must not pass for the old, hooked form.
    const size_t base = fix->HookCount();
    alignas(TForm) unsigned char storage[sizeof(TForm)];
    auto* first = new (storage) TForm();
    test::PumpPending();
    first->~TForm();
    auto* second = new (storage) TForm();
    second->SetClientSize(100, 50);
    second->Show();
    test::PumpPending();
    EXPECT_EQ(fix->HookCount(), base + 1) << "the gone form's entry was dropped";
    PaintCounter paints;
    paints.WatchTree(*second);
    SendUiStateChange(second->Handle(), UIS_CLEAR, UISF_HIDEACCEL);
    test::PumpPending();
    EXPECT_EQ(paints.Total(), 1);
    second->~TForm();
    test::PumpPending();
}

TEST_F(RepaintFixTest, AModalDialogIsHookedAndRepaintedInsideItsOwnLoop) {
    TForm dialog;
    dialog.SetClientSize(200, 100);
    auto* button = new TButton(&dialog, &dialog, "OK");
    button->SetBounds(10, 10, 60, 23);
    PaintCounter paints;
    std::map<HWND, int> before, after;
    int step = 0;
    // Runs after the fix's own idle work: the fix was registered first.
    const int driver = Application().AddIdleHandler([&] {
        switch (step++) {
        case 0:
            paints.WatchTree(dialog);
            SendUiStateChange(dialog.Handle(), UIS_CLEAR, UISF_HIDEACCEL);
            before = paints.Counts();
            break;
        case 1:
            after = paints.Counts();
            dialog.ModalResult = mrOk;
            break;
        }
        PostMessageA(dialog.Handle(), WM_NULL, 0, 0); // wakes the loop for the next step
    });
    dialog.ShowModal();
    Application().RemoveIdleHandler(driver);
    EXPECT_EQ(after, OneMoreEach(before));
}

TEST_F(RepaintFixTest, WithoutTheFixNothingIsRepaintedAndNoMessageReachesItsEntries) {
    PaintCounter paints;
    paints.WatchTree(*form);
    SendUiStateChange(form->Handle(), UIS_CLEAR, UISF_HIDEACCEL);
    test::PumpPending();
    const auto repainted = paints.Counts();
    ASSERT_GT(paints.Total(), 0) << "the fix works before it goes";
    fix.reset();
    SendUiStateChange(form->Handle(), UIS_CLEAR, UISF_HIDEACCEL);
    test::PumpPending();
    EXPECT_EQ(paints.Counts(), repainted);
}

TEST_F(RepaintFixTest, EveryFormLetsTheSessionEndWhateverItsOwnAnswer) {
    TStubbornForm stubborn;
    EXPECT_EQ(SendMessageA(stubborn.Handle(), WM_QUERYENDSESSION, 0, 0), 1);
    fix.reset();
    EXPECT_EQ(SendMessageA(stubborn.Handle(), WM_QUERYENDSESSION, 0, 0), 1) << "fix or no fix";
}

TEST_F(RepaintFixTest, TheMainWindowRepaintsAllItsWindowedControlsOnce) {
    auto main = std::make_unique<TfrmMain>();
    main->Show();
    test::PumpFor(200);
    PaintCounter paints;
    paints.WatchTree(*main);
    ASSERT_GT(paints.Counts().size(), 30u);
    SendUiStateChange(main->Handle(), UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS);
    SendUiStateChange(main->Handle(), UIS_CLEAR, UISF_HIDEFOCUS);
    DispatchPending();
    const auto before = paints.Counts();
    test::PumpPending();
    test::PumpPending();
    EXPECT_EQ(paints.Counts(), OneMoreEach(before));
}

// --- Flat buttons ----------------------------------------------------------------------------

// A button-class control of any type, as a toolkit control would make it.
class TRawButton : public TWinControl {
  public:
    TRawButton(TComponent* owner, TWinControl* parent, DWORD type) : TWinControl(owner, parent) {
        TCreateParams p;
        p.className = "BUTTON";
        p.caption = "Raw";
        p.style = WS_CHILD | WS_CLIPSIBLINGS | type;
        CreateHandle(p);
    }
};

LONG StyleOf(const TWinControl& c) {
    return GetWindowLongA(c.Handle(), GWL_STYLE);
}

TEST(FlatButtons, PushButtonsCheckBoxesAndRadioButtonsTheFormOwnsBecomeFlat) {
    TForm form;
    auto* panel = new TPanel(&form, &form);
    panel->SetBounds(0, 0, 200, 200);
    auto* push = new TButton(&form, panel, "Push");
    auto* check = new TCheckBox(&form, panel, "Check");
    auto* radio = new TRawButton(&form, panel, BS_AUTORADIOBUTTON);
    auto* group = new TRawButton(&form, panel, BS_GROUPBOX);
    auto* edit = new TEdit(&form, panel, true);
    auto* list = new TListView(&form, panel);
    // Owned by the panel, though a child of the form's panel as well: not the form's.
    auto* notOwned = new TButton(panel, panel, "Panel's");
    std::vector<std::pair<TWinControl*, LONG>> before;
    for (TWinControl* c :
         std::vector<TWinControl*>{panel, push, check, radio, group, edit, list, notOwned})
        before.emplace_back(c, StyleOf(*c));

    TBrunmark::MakeButtonsFlat(&form);

    for (size_t i = 0; i < before.size(); ++i) {
        const auto [control, style] = before[i];
        const bool flat = control == push || control == check || control == radio;
        EXPECT_EQ(StyleOf(*control), flat ? style | BS_FLAT : style) << "control " << i;
    }
}

TEST(FlatButtons, NotAFormOrAFormWithoutButtonsChangesNothing) {
    TForm form;
    auto* push = new TButton(&form, &form, "Push");
    auto* edit = new TEdit(&form, &form, false);
    const LONG pushStyle = StyleOf(*push), editStyle = StyleOf(*edit);
    TBrunmark::MakeButtonsFlat(push);
    TBrunmark::MakeButtonsFlat(nullptr);
    EXPECT_EQ(StyleOf(*push), pushStyle) << "a button is not a form";

    TForm plain;
    auto* panel = new TPanel(&plain, &plain);
    auto* field = new TEdit(&plain, panel, false);
    const LONG panelStyle = StyleOf(*panel), fieldStyle = StyleOf(*field);
    TBrunmark::MakeButtonsFlat(&plain);
    EXPECT_EQ(StyleOf(*panel), panelStyle);
    EXPECT_EQ(StyleOf(*field), fieldStyle);
    EXPECT_EQ(StyleOf(*edit), editStyle);
}

TEST(FlatButtons, AFlatButtonIsRepaintedAtOnce) {
    TForm form;
    form.SetClientSize(200, 100);
    auto* push = new TButton(&form, &form, "Push");
    push->SetBounds(10, 10, 80, 23);
    form.Show();
    test::PumpFor(100);
    PaintCounter paints;
    paints.WatchTree(*push);
    TBrunmark::MakeButtonFlat(push);
    EXPECT_EQ(paints.Total(), 1) << "painted before any message is dispatched";
}

} // namespace
} // namespace vtl
