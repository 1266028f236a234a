#include "ui/LayoutBuilder.h"

namespace vtl {

namespace {
// A white field keeps black text whatever the user's colours, or it could not be read.
void MakeWhiteField(TEdit& field) {
    field.SetBackground(kFieldColor);
    field.SetTextColor(kFieldTextColor);
}
} // namespace

using layout::Item;
using layout::Kind;

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
        TControl* control = Create(item, parent, layout::kFirstControlId + int(i));
        control->Name = item.name;
        control->Tag = item.tag;
        controls_[item.name] = control;
        rows_.push_back({&item, control});
        Place(item, *control);
        if (item.kind == Kind::Image && *item.picture && loadPicture_)
            loadPicture_(static_cast<TImage&>(*control), item.picture);
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

TControl* TLayoutBuilder::Create(const Item& item, TWinControl* parent, int id) {
    const bool hidden = item.flags & layout::kHidden;
    auto place = [&](auto* c) {
        if (hidden) c->SetVisible(false);
        return c;
    };
    switch (item.kind) {
    case Kind::Panel: {
        auto* p = new TPanel(&form_, parent);
        SetWindowLongPtrA(p->Handle(), GWLP_ID, id);
        place(p);
        if (item.flags & layout::kLowered) p->SetBevelOuter(TBevelCut::Lowered);
        if (*item.caption) p->SetText(item.caption); // never painted: a name for screen readers
        return p;
    }
    case Kind::Image: {
        auto* img = place(new TImage(&form_, parent));
        img->Stretch = item.flags & layout::kStretch;
        return img;
    }
    case Kind::Shape: return place(new TShape(&form_, parent));
    case Kind::Bevel: return place(new TBevel(&form_, parent));
    case Kind::Label: return new TLabel(&form_, parent, item.caption);
    case Kind::Button: {
        auto* b = new TButton(&form_, parent, item.caption);
        SetWindowLongPtrA(b->Handle(), GWLP_ID, id);
        return place(b);
    }
    case Kind::CheckBox: {
        auto* c = new TCheckBox(&form_, parent, item.caption);
        SetWindowLongPtrA(c->Handle(), GWLP_ID, id);
        return place(c);
    }
    case Kind::ComboBox: {
        auto* c = new TComboBox(&form_, parent);
        SetWindowLongPtrA(c->Handle(), GWLP_ID, id);
        return c;
    }
    case Kind::Edit: {
        auto* e = new TEdit(&form_, parent, item.flags & layout::kReadOnly);
        SetWindowLongPtrA(e->Handle(), GWLP_ID, id);
        if (item.flags & layout::kWhite) MakeWhiteField(*e);
        if (item.flags & layout::kTabStop)
            SetWindowLongA(e->Handle(), GWL_STYLE,
                           GetWindowLongA(e->Handle(), GWL_STYLE) | WS_TABSTOP);
        if (*item.caption) e->SetShownText(item.caption);
        return place(e);
    }
    case Kind::SpinEdit: {
        auto* s = new TSpinEdit(&form_, parent, item.minValue, item.maxValue);
        SetWindowLongPtrA(s->Handle(), GWLP_ID, id);
        if (item.flags & layout::kWhite) MakeWhiteField(*s);
        return s;
    }
    case Kind::ListView: {
        auto* l = new TListView(&form_, parent);
        SetWindowLongPtrA(l->Handle(), GWLP_ID, id);
        return place(l);
    }
    case Kind::StaticText: {
        auto* t = new TStaticText(&form_, parent, item.caption);
        SetWindowLongPtrA(t->Handle(), GWLP_ID, id);
        if (item.flags & layout::kWhite) {
            t->SetColor(kFieldColor);
            t->SetFontColor(kFieldTextColor);
        }
        return t;
    }
    case Kind::StatusBar: {
        auto* s = new TStatusBar(&form_, parent);
        SetWindowLongPtrA(s->Handle(), GWLP_ID, id);
        return place(s);
    }
    }
    throw Error("Unknown control kind in layout");
}

} // namespace vtl
