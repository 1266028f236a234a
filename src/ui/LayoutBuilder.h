// Creates a window's controls from its layout table and finds them again by name.
#pragma once

#include "layouts/LayoutItem.h"
#include "ui/ComCtrls.h"
#include "ui/Error.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/SpinEdit.h"
#include "ui/StdCtrls.h"

#include <functional>
#include <map>
#include <span>
#include <string>

namespace vtl {

class TLayoutBuilder {
  public:
    // Fills an image from the picture named in its row.
    using PictureLoader = std::function<void(TImage& image, const std::string& picture)>;

    TLayoutBuilder(TForm& form, PictureLoader loadPicture);
    void Build(std::span<const layout::Item> items);

    TControl* Find(const std::string& name) const;
    // The control of that name and kind; a missing one is a fault of the layout.
    template <class T> T& Get(const std::string& name) const {
        auto* control = dynamic_cast<T*>(Find(name));
        if (!control) throw Error("Layout has no control " + name + " of the expected kind");
        return *control;
    }

  private:
    TForm& form_;
    PictureLoader loadPicture_;
    std::map<std::string, TControl*> controls_;
};

} // namespace vtl
