// Flat button styling of TBrunmark: push buttons, check boxes and radio buttons that a form
// owns get BS_FLAT.
#include "brunmark/BrunmarkClass.h"

#include "ui/Form.h"

#include <vector>

namespace vtl {

namespace {

// Push buttons, check boxes and radio buttons; not group boxes or owner-drawn buttons,
// which share the window class.
bool IsButtonControl(HWND wnd) {
    char className[16] = {};
    if (!GetClassNameA(wnd, className, sizeof className) || lstrcmpiA(className, "Button") != 0)
        return false;
    switch (GetWindowLongA(wnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return true;
    default: return false;
    }
}

} // namespace

void TBrunmark::MakeButtonsFlat(TComponent* component) {
    auto* form = dynamic_cast<TForm*>(component);
    if (!form) return;
    // A copy: styling never adds or removes components, but the list is not ours.
    const std::vector<TComponent*> owned = form->Components();
    for (TComponent* c : owned)
        MakeButtonFlat(c);
}

void TBrunmark::MakeButtonFlat(TComponent* component) {
    auto* control = dynamic_cast<TWinControl*>(component);
    // The toolkit creates a control's window with the control, so one without is gone.
    if (!control || !control->HandleAllocated()) return;
    HWND wnd = control->Handle();
    if (!IsButtonControl(wnd)) return;
    SetWindowLongA(wnd, GWL_STYLE, GetWindowLongA(wnd, GWL_STYLE) | BS_FLAT);
    control->Repaint();
}

} // namespace vtl
