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
#include <type_traits>
#include <vector>

// clang-format off
#define VTL_NAMED_CONTROL(Form, name) \
    TLayoutBuilder::Named<Form>{#name, &TLayoutBuilder::BindNamed<Form, &Form::name>}
// clang-format on

namespace vtl {

class TLayoutBuilder {
  public:
    // Fills an image from the picture named in its row.
    using PictureLoader = std::function<void(TImage& image, const std::string& picture)>;

    TLayoutBuilder(TForm& form, PictureLoader loadPicture);
    // Creates the table's controls; a field takes its name for screen readers from the label
    // on its line, colon dropped.
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

    // A form's member that names a control of the table, found by the row of that name:
    // a table of them binds a form's members in one loop (VTL_NAMED_CONTROL).
    template <class Form> struct Named {
        const char* name;
        void (*bind)(Form& form, const TLayoutBuilder& b, const char* name);
    };
    template <class Form, auto Member>
    static void BindNamed(Form& form, const TLayoutBuilder& b, const char* name) {
        using T = std::remove_pointer_t<std::remove_reference_t<decltype(form.*Member)>>;
        form.*Member = &b.Get<T>(name);
    }
    template <class Form> void Bind(Form& form, std::span<const Named<Form>> members) const {
        for (const Named<Form>& m : members)
            m.bind(form, *this, m.name);
    }

  private:
    void Place(const layout::Item& item, TControl& control);
    void NameFieldsByLabels();

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
