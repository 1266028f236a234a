// The keyboard-cue repaint fix. When a window is told that its keyboard cues changed
// (WM_UPDATEUISTATE, e.g. when Alt switches the accelerator underlines on), some systems
// leave parts of it drawn in the old state. Every form of the program is watched while it
// exists, and such a form is repainted, with all its windowed controls, once at the next
// idle moment.
#pragma once

#include "ui/Application.h"
#include "ui/Form.h"

#include <memory>
#include <vector>

namespace vtl {

// Invalidates and paints a windowed control at once (with the windows attached to it, such
// as a spin box's arrows), then its windowed children, in the order of its child list;
// graphic controls are painted by their parent.
void RepaintControlTree(TControl& control);

// What the fix knows of one form.
class TFormObj {
  public:
    // The form must have a window.
    explicit TFormObj(TForm& form);
    TFormObj(const TFormObj&) = delete;
    TFormObj& operator=(const TFormObj&) = delete;

    // Whether this entry belongs to the form as it is now (same object, same window).
    bool Hooks(const TForm& form) const;
    // A message the form has just handled.
    void HookedWindowProc(UINT msg);
    void RepaintIfNeeded();

    bool FAlive = true;        // the last idle scan found the window
    bool FNeedRepaint = false; // WM_UPDATEUISTATE arrived since the last repaint

  private:
    TForm* FForm;
    HWND wnd_; // the window the form had when it was hooked
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

    // Hooks forms that appeared, drops the entries of forms that are gone, and repaints the
    // forms that were told their keyboard cues changed.
    void AppIdle();
    // Forms hooked now.
    size_t HookCount() const { return FFormObjs.size(); }

  private:
    void FormMessageHandled(TForm& form, UINT msg);

    // Declared first so that it goes last: no message or idle call can reach a
    // half-destroyed list.
    std::vector<std::unique_ptr<TFormObj>> FFormObjs;
    TFormMessageObserver observer_;
    std::unique_ptr<TAppEvents> FAppEvents;
};

} // namespace vtl
