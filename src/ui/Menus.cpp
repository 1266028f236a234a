#include "ui/Menus.h"

#include "ui/Application.h"
#include "ui/Error.h"

namespace vtl {

TMenuItem::TMenuItem(TComponent* owner, const std::string& caption, bool isDefault)
    : TComponent(owner), Caption(caption), Default(isDefault) {}

void TMenuItem::Click() {
    if (OnClick) OnClick(*this);
}

TMenuItem* TPopupMenu::Add(const std::string& caption, bool isDefault) {
    auto* item = new TMenuItem(this, caption, isDefault); // owned by the menu
    items_.push_back(item);
    dirty_ = true;
    return item;
}

void TPopupMenu::Rebuild() {
    MenuHandle menu(CreatePopupMenu());
    CheckWin32(bool(menu), "CreatePopupMenu");
    for (size_t i = 0; i < items_.size(); ++i) {
        const TMenuItem* item = items_[i];
        const UINT id = UINT(i + 1);
        if (item->IsSeparator())
            AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.Get(), MF_STRING | (item->Enabled ? 0 : MF_GRAYED), id,
                        item->Caption.c_str());
        if (item->Default) SetMenuDefaultItem(menu.Get(), id, FALSE);
    }
    menu_ = std::move(menu);
    dirty_ = false;
}

HMENU TPopupMenu::Handle() {
    if (dirty_ || !menu_) Rebuild();
    return menu_.Get();
}

TMenuItem* TPopupMenu::Popup(HWND owner) {
    POINT p{};
    GetCursorPos(&p);
    return PopupAt(p, owner);
}

TMenuItem* TPopupMenu::PopupAt(POINT p, HWND owner) {
    Rebuild(); // captions or enabled states may have changed
    if (!owner) owner = Application().Handle();
    const UINT chosen = UINT(TrackPopupMenuEx(
        menu_.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, owner, nullptr));
    if (chosen == 0 || chosen > items_.size()) return nullptr;
    TMenuItem* item = items_[chosen - 1];
    item->Click();
    return item;
}

} // namespace vtl
