#include "shell/VistaAltFix.h"

#include <algorithm>

namespace vtl {

void RepaintControlTree(TControl& control) {
    if (!control.IsWindowed()) return;
    auto& windowed = static_cast<TWinControl&>(control);
    if (!windowed.HandleAllocated()) return;
    // Our containers clip their children, so each window is painted once, by its own turn.
    RedrawWindow(windowed.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const std::vector<TControl*> children = windowed.Controls();
    for (TControl* child : children)
        RepaintControlTree(*child);
}

TFormObj::TFormObj(TForm& form) : FForm(&form), wnd_(form.Handle()) {
    // The id is the object, so two hooks on one window never replace each other.
    SetWindowSubclass(wnd_, &SubclassProc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
}

TFormObj::~TFormObj() {
    DWORD_PTR data = 0;
    if (wnd_ && IsWindow(wnd_) &&
        GetWindowSubclass(wnd_, &SubclassProc, reinterpret_cast<UINT_PTR>(this), &data) &&
        data == reinterpret_cast<DWORD_PTR>(this))
        RemoveWindowSubclass(wnd_, &SubclassProc, reinterpret_cast<UINT_PTR>(this));
}

bool TFormObj::Hooks(const TForm& form) const {
    return FForm == &form && wnd_ && wnd_ == form.Handle();
}

void TFormObj::RepaintIfNeeded() {
    if (!FNeedRepaint) return;
    FNeedRepaint = false;
    RepaintControlTree(*FForm);
}

LRESULT CALLBACK TFormObj::SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                        DWORD_PTR data) {
    return reinterpret_cast<TFormObj*>(data)->HookedWindowProc(wnd, msg, wp, lp);
}

LRESULT TFormObj::HookedWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = DefSubclassProc(wnd, msg, wp, lp);
    switch (msg) {
    case WM_QUERYENDSESSION: result = 1; break;
    case WM_UPDATEUISTATE: FNeedRepaint = true; break;
    case WM_NCDESTROY:
        // The window goes; the entry stays until the next idle scan drops it.
        RemoveWindowSubclass(wnd, &SubclassProc, reinterpret_cast<UINT_PTR>(this));
        wnd_ = nullptr;
        break;
    }
    return result;
}

TAppEvents::TAppEvents(TApplication::IdleHandler onIdle)
    : id_(Application().AddIdleHandler(std::move(onIdle))) {}

TAppEvents::~TAppEvents() {
    Application().RemoveIdleHandler(id_);
}

TVistaAltFix::TVistaAltFix() : FAppEvents(std::make_unique<TAppEvents>([this] { AppIdle(); })) {}

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
