// The keyboard-cue repaint fix. When a window is told that its keyboard cues changed
// (WM_UPDATEUISTATE, e.g. when Alt switches the accelerator underlines on), some systems
// leave parts of it drawn in the old state. Every form of the program is hooked while it
// exists, and such a form is repainted, with all its windowed controls, once at the next
// idle moment. The hook also answers WM_QUERYENDSESSION with 1 for every form.
#pragma once

#include "ui/Application.h"
#include "ui/Form.h"

#include <memory>
#include <vector>

namespace vtl {

// Invalidates and paints a windowed control at once, then its windowed children, in the
// order of its child list; graphic controls are painted by their parent.
void RepaintControlTree(TControl& control);

// The hook on one form's window.
class TFormObj {
  public:
    // Hooks the form's window; the form must have one.
    explicit TFormObj(TForm& form);
    // Unhooks only a window that still carries this hook; a gone window is left alone.
    ~TFormObj();
    TFormObj(const TFormObj&) = delete;
    TFormObj& operator=(const TFormObj&) = delete;

    // Whether this hook belongs to the form as it is now (same object, same window).
    bool Hooks(const TForm& form) const;
    void RepaintIfNeeded();

    bool FAlive = true;        // the last idle scan found the window
    bool FNeedRepaint = false; // WM_UPDATEUISTATE arrived since the last repaint

  private:
    LRESULT HookedWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR data);

    TForm* FForm;
    // The hooked window. The window procedure it had before stays next in the subclass
    // chain and handles every message first (DefSubclassProc).
    HWND wnd_;
};

// The program's idle notification, registered for the life of the object.
class TAppEvents {
  public:
    explicit TAppEvents(TApplication::IdleHandler onIdle);
    ~TAppEvents();
    TAppEvents(const TAppEvents&) = delete;
    TAppEvents& operator=(const TAppEvents&) = delete;

  private:
    int id_;
};

class TVistaAltFix {
  public:
    TVistaAltFix();
    TVistaAltFix(const TVistaAltFix&) = delete;
    TVistaAltFix& operator=(const TVistaAltFix&) = delete;

    // Hooks forms that appeared, drops the hooks of forms that are gone, and repaints the
    // forms that were told their keyboard cues changed.
    void AppIdle();
    // Forms hooked now.
    size_t HookCount() const { return FFormObjs.size(); }

  private:
    // Declared first so that it goes last: no idle call can reach a half-destroyed list.
    std::vector<std::unique_ptr<TFormObj>> FFormObjs;
    std::unique_ptr<TAppEvents> FAppEvents;
};

} // namespace vtl
