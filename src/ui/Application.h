// The application object: the hidden zero-size owner window that carries the taskbar button
// and the title, the list of forms, the message loop with idle notification, and the one
// handler for errors that escape an event handler.
#pragma once

#include "ui/CallbackList.h"
#include "ui/Handles.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vtl {

class TForm;

class TApplication {
  public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Creates the application window; call once before any form is created.
    void Initialize();
    // Start-up work that needs the application window: run once by Initialize, right after
    // the window exists. Whoever installs a hook keeps the one it replaces and calls it first.
    std::function<void()> StartupHook;
    HWND Handle() const { return handle_; }
    HINSTANCE Instance() const { return instance_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    // The program's icons for the shell (taskbar button, Alt+Tab, tray), which draws them at
    // the system's DPI wherever the window is; made by Initialize.
    HICON Icon() const { return icon_; }
    HICON SmallIcon() const { return smallIcon_; }

    // The form that ends the program when it closes; the first form given to AddForm.
    TForm* MainForm() const { return mainForm_; }
    // Takes ownership of a form; forms are destroyed in reverse order when the program ends.
    template <class T> T* CreateForm(std::unique_ptr<T> form) {
        T* raw = form.get();
        AddForm(std::move(form));
        return raw;
    }
    void AddForm(std::unique_ptr<TForm> form);
    void RegisterForm(TForm* form);
    void RemoveForm(TForm* form);
    // Every form that exists now, in creation order (dialogs included while they exist).
    const std::vector<TForm*>& Forms() const { return forms_; }
    bool IsFormWindow(HWND wnd) const;
    TForm* ActiveForm() const;

    // Runs the message loop until Terminate, then calls ending and destroys the forms.
    void Run(const std::function<void()>& ending = {});
    void Terminate();
    // Dispatches every pending message, then returns.
    void ProcessMessages();
    // One pass of the loop: a message if there is one, otherwise the idle handlers and a wait.
    void HandleMessage();
    // Runs a nested loop until done() is true (modal forms); idle work runs here too.
    void ModalLoop(const std::function<bool()>& done);

    // Start-up work the first paint does not need: it runs once, when the thread first runs
    // out of messages (every window is painted then), or before the first keyboard or mouse
    // message if one comes earlier, so that no input ever finds it undone.
    void AfterFirstPaint(std::function<void()> work);

    using IdleHandler = std::function<void()>;
    int AddIdleHandler(IdleHandler handler);
    void RemoveIdleHandler(int id);
    void Idle();

    // Sees each message the loops take from the queue before it is translated and dispatched;
    // a filter that returns true has handled it. Keys go to the focused control, not to the
    // window holding the mouse capture, so a form that needs them first takes them here.
    using MessageFilter = std::function<bool(const MSG&)>;
    int AddMessageFilter(MessageFilter filter);
    void RemoveMessageFilter(int id);

    // Shows the message of an error that escaped an event handler; the program goes on.
    void ShowException(const std::exception& e);
    void HandleCurrentException() noexcept;
    // Replaces the message box of ShowException (tests record messages instead).
    std::function<void(const std::string&)> OnException;

    // The application window: it carries the taskbar button and is the window that is shown,
    // hidden, made topmost and brought to the foreground for the whole program.
    // A tool window has no taskbar button; the switch takes effect at once.
    void SetTaskbarButton(bool shown);
    // Topmost on or off for the application window alone (TForm::SetTopmost places a form).
    void SetTopmost(bool on);
    // Shows the application window (without activating it) when it is hidden.
    void Show();
    void Hide();
    bool Minimized() const;
    // Minimises or restores the whole program. OnMinimize follows whatever minimises the
    // application window, these calls or another program.
    void Minimize();
    void Restore();
    std::function<void()> OnMinimize;
    void BringToFront();
    // While held, the application window keeps activation instead of handing it on (the tray
    // icon's menu needs the program in front); released, it hands it on. TActivationHold.
    void HoldActivation(bool hold);
    // The window that takes activation and focus from the application window: the popup
    // last active, or the main form; none while neither is shown and enabled.
    HWND ActivationTarget() const;
    // The application window was last activated by one of the forms going inactive.
    bool ActivatedFromForm() const { return activatedFromForm_; }

    // Hears when the outermost modal window of the program opens (true) and closes (false);
    // TModalScope tells it. When it has closed, activation the closing window gave back to
    // the application window goes on, and the forms raise the OnActivate they held back.
    std::function<void(bool modal)> OnModal;
    void ModalChanged(bool modal);
    bool ModalOpen() const { return modalOpen_; }

    // Tooltips of the whole program: milliseconds until a tip hides, -1 for never.
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms);

  private:
    bool ProcessMessage(MSG& msg);
    bool FilterMessage(const MSG& msg);
    void RunAfterFirstPaint();
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    // Minimise and restore from the taskbar or the system; false for other commands.
    bool OnSysCommand(WPARAM wp);
    void OnSize(WPARAM kind);
    void HandActivationOn();

    HINSTANCE instance_;
    HWND handle_ = nullptr;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::string title_;
    std::vector<std::unique_ptr<TForm>> owned_;
    std::vector<TForm*> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::vector<std::function<void()>> afterFirstPaint_;
    TCallbackList<IdleHandler> idleHandlers_;
    TCallbackList<MessageFilter> messageFilters_;
    int hintHidePause_ = 2500;
    bool activatedFromForm_ = false;
    bool activationHeld_ = false;
    bool modalOpen_ = false;
    bool minimized_ = false;
};

// A message filter registered for the lifetime of the object.
class TMessageFilterScope {
  public:
    explicit TMessageFilterScope(TApplication::MessageFilter filter);
    ~TMessageFilterScope();
    TMessageFilterScope(const TMessageFilterScope&) = delete;
    TMessageFilterScope& operator=(const TMessageFilterScope&) = delete;

  private:
    int id_;
};

TApplication& Application();

// Holds activation on the application window for its lifetime.
class TActivationHold {
  public:
    TActivationHold() { Application().HoldActivation(true); }
    ~TActivationHold() { Application().HoldActivation(false); }
    TActivationHold(const TActivationHold&) = delete;
    TActivationHold& operator=(const TActivationHold&) = delete;
};

} // namespace vtl
