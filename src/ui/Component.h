// Named, tagged objects that own the objects created with them as owner, as a form owns
// its controls and menus: the owner frees them, newest first.
#pragma once

#include <string>
#include <vector>

namespace vtl {

class TComponent {
  public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    std::string Name;
    int Tag = 0;

    TComponent* Owner() const { return owner_; }
    // Owned components in creation order.
    const std::vector<TComponent*>& Components() const { return components_; }
    TComponent* FindComponent(const std::string& name) const;

  private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
};

} // namespace vtl
