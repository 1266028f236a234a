// Creates a window's controls from its layout table, finds them again by name, and places them
// at the form's DPI: the table is in 96-dpi pixels, every rectangle scaled by its edges.
#pragma once

#include "ui/LayoutItem.h"
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
#include <vector>

namespace vtl {

class TLayoutBuilder {
  public:
    // Fills an image from the picture named in its row.
    using PictureLoader = std::function<void(TImage& image, const std::string& picture)>;

    TLayoutBuilder(TForm& form, PictureLoader loadPicture);
    void Build(std::span<const layout::Item> items);
    // Places every control of the table again at the form's DPI, in its font for that DPI.
    void Place();

    TControl* Find(const std::string& name) const;
    // The control of that name and kind; a missing one is a fault of the layout.
    template <class T> T& Get(const std::string& name) const {
        auto* control = dynamic_cast<T*>(Find(name));
        if (!control) throw Error("Layout has no control " + name + " of the expected kind");
        return *control;
    }

  private:
    void Place(const layout::Item& item, TControl& control);

    struct Row {
        const layout::Item* item;
        TControl* control;
    };
    TForm& form_;
    PictureLoader loadPicture_;
    std::map<std::string, TControl*> controls_;
    std::vector<Row> rows_;
};

} // namespace vtl
