#include "ui/LayoutBuilder.h"

namespace vtl {

namespace {
using layout::Item;
using layout::Kind;

// A white field keeps black text whatever the user's colours, or it could not be read.
void MakeWhiteField(TEdit& field) {
    field.SetBackground(kFieldColor);
    field.SetTextColor(kFieldTextColor);
}

// Placed at the row's rectangle.
template <class T> T* Placed(T* control, const Item& item) {
    control->SetBounds(item.left, item.top, item.width, item.height);
    return control;
}

// One factory for each kind of control that takes more from its row than its parent.
TControl* NewPanel(TForm& form, TWinControl* parent, const Item& item) {
    auto* p = Placed(new TPanel(&form, parent), item);
    if (item.flags & layout::kLowered) p->SetBevelOuter(TBevelCut::Lowered);
    if (*item.caption) p->SetText(item.caption); // never painted: a name for screen readers
    return p;
}

TControl* NewImage(TForm& form, TWinControl* parent, const Item& item) {
    auto* img = Placed(new TImage(&form, parent), item);
    img->Stretch = item.flags & layout::kStretch;
    return img;
}

TControl* NewEdit(TForm& form, TWinControl* parent, const Item& item) {
    auto* e = Placed(new TEdit(&form, parent, item.flags & layout::kReadOnly), item);
    if (item.flags & layout::kWhite) MakeWhiteField(*e);
    if (item.flags & layout::kTabStop)
        SetWindowLongA(e->Handle(), GWL_STYLE, GetWindowLongA(e->Handle(), GWL_STYLE) | WS_TABSTOP);
    if (*item.caption) e->SetShownText(item.caption);
    return e;
}

TControl* NewSpinEdit(TForm& form, TWinControl* parent, const Item& item) {
    auto* s = new TSpinEdit(&form, parent, item.left, item.top, item.width, item.height,
                            item.minValue, item.maxValue);
    if (item.flags & layout::kWhite) MakeWhiteField(*s);
    return s;
}

TControl* NewStaticText(TForm& form, TWinControl* parent, const Item& item) {
    auto* t = new TStaticText(&form, parent, item.caption);
    if (item.flags & layout::kWhite) {
        t->SetColor(kFieldColor);
        t->SetFontColor(kFieldTextColor);
    }
    t->SetPosition(item.left, item.top);
    return t;
}

TControl* NewLabel(TForm& form, TWinControl* parent, const Item& item) {
    auto* l = new TLabel(&form, parent, item.caption);
    l->SetPosition(item.left, item.top);
    l->AdjustSize();
    return l;
}

TControl* NewControl(TForm& form, TWinControl* parent, const Item& item) {
    switch (item.kind) {
    case Kind::Panel: return NewPanel(form, parent, item);
    case Kind::Image: return NewImage(form, parent, item);
    case Kind::Shape: return Placed(new TShape(&form, parent), item);
    case Kind::Bevel: return Placed(new TBevel(&form, parent), item);
    case Kind::Label: return NewLabel(form, parent, item);
    case Kind::Button: return Placed(new TButton(&form, parent, item.caption), item);
    case Kind::CheckBox: return Placed(new TCheckBox(&form, parent, item.caption), item);
    case Kind::ComboBox:
        return new TComboBox(&form, parent, item.left, item.top, item.width, item.height);
    case Kind::Edit: return NewEdit(form, parent, item);
    case Kind::SpinEdit: return NewSpinEdit(form, parent, item);
    case Kind::ListView: return Placed(new TListView(&form, parent), item);
    case Kind::StaticText: return NewStaticText(form, parent, item);
    case Kind::StatusBar: return Placed(new TStatusBar(&form, parent), item);
    }
    throw Error("Unknown control kind in layout");
}
} // namespace

TLayoutBuilder::TLayoutBuilder(TForm& form, PictureLoader loadPicture)
    : form_(form), loadPicture_(std::move(loadPicture)) {}

TControl* TLayoutBuilder::Find(const std::string& name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void TLayoutBuilder::Build(std::span<const Item> items) {
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        TWinControl* parent = &form_;
        if (*item.parent) {
            parent = dynamic_cast<TWinControl*>(Find(item.parent));
            if (!parent) throw Error(std::string("Layout parent missing: ") + item.parent);
        }
        TControl* control = NewControl(form_, parent, item);
        if (auto* windowed = dynamic_cast<TWinControl*>(control))
            windowed->SetControlId(layout::kFirstControlId + int(i));
        if (item.flags & layout::kHidden) control->SetVisible(false);
        control->Name = item.name;
        control->Tag = item.tag;
        controls_[item.name] = control;
        if (item.kind == Kind::Image && *item.picture && loadPicture_)
            loadPicture_(static_cast<TImage&>(*control), item.picture);
    }
}

} // namespace vtl
