#include "saved/ValuesDialog.h"

#include "color/ColorValue.h"
#include "color/Hsl.h"
#include "layouts/ValuesLayout.h"
#include "ui/Clipboard.h"
#include "ui/LayoutBuilder.h"

namespace vtl {

namespace {
std::string Triple(int a, int b, int c) {
    return std::to_string(a) + ", " + std::to_string(b) + ", " + std::to_string(c);
}
} // namespace

TfrmNew::TfrmNew(TForm* owner) : TForm(owner, DialogFrame{owner}), layout_(*this, nullptr) {
    Name = "frmNew";
    SetCaption("Values");
    DialogKeys = true;
    SetScaledClientSize(layout::kValuesClientWidth, layout::kValuesClientHeight);
    layout_.Build(layout::kValuesLayout);
    for (size_t k = 0; k < Edits.size(); ++k)
        Edits[k] = &layout_.Get<TEdit>("Edit" + std::to_string(k + 1));
    for (int k = 1; k <= 8; ++k) {
        TButton& button = layout_.Get<TButton>("Button" + std::to_string(k));
        button.OnClick = [this](TComponent& sender) { CopyColorValue(sender); };
        // Eight buttons read "Copy": a screen reader tells them apart by their row.
        button.AccessibleName = "Copy " + Edits[size_t(k - 1)]->AccessibleName;
    }
    OnDpiChanged = [this](TComponent&) { layout_.Place(); };
    // Centred once its size is that of its DPI and its controls are in place.
    if (owner) CenterOver(owner->Handle());
}

void TfrmNew::ShowColor(const std::string& text) {
    const TColor c = HtmlToColor(text);
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    int h = 0, s = 0, l = 0;
    RGBToHSL(r, g, b, h, s, l);
    const std::string texts[8] = {Triple(r, g, b),
                                  Triple(h, s, l),
                                  ColorToNotation(c, kNotationDecimal),
                                  ColorToNotation(c, kNotationHex),
                                  ColorToNotation(c, kNotationDelphi),
                                  ColorToNotation(c, kNotationVB),
                                  ColorToNotation(c, kNotationC),
                                  text};
    for (size_t k = 0; k < Edits.size(); ++k)
        Edits[k]->SetShownText(texts[k]);
}

void TfrmNew::CopyColorValue(TComponent& sender) {
    for (TControl* c : Controls()) {
        auto* edit = dynamic_cast<TEdit*>(c);
        if (!edit || edit->Tag != sender.Tag) continue;
        try {
            ClipboardSetText(edit->Text());
            edit->SelectAll();
            edit->SetFocus();
            return;
        } catch (const std::exception&) {
            // A busy clipboard: nothing is copied and the dialog stays as it is.
        }
    }
}

} // namespace vtl
