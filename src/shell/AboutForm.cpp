#include "shell/AboutForm.h"

#include "brunmark/BrunmarkClass.h"
#include "layouts/AboutLayout.h"
#include "ui/Application.h"
#include "ui/Fonts.h"
#include "ui/LayoutBuilder.h"

namespace vtl {

namespace {
// Blue links, red while pressed; in High Contrast mode the user's link and selection colours.
constexpr COLORREF kLinkColor = DesignColor(0xFF0000, COLOR_HOTLIGHT);
constexpr COLORREF kPressedColor = DesignColor(0x0000FF, COLOR_HIGHLIGHT);
constexpr int kIconGap = 10;
} // namespace

TfrmAbout::TfrmAbout() : TForm(nullptr, DialogFrame{nullptr}), layout_(*this, nullptr) {
    Name = "frmAbout";
    SetCaption("About");
    CenterOnFirstShow = true;
    SetScaledClientSize(layout::kAboutClientWidth, layout::kAboutClientHeight);
    CreateFonts();
    CreateControls();
    OnCreate = [this](TComponent&) { FormCreate(); };
    OnShow = [this](TComponent&) { FormShow(); };
    OnDpiChanged = [this](TComponent&) { FormDpiChanged(); };
    DoCreate();
}

void TfrmAbout::CreateFonts() {
    titleFont_.Reset(CreateUiFont(true, 13, false, Dpi()));
    linkFont_.Reset(CreateUiFont(false, 11, true, Dpi()));
}

void TfrmAbout::FormDpiChanged() {
    // The labels let go of the old fonts before they are deleted.
    FontHandle oldTitle = std::move(titleFont_), oldLink = std::move(linkFont_);
    CreateFonts();
    lblTitle->SetFont(titleFont_.Get());
    lblEmailAddr->SetFont(linkFont_.Get());
    lblWebsiteAddr->SetFont(linkFont_.Get());
    layout_.Place();
    PlaceTexts();
}

void TfrmAbout::CreateControls() {
    TLayoutBuilder& b = layout_;
    b.Build(layout::kAboutLayout);
#define VTL_CONTROL(name) VTL_NAMED_CONTROL(TfrmAbout, name)
    static constexpr TLayoutBuilder::Named<TfrmAbout> kNamed[] = {
        VTL_CONTROL(shpBackground),  VTL_CONTROL(bvlBackground), VTL_CONTROL(imgIcon),
        VTL_CONTROL(lblTitle),       VTL_CONTROL(lblVersion),    VTL_CONTROL(lblCopyright),
        VTL_CONTROL(lblEmail),       VTL_CONTROL(lblEmailAddr),  VTL_CONTROL(lblWebsite),
        VTL_CONTROL(lblWebsiteAddr), VTL_CONTROL(btnOK)};
#undef VTL_CONTROL
    b.Bind<TfrmAbout>(*this, kNamed);

    shpBackground->SetColors(kFieldColor, kFieldColor);
    imgIcon->Transparent = true;
    lblTitle->SetLabelFont(titleFont_.Get());
    MakeLink(*lblEmailAddr, TBrunmark::kContactMail);
    MakeLink(*lblWebsiteAddr, TBrunmark::kWebSite);
    lblEmailAddr->OnClick = [this](TComponent&) { lblEmailAddrClick(); };
    lblWebsiteAddr->OnClick = [this](TComponent&) { lblWebsiteAddrClick(); };
    btnOK->OnClick = [this](TComponent&) { btnOKClick(); };
    ActiveControl = btnOK;
    SetDefaultButton(btnOK);
    DialogKeys = true;
}

void TfrmAbout::MakeLink(TStaticText& label, const std::string& caption) {
    label.SetLabelFont(linkFont_.Get());
    label.SetCaption(caption);
    label.SetFontColor(kLinkColor);
    label.Cursor = crHandPoint;
    label.OnMouseDown = [this](TControl& c, TMouseButton b, TShiftState, int, int) {
        LabelMouseDown(c, b);
    };
    label.OnMouseUp = [this](TControl& c, TMouseButton b, TShiftState, int, int) {
        LabelMouseUp(c, b);
    };
}

void TfrmAbout::FormCreate() {
    FTitle = "Brunmark";
    FVersion = "1.00";
    FYear = "2008";
}

void TfrmAbout::FormShow() {
    PlaceTexts();
}

void TfrmAbout::PlaceTexts() {
    HINSTANCE instance = Application().Instance();
    // Shared: loaded once for the run (per size). Wine loses memory on every icon loaded and
    // destroyed, which a box opened again and again would add up.
    const int size = Scale(32);
    if (FindResourceA(instance, "MAINICON", RT_GROUP_ICON))
        imgIcon->SetIcon(
            static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, size, size, LR_SHARED)),
            false);
    else
        imgIcon->SetIcon(static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32512), IMAGE_ICON,
                                                       0, 0, LR_SHARED)),
                         false);

    lblTitle->SetCaption(FTitle);
    CenterHorizontally(*lblTitle);
    imgIcon->SetPosition(lblTitle->Left() - imgIcon->Width() - Scale(kIconGap), imgIcon->Top());
    lblVersion->SetCaption("Version " + FVersion);
    CenterHorizontally(*lblVersion);
    lblCopyright->SetCaption("Copyright (C) " + FYear + " Brunmark Software");
    CenterHorizontally(*lblCopyright);
}

void TfrmAbout::CenterHorizontally(TControl& control) {
    control.SetPosition((ClientWidth() - control.Width()) / 2, control.Top());
}

void TfrmAbout::btnOKClick() {
    ModalResult = mrOk;
}

void TfrmAbout::LabelMouseDown(TControl& sender, TMouseButton button) {
    if (button == TMouseButton::Left) static_cast<TStaticText&>(sender).SetFontColor(kPressedColor);
}

void TfrmAbout::LabelMouseUp(TControl& sender, TMouseButton button) {
    if (button == TMouseButton::Left) static_cast<TStaticText&>(sender).SetFontColor(kLinkColor);
}

void TfrmAbout::lblEmailAddrClick() {
    TBrunmark::OpenContactMail();
}

void TfrmAbout::lblWebsiteAddrClick() {
    TBrunmark::OpenWebSite();
}

} // namespace vtl
