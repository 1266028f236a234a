// The colour views and editors: spin boxes, notation fields and their copy controls.
#include "color/Hsl.h"
#include "color/Text.h"
#include "ui/FlagScope.h"
#include "main/MainForm.h"
#include "ui/Application.h"
#include "ui/Clipboard.h"
#include "ui/Error.h"
#include "ui/ModalScope.h"

#include <commdlg.h>

namespace vtl {

void TfrmMain::RGBToHSL(int R, int G, int B, int& H, int& S, int& L) {
    vtl::RGBToHSL(R, G, B, H, S, L);
}

void TfrmMain::HSLToRGB(int H, int S, int L, int& R, int& G, int& B) {
    vtl::HSLToRGB(H, S, L, R, G, B);
}

void TfrmMain::SetCurrentColor(TColor color) {
    shpColor->SetColors(color, color);
    // The swatch's panel carries its name for screen readers; panels paint no text.
    pnlColor->SetText("Current colour " + ColorToNotation(color, kNotationHtml));
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
    POINT p;
    GetCursorPos(&p);
    PopupMenu1->Popup(p.x, p.y, Handle());
}

namespace {

// Places the colour dialog on the monitor of the active form: centred across, with a third
// of the spare height above it and two thirds below.
UINT_PTR CALLBACK PlaceColorDialog(HWND dialog, UINT msg, WPARAM, LPARAM lp) {
    if (msg != WM_INITDIALOG) return 0;
    const auto* cc = reinterpret_cast<const CHOOSECOLORA*>(lp);
    HMONITOR monitor =
        MonitorFromWindow(reinterpret_cast<HWND>(cc->lCustData), MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    RECT r;
    if (!GetMonitorInfoA(monitor, &mi) || !GetWindowRect(dialog, &r)) return 0;
    const RECT& area = mi.rcWork;
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = area.left + (area.right - area.left - w) / 2;
    const int y = area.top + (area.bottom - area.top - h) / 3;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// The colour dialog's library is loaded at the dialog's first use and kept for the run, not
// loaded with the program: under Wine that costs every start several milliseconds.
BOOL RunChooseColor(CHOOSECOLORA& cc) {
    static const LibraryHandle library = LoadSystemLibrary("comdlg32.dll");
    static const auto choose = reinterpret_cast<decltype(&ChooseColorA)>(
        reinterpret_cast<void*>(library ? GetProcAddress(library.Get(), "ChooseColorA") : nullptr));
    if (!choose) throw Error("The colour dialog is not available");
    return choose(&cc);
}

} // namespace

void TfrmMain::btnMenuClick() {
    TForm* active = Application().ActiveForm();
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = Handle();
    cc.rgbResult = CurrentColor();
    cc.lpCustColors = customColors_.data();
    cc.Flags = CC_RGBINIT | CC_ENABLEHOOK | CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_SHOWHELP |
               CC_SOLIDCOLOR | CC_ANYCOLOR;
    cc.lpfnHook = &PlaceColorDialog;
    cc.lCustData = reinterpret_cast<LPARAM>(active ? active->Handle() : Handle());
    {
        TModalScope modal(cc.hwndOwner);
        if (!RunChooseColor(cc)) return;
    }
    SetCurrentColor(cc.rgbResult);
    ShowRGB();
    ShowHSL();
    ShowColorValues();
}

void TfrmMain::Copy1Click() {
    ClipboardSetText(FValues[kNotationHtml]);
    edtHtml->SelectAll();
    edtHtml->SetFocus();
}

} // namespace vtl
