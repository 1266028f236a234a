// The colour views and editors: spin boxes, notation fields and their copy controls.
#include "color/Hsl.h"
#include "color/Text.h"
#include "ui/FlagScope.h"
#include "main/MainForm.h"
#include "ui/Application.h"
#include "ui/Clipboard.h"
#include "ui/ColorDialog.h"

namespace vtl {

void TfrmMain::SetCurrentColor(TColor color) {
    shpColor->SetColors(color, color);
    // The swatch's panel carries its name for screen readers; panels paint no text.
    pnlColor->SetText("Current colour " + ColorToNotation(color, kNotationHtml));
}

void TfrmMain::ShowCurrentColor(TColor color) {
    SetCurrentColor(color);
    ShowRGB();
    ShowHSL();
    ShowColorValues();
}

void TfrmMain::ShowRGB() {
    FlagScope guard(FUpdatingRGB);
    const TColor c = CurrentColor();
    spiR->SetValue(GetRValue(c));
    spiG->SetValue(GetGValue(c));
    spiB->SetValue(GetBValue(c));
}

void TfrmMain::ShowHSL() {
    FlagScope guard(FUpdatingHSL);
    const TColor c = CurrentColor();
    int h, s, l;
    RGBToHSL(GetRValue(c), GetGValue(c), GetBValue(c), h, s, l);
    spiH->SetValue(h);
    spiS->SetValue(s);
    spiL->SetValue(l);
}

void TfrmMain::ShowColorValues() {
    const TColor c = CurrentColor();
    for (int n = 1; n <= kNotationCount; ++n)
        NotationField(n)->SetShownText(ColorToNotation(c, n));
}

TfrmMain::ShownColor TfrmMain::SaveShownColor() const {
    return {CurrentColor(),
            {spiR->ShownText(), spiG->ShownText(), spiB->ShownText(), spiH->ShownText(),
             spiS->ShownText(), spiL->ShownText()}};
}

void TfrmMain::RestoreShownColor(const ShownColor& shown) {
    SetCurrentColor(shown.color);
    {
        FlagScope rgb(FUpdatingRGB), hsl(FUpdatingHSL);
        TSpinEdit* const spins[] = {spiR, spiG, spiB, spiH, spiS, spiL};
        for (size_t i = 0; i < shown.spins.size(); ++i)
            spins[i]->SetShownText(shown.spins[i]);
    }
    ShowColorValues();
}

TEdit* TfrmMain::NotationField(int notation) const {
    switch (notation) {
    case kNotationRGB: return edtRGB;
    case kNotationDecimal: return edtDecimal;
    case kNotationHex: return edtHex;
    case kNotationHtml: return edtHtml;
    case kNotationDelphi: return edtDelphi;
    case kNotationVB: return edtVB;
    case kNotationC: return edtC;
    default: return nullptr;
    }
}

void TfrmMain::ModifyRGB() {
    if (FUpdatingRGB) return;
    const int b = spiB->Value(), g = spiG->Value(), r = spiR->Value();
    SetCurrentColor(RGB(r, g, b));
    ShowHSL();
    ShowColorValues();
}

void TfrmMain::ModifyHSL() {
    if (FUpdatingHSL) return;
    const int l = spiL->Value(), s = spiS->Value(), h = spiH->Value();
    int r, g, b;
    HSLToRGB(h, s, l, r, g, b);
    SetCurrentColor(RGB(r, g, b));
    ShowRGB();
    ShowColorValues();
}

void TfrmMain::ColorValueChange(TComponent& sender) {
    auto& field = static_cast<TEdit&>(sender);
    if (field.Tag >= 1 && field.Tag <= kNotationCount)
        FValues[size_t(field.Tag)] = TrimControl(field.ShownText());
}

void TfrmMain::CopyColor(TComponent& sender) {
    const int n = sender.Tag;
    if (n < 1 || n > kNotationCount) return;
    ClipboardSetText(FValues[size_t(n)]);
    // Shows what was copied.
    if (TEdit* field = NotationField(n); field && n != kNotationHtml) {
        field->SelectAll();
        field->SetFocus();
    }
}

void TfrmMain::btnHtmlCopyClick() {
    PopupMenu1->Popup(Handle());
}

void TfrmMain::btnMenuClick() {
    TForm* active = Application().ActiveForm();
    COLORREF color = CurrentColor();
    if (!ChooseColorAt(Handle(), active ? active->Handle() : Handle(), color, customColors_))
        return;
    ShowCurrentColor(color);
}

void TfrmMain::Copy1Click() {
    ClipboardSetText(FValues[kNotationHtml]);
    edtHtml->SelectAll();
    edtHtml->SetFocus();
}

} // namespace vtl
