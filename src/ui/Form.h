// A top-level window owned by the application window.
#pragma once

#include "ui/WinControl.h"

#include <functional>

namespace vtl {

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

class TButton;

// Shown, enabled and still there: activation or the keyboard focus can go to it.
inline bool CanActivate(HWND wnd) {
    return wnd && IsWindow(wnd) && IsWindowVisible(wnd) && IsWindowEnabled(wnd);
}

class TForm : public TWinControl {
  public:
    // Creates the (hidden) window at once, so controls can be placed on it.
    explicit TForm(TComponent* owner = nullptr);
    // A dialog frame (caption and close box, not resizable) owned by the given form's window.
    struct DialogFrame {
        TForm* ownerForm;
    };
    TForm(TComponent* owner, DialogFrame frame);
    ~TForm() override;

    // The client size at the form's DPI, frame added for that DPI.
    void SetClientSize(int width, int height);
    // The DPI the form was created at, or the one the last WM_DPICHANGED brought. Every
    // control of the form asks this.
    int Dpi() const override { return dpi_; }
    // Runs after the DPI changed and the window took its new place: the form lays itself out
    // again at Dpi().
    TNotifyEvent OnDpiChanged;
    // The client size the form has at a DPI; WM_GETDPISCALEDSIZE answers with it.
    std::function<SIZE(int dpi)> ClientSizeAt;
    // A client size given in 96-dpi pixels: scaled at every DPI, and set now.
    void SetScaledClientSize(int width, int height);
    void SetCaption(const std::string& caption) { SetText(caption); }
    std::string Caption() const { return Text(); }
    void SetIcon(HICON big, HICON small);

    // Shows the form; with CenterOnFirstShow, its first showing centres it on the screen.
    void Show();
    bool CenterOnFirstShow = false;
    void Hide();
    // Topmost on or off. The main form takes the application window with it: that window owns
    // it, and the owned window follows its owner on Windows but not under Wine.
    void SetTopmost(bool on);
    // The main form's close ends the program; a modal form's ends its loop; others hide.
    void Close();
    int ShowModal();
    // The control that gets the keyboard focus when the form is activated, until the user
    // focused another: the control that had the focus when the form went inactive gets it
    // back when it is activated again.
    TWinControl* ActiveControl = nullptr;
    // Drawn as the default push button; Enter presses it (with DialogKeys).
    void SetDefaultButton(TButton* button);
    int ModalResult = mrNone;
    // Places the form centred over another window (its owner, for dialogs).
    void CenterOver(HWND wnd);
    // Tab moves the focus through the children with tab stops, in creation order; Esc closes.
    bool DialogKeys = false;

    // Destroys the window while the object is whole: OnDestroy runs first, once.
    void DestroyWindowNow();

    TNotifyEvent OnCreate;
    // Runs each time the form is about to be shown.
    TNotifyEvent OnShow;
    // Runs at the first activation and when the keys come back from another of our forms;
    // after a modal window, once its modal bracket has ended (RaisePendingActivate).
    TNotifyEvent OnActivate;
    void RaisePendingActivate();
    TNotifyEvent OnDestroy;
    // Runs when the user's colours or High Contrast mode changed, before the form repaints.
    TNotifyEvent OnColorsChange;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp) override;
    // Runs OnCreate; the derived form calls it at the end of its constructor.
    void DoCreate();

  private:
    void RememberFocus();
    void RestoreFocus();
    // Handlers of WndProc.
    LRESULT OnSysCommand(WPARAM wp, LPARAM lp);
    LRESULT OnGetDefId();
    LRESULT OnActivateMessage(WPARAM wp, LPARAM lp); // OnActivate is the event it raises
    LRESULT OnGetDpiScaledSize(WPARAM wp, LPARAM lp);
    LRESULT OnDpiChangedMessage(WPARAM wp, LPARAM lp); // OnDpiChanged is the event it raises
    void TakeWindowDpi();
    LRESULT OnSystemColors(UINT msg, WPARAM wp, LPARAM lp);

    HWND focus_ = nullptr;
    TButton* defaultButton_ = nullptr;
    bool shownOnce_ = false;
    bool activatedOnce_ = false;
    bool activatePending_ = false;
    bool destroyed_ = false;
    bool modal_ = false;
    int dpi_ = kBaseDpi;
    unsigned colorSchemeVersion_ = ColorSchemeVersion(); // the colours painted last
};

// Sees the messages of every form of the program, for as long as it exists: before runs
// ahead of the form's own handling, after behind it and may change the answer. Either may be
// empty. Program code that must react to any form's messages uses this instead of hooking
// window procedures.
class TFormMessageObserver {
  public:
    using Before = std::function<void(TForm& form, UINT msg, WPARAM wp, LPARAM lp)>;
    using After = std::function<void(TForm& form, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;

    TFormMessageObserver(Before before, After after);
    ~TFormMessageObserver();
    TFormMessageObserver(const TFormMessageObserver&) = delete;
    TFormMessageObserver& operator=(const TFormMessageObserver&) = delete;

  private:
    int id_;
};

} // namespace vtl
