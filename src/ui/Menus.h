// Pop-up menus. Only the & letters of the captions are access keys; the default item is bold.
#pragma once

#include "ui/Control.h"
#include "ui/Handles.h"

#include <string>
#include <vector>

namespace vtl {

class TMenuItem : public TComponent {
  public:
    TMenuItem(TComponent* owner, const std::string& caption, bool isDefault = false);
    std::string Caption;
    bool Default = false;
    bool Enabled = true;
    bool IsSeparator() const { return Caption == "-"; }
    TNotifyEvent OnClick;
    void Click();
};

class TPopupMenu : public TComponent {
  public:
    using TComponent::TComponent;
    // Adds an item owned by the menu.
    TMenuItem* Add(const std::string& caption, bool isDefault = false);
    // The menu as the system sees it, built from the items.
    HMENU Handle();
    // Shows the menu at the mouse pointer, tracked for the window given (the application
    // window when null), and runs the chosen item's OnClick. Returns the item or null.
    TMenuItem* Popup(HWND owner = nullptr);
    // The same at a point on the screen: a menu opened from the keyboard.
    TMenuItem* PopupAt(POINT at, HWND owner = nullptr);

  private:
    void Rebuild();
    std::vector<TMenuItem*> items_;
    MenuHandle menu_;
    bool dirty_ = true;
};

} // namespace vtl
