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

// One factory for each kind of control that takes more from its row than its parent.
TControl* NewPanel(TForm& form, TWinControl* parent, const Item& item) {
    auto* p = new TPanel(&form, parent);
    if (item.flags & layout::kLowered) p->SetBevelOuter(TBevelCut::Lowered);
    if (*item.caption) p->SetText(item.caption); // never painted: a name for screen readers
    return p;
}

TControl* NewImage(TForm& form, TWinControl* parent, const Item& item) {
    auto* img = new TImage(&form, parent);
    img->Stretch = item.flags & layout::kStretch;
    return img;
}

TControl* NewEdit(TForm& form, TWinControl* parent, const Item& item) {
    auto* e = new TEdit(&form, parent, item.flags & layout::kReadOnly);
    if (item.flags & layout::kWhite) MakeWhiteField(*e);
    if (item.flags & layout::kTabStop)
        SetWindowLongA(e->Handle(), GWL_STYLE, GetWindowLongA(e->Handle(), GWL_STYLE) | WS_TABSTOP);
    if (*item.caption) e->SetShownText(item.caption);
    return e;
}

TControl* NewSpinEdit(TForm& form, TWinControl* parent, const Item& item) {
    auto* s = new TSpinEdit(&form, parent, item.minValue, item.maxValue);
    if (item.flags & layout::kWhite) MakeWhiteField(*s);
    return s;
}

TControl* NewStaticText(TForm& form, TWinControl* parent, const Item& item) {
    auto* t = new TStaticText(&form, parent, item.caption);
    if (item.flags & layout::kWhite) {
        t->SetColor(kFieldColor);
        t->SetFontColor(kFieldTextColor);
    }
    return t;
}

TControl* NewControl(TForm& form, TWinControl* parent, const Item& item) {
    switch (item.kind) {
    case Kind::Panel: return NewPanel(form, parent, item);
    case Kind::Image: return NewImage(form, parent, item);
    case Kind::Shape: return new TShape(&form, parent);
    case Kind::Bevel: return new TBevel(&form, parent);
    case Kind::Label: return new TLabel(&form, parent, item.caption);
    case Kind::Button: return new TButton(&form, parent, item.caption);
    case Kind::CheckBox: return new TCheckBox(&form, parent, item.caption);
    case Kind::ComboBox: return new TComboBox(&form, parent);
    case Kind::Edit: return NewEdit(form, parent, item);
    case Kind::SpinEdit: return NewSpinEdit(form, parent, item);
    case Kind::ListView: return new TListView(&form, parent);
    case Kind::StaticText: return NewStaticText(form, parent, item);
    case Kind::StatusBar: return new TStatusBar(&form, parent);
    }
    throw Error("Unknown control kind in layout");
}
// A label's words without the colon that ends them.
std::string LabelWords(const std::string& caption) {
    return !caption.empty() && caption.back() == ':' ? caption.substr(0, caption.size() - 1)
                                                     : caption;
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
        rows_.push_back({&item, control});
        Place(item, *control);
        if (item.kind == Kind::Image && *item.picture && loadPicture_)
            loadPicture_(static_cast<TImage&>(*control), item.picture);
    }
    NameFieldsByLabels();
}

// A painted label names nothing to the system, which pairs a field only with a label window
// before it. Each field is named here by the label on its line, to its left, as the eye pairs
// them.
void TLayoutBuilder::NameFieldsByLabels() {
    for (const Row& label : rows_) {
        if (label.item->kind != Kind::Label) continue;
        const TControl& l = *label.control;
        const int middle = l.Top() + l.Height() / 2;
        TControl* nearest = nullptr;
        for (const Row& field : rows_) {
            TControl& f = *field.control;
            const bool isField =
                field.item->kind == Kind::Edit || field.item->kind == Kind::SpinEdit;
            if (isField && f.Parent() == l.Parent() && f.Left() > l.Left() && f.Top() <= middle &&
                middle < f.Top() + f.Height() && (!nearest || f.Left() < nearest->Left()))
                nearest = &f;
        }
        if (nearest && nearest->AccessibleName.empty())
            nearest->AccessibleName = LabelWords(label.item->caption);
    }
}

void TLayoutBuilder::Place() {
    for (const Row& row : rows_)
        if (auto* windowed = dynamic_cast<TWinControl*>(row.control)) windowed->RefreshFont();
    for (const Row& row : rows_) {
        Place(*row.item, *row.control);
        if (row.item->kind == Kind::Image && *row.item->picture && loadPicture_)
            loadPicture_(static_cast<TImage&>(*row.control), row.item->picture);
    }
}

void TLayoutBuilder::Place(const Item& item, TControl& control) {
    const int dpi = form_.Dpi();
    const RECT r = ScaleRect(item.left, item.top, item.width, item.height, dpi);
    switch (item.kind) {
    case Kind::Label: {
        auto& label = static_cast<TLabel&>(control);
        label.SetPosition(r.left, r.top);
        label.AdjustSize();
        return;
    }
    case Kind::StaticText: {
        auto& text = static_cast<TStaticText&>(control);
        text.SetPosition(r.left, r.top);
        text.AdjustSize();
        return;
    }
    default: control.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

} // namespace vtl
