#include "shell/VistaAltFix.h"

#include <algorithm>

namespace vtl {

void RepaintControlTree(TControl& control) {
    if (!control.IsWindowed()) return;
    auto& windowed = static_cast<TWinControl&>(control);
    if (!windowed.HandleAllocated()) return;
    // Our containers clip their children, so each window is painted once, by its own turn.
    windowed.Repaint();
    const std::vector<TControl*> children = windowed.Controls();
    for (TControl* child : children)
        RepaintControlTree(*child);
}

TFormObj::TFormObj(TForm& form) : FForm(&form), wnd_(form.Handle()) {}

bool TFormObj::Hooks(const TForm& form) const {
    return FForm == &form && wnd_ && wnd_ == form.Handle();
}

void TFormObj::HookedWindowProc(UINT msg) {
    if (msg == WM_UPDATEUISTATE) FNeedRepaint = true;
}

void TFormObj::RepaintIfNeeded() {
    if (!FNeedRepaint) return;
    FNeedRepaint = false;
    RepaintControlTree(*FForm);
}

TAppEvents::TAppEvents(TApplication::IdleHandler onIdle)
    : id_(Application().AddIdleHandler(std::move(onIdle))) {}

TAppEvents::~TAppEvents() {
    Application().RemoveIdleHandler(id_);
}

TVistaAltFix::TVistaAltFix()
    : observer_(nullptr, [this](TForm& form, UINT msg, WPARAM, LPARAM,
                                LRESULT&) { FormMessageHandled(form, msg); }),
      FAppEvents(std::make_unique<TAppEvents>([this] { AppIdle(); })) {}

void TVistaAltFix::FormMessageHandled(TForm& form, UINT msg) {
    // Only the message the fix acts on is worth a search of the list.
    if (msg != WM_UPDATEUISTATE) return;
    for (auto& obj : FFormObjs)
        if (obj->Hooks(form)) obj->HookedWindowProc(msg);
}

void TVistaAltFix::AppIdle() {
    for (auto& obj : FFormObjs)
        obj->FAlive = false;
    const std::vector<TForm*> forms = Application().Forms();
    for (TForm* form : forms) {
        if (!form->HandleAllocated()) continue;
        auto it = std::find_if(FFormObjs.begin(), FFormObjs.end(),
                               [form](const auto& obj) { return obj->Hooks(*form); });
        if (it != FFormObjs.end())
            (*it)->FAlive = true;
        else
            FFormObjs.push_back(std::make_unique<TFormObj>(*form));
    }
    for (size_t i = FFormObjs.size(); i-- > 0;) {
        if (!FFormObjs[i]->FAlive)
            FFormObjs.erase(FFormObjs.begin() + std::ptrdiff_t(i));
        else
            FFormObjs[i]->RepaintIfNeeded();
    }
}

} // namespace vtl
