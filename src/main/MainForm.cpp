#include "main/MainForm.h"

#include "brunmark/BrunmarkClass.h"
#include "layouts/MainLayout.h"
#include "layouts/Scale.h"
#include "skin/ArtResource.h"
#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/Icons.h"
#include "ui/LayoutBuilder.h"
#include "ui/Screen.h"

#include <optional>

namespace vtl {

namespace {

constexpr const char* kTitle = "Vantrel";

void LoadPicture(TImage& image, const std::string& picture) {
    // Drawn for each scale; the nearest is taken and never stretched.
    const int art = layout::NearestArtDpi(image.Dpi());
    if (picture == "picker" || picture == "zoom") {
        const std::string name = layout::ArtName(picture == "picker" ? "PICKER" : "ZOOM", art);
        image.SetIcon(LoadArtIcon(name, image.Scale(32)).Release(), true);
    } else if (picture == "placeholder") {
        std::optional<TBitmap> placeholder;
        try {
            placeholder.emplace(LoadArt(layout::ArtName("PLACEHOLDER", art)));
        } catch (const Error&) {
            return; // the magnifier then shows its silver fill
        }
        TBitmap& canvas = image.Bitmap();
        canvas.Resize(image.Width(), image.Height());
        BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), placeholder->Dc(), 0, 0,
               SRCCOPY);
    }
}

// The members that name the layout's controls.
#define VTL_CONTROL(name) VTL_NAMED_CONTROL(TfrmMain, name)
constexpr TLayoutBuilder::Named<TfrmMain> kNamedControls[] = {
    VTL_CONTROL(Panel1),        VTL_CONTROL(Panel2),         VTL_CONTROL(Panel3),
    VTL_CONTROL(Panel4),        VTL_CONTROL(Panel5),         VTL_CONTROL(Image1),
    VTL_CONTROL(Image2),        VTL_CONTROL(Image3),         VTL_CONTROL(Image4),
    VTL_CONTROL(chkStayOnTop),  VTL_CONTROL(cboZoom),        VTL_CONTROL(btnMenu),
    VTL_CONTROL(pnlDrag),       VTL_CONTROL(pnlColor),       VTL_CONTROL(pnlDrag2),
    VTL_CONTROL(pnlZoom),       VTL_CONTROL(imgDrag),        VTL_CONTROL(imgDrag2),
    VTL_CONTROL(imgZoom),       VTL_CONTROL(imgZoomCursor),  VTL_CONTROL(shpColor),
    VTL_CONTROL(bvlRgbFrame),   VTL_CONTROL(lblR),           VTL_CONTROL(lblG),
    VTL_CONTROL(lblB),          VTL_CONTROL(lblH),           VTL_CONTROL(lblS),
    VTL_CONTROL(lblL),          VTL_CONTROL(spiR),           VTL_CONTROL(spiG),
    VTL_CONTROL(spiB),          VTL_CONTROL(spiH),           VTL_CONTROL(spiS),
    VTL_CONTROL(spiL),          VTL_CONTROL(lblRGB),         VTL_CONTROL(lblDecimal),
    VTL_CONTROL(lblHex),        VTL_CONTROL(lblDelphi),      VTL_CONTROL(lblVB),
    VTL_CONTROL(lblC),          VTL_CONTROL(lblHtml),        VTL_CONTROL(edtRGB),
    VTL_CONTROL(edtDecimal),    VTL_CONTROL(edtHex),         VTL_CONTROL(edtDelphi),
    VTL_CONTROL(edtVB),         VTL_CONTROL(edtC),           VTL_CONTROL(edtHtml),
    VTL_CONTROL(btnRGBCopy),    VTL_CONTROL(btnDecimalCopy), VTL_CONTROL(btnHexCopy),
    VTL_CONTROL(btnDelphiCopy), VTL_CONTROL(btnVBCopy),      VTL_CONTROL(btnCCopy),
    VTL_CONTROL(btnHtmlCopy),   VTL_CONTROL(ListView1),      VTL_CONTROL(StatusBar1),
};
#undef VTL_CONTROL

} // namespace

TfrmMain::TfrmMain() {
    Name = "frmMain";
    customColors_.fill(0x00FFFFFF); // unset custom colours show white
    CenterOnFirstShow = true;
    SetScaledClientSize(layout::kMainClientWidth, layout::kMainClientHeight);
    CreateControls();
    CreateMenus();
    BindEvents();
    DoCreate();
}

TfrmMain::~TfrmMain() {
    DestroyWindowNow();
}

void TfrmMain::CreateControls() {
    layout_ = std::make_unique<TLayoutBuilder>(*this, &LoadPicture);
    TLayoutBuilder& b = *layout_;
    b.Build(layout::kMainLayout);
    b.Bind<TfrmMain>(*this, kNamedControls);

    // Black crosses on the system's button face: in colours where they would not show, the
    // crosses take the colour of text on it.
    imgDrag->Glyph = imgDrag2->Glyph = true;
    SetCurrentColor(kInitialColor);
    ImageList1 = new TImageList(this, Scale(48), Scale(16), 256);
    ImageList1->Name = "ImageList1";
    ListView1->AddColumn("Color", 95);
    ListView1->AddColumn("Value", 95);
    ListView1->SetSmallImages(ImageList1);
    ListView1->AccessibleName = "Saved colours";
    // Six buttons read "Copy": a screen reader tells them apart by their notation.
    for (TButton* b : {btnRGBCopy, btnDecimalCopy, btnHexCopy, btnDelphiCopy, btnVBCopy, btnCCopy})
        b->AccessibleName = "Copy " + NotationField(b->Tag)->AccessibleName;
    tmrPick = new TTimer(this, kPickLookMs);
    tmrPick->Name = "tmrPick";
}

void TfrmMain::CreateMenus() {
    auto menu = [this](const char* name) {
        auto* m = new TPopupMenu(this);
        m->Name = name;
        return m;
    };
    auto item = [](TPopupMenu* m, const char* caption, const char* name, bool isDefault = false) {
        TMenuItem* i = m->Add(caption, isDefault);
        i->Name = name;
        return i;
    };
    mnuTray = menu("mnuTray");
    mnuTray_Show = item(mnuTray, "&Show/Hide Main Window", "mnuTray_Show", true);
    mnuTray->Add("-");
    mnuTray_Email = item(mnuTray, "&Contact Us", "mnuTray_Email");
    mnuTray_Website = item(mnuTray, "&Visit Website", "mnuTray_Website");
    mnuTray_About = item(mnuTray, "&About...", "mnuTray_About");
    mnuTray->Add("-");
    mnuTray_Exit = item(mnuTray, "E&xit", "mnuTray_Exit");

    PopupMenu1 = menu("PopupMenu1");
    Copy1 = item(PopupMenu1, "Copy", "Copy1", true);
    PopupMenu1->Add("-");
    Save1 = item(PopupMenu1, "Save", "Save1");

    mnuMyColors = menu("mnuMyColors");
    mnuMyColors_Open1 = item(mnuMyColors, "Open...", "mnuMyColors_Open1", true);
    mnuMyColors->Add("-");
    mnuMyColors_Open2 = item(mnuMyColors, "Open II", "mnuMyColors_Open2");
    mnuMyColors_Delete = item(mnuMyColors, "Delete", "mnuMyColors_Delete");
    mnuMyColors_Clear = item(mnuMyColors, "Clear", "mnuMyColors_Clear");
}

void TfrmMain::BindEvents() {
    OnCreate = [this](TComponent&) { FormCreate(); };
    OnActivate = [this](TComponent&) { FormActivate(); };
    OnDestroy = [this](TComponent&) { FormDestroy(); };
    OnDpiChanged = [this](TComponent&) { FormDpiChanged(); };
    for (TSpinEdit* s : {spiR, spiG, spiB})
        s->OnChange = [this](TComponent&) { ModifyRGB(); };
    for (TSpinEdit* s : {spiH, spiS, spiL})
        s->OnChange = [this](TComponent&) { ModifyHSL(); };
    for (TEdit* e : {edtRGB, edtDecimal, edtHex, edtHtml, edtDelphi, edtVB, edtC})
        e->OnChange = [this](TComponent& sender) { ColorValueChange(sender); };
    for (TButton* b : {btnRGBCopy, btnDecimalCopy, btnHexCopy, btnDelphiCopy, btnVBCopy, btnCCopy})
        b->OnClick = [this](TComponent& sender) { CopyColor(sender); };
    btnHtmlCopy->OnClick = [this](TComponent&) { btnHtmlCopyClick(); };
    Copy1->OnClick = [this](TComponent&) { Copy1Click(); };
    imgDrag->OnMouseDown = [this](TControl&, TMouseButton b, TShiftState, int, int) {
        imgDragMouseDown(b);
    };
    imgDrag2->OnMouseDown = [this](TControl&, TMouseButton b, TShiftState, int, int) {
        imgDrag2MouseDown(b);
    };
    OnMouseMove = [this](TControl&, TShiftState, int, int) { FormMouseMove(); };
    OnMouseUp = [this](TControl&, TMouseButton b, TShiftState, int, int) { FormMouseUp(b); };
    imgZoom->OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int x, int y) {
        imgZoomMouseDown(x, y);
    };
    cboZoom->OnClick = [this](TComponent&) { cboZoomClick(); };
    tmrPick->OnTimer = [this](TComponent&) { tmrPickTimer(); };
    shortCuts_.emplace([this](const MSG& msg) { return FormShortCut(msg); });
    chkStayOnTop->OnClick = [this](TComponent&) { chkStayOnTopClick(); };
    btnMenu->OnClick = [this](TComponent&) { btnMenuClick(); };
    mnuTray_Show->OnClick = [this](TComponent&) { mnuTray_ShowClick(); };
    mnuTray_Email->OnClick = [this](TComponent&) { mnuTray_EmailClick(); };
    mnuTray_Website->OnClick = [this](TComponent&) { mnuTray_WebsiteClick(); };
    mnuTray_About->OnClick = [this](TComponent&) { mnuTray_AboutClick(); };
    mnuTray_Exit->OnClick = [this](TComponent&) { mnuTray_ExitClick(); };
    BindSavedColorEvents();
    OnColorsChange = [this](TComponent&) {
        if (FSkin) FSkin->ColorsChanged();
    };
}

LRESULT TfrmMain::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kMsgTellSavedColors: TellSavedColorsNotice(); return 0;
    case kMsgSavedColorsLater: RunSavedColorsLater(); return 0;
    case WM_HOTKEY: return OnHotKey(wp, lp);
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(wp, lp);
    case WM_ACTIVATE: return OnActivateChange(wp, lp);
    case WM_CAPTURECHANGED: return OnCaptureChanged(wp, lp);
    }
    return TForm::WndProc(msg, wp, lp);
}

void TfrmMain::FormCreate() {
    FReady = false;
    Application().SetTitle(kTitle);
    SetCaption(kTitle);
    SetIcon(Application().Icon(), Application().SmallIcon());

    ReadStartupSettings();

    CreateCursors();
    imgZoom->Cursor = crZoom;

    FColorsFile = GetColorsFileName();
    LoadSavedColors();

    CreateZoomBuffer();
    DrawZoom();

    ShowCurrentColor(CurrentColor());
    ShowStatus(false);

    FSkin = std::make_unique<TSkinManEx>(*Image1, *Image2, *Image3, *Image4, *Panel5, "B");

    TBrunmark::MakeButtonsFlat(this);

    // The tray icon ignores the mouse while any modal window of the program is open.
    Application().OnModal = [this](bool modal) { EnableTrayMenu(!modal); };
    // The icon is not part of the window's first paint; it comes right after it, before any
    // input can reach the program.
    // A window destroyed before that (tests make several in turn) leaves nothing to run.
    Application().AfterFirstPaint([this, alive = std::weak_ptr<char>(alive_)] {
        if (!alive.expired()) InstallTrayIcon(true);
    });
    Application().AfterFirstPaint([this, alive = std::weak_ptr<char>(alive_)] {
        if (!alive.expired()) RegisterPickHotKey();
    });
    Application().AfterFirstPaint([this, alive = std::weak_ptr<char>(alive_)] {
        if (!alive.expired()) TellCopyTemplate();
    });

    // The taskbar button comes back and the program comes to the front.
    Application().SetTaskbarButton(true);
    Application().BringToFront();
    FReady = true;
}

void TfrmMain::CreateCursors() {
    // The hot spot is the centre of the ring, the icon's centre pixel at every scale.
    IconHandle picker = CursorFromIcon(imgDrag->Icon(), Scale(16), Scale(16));
    IconHandle zoom = CursorFromIcon(imgZoomCursor->Icon(), Scale(16), Scale(16));
    Screen().RegisterCursor(crPicker, picker.Get());
    Screen().RegisterCursor(crZoom, zoom.Get());
    // The cursors registered before are released only now that they are no longer in use.
    pickerCursor_ = std::move(picker);
    zoomCursor_ = std::move(zoom);
}

void TfrmMain::CreateZoomBuffer() {
    lastPointer_ = {LONG_MIN, LONG_MIN};
    FZoomBuffer = std::make_unique<TBitmap>(imgZoom->Width(), imgZoom->Height());
    FZoomBuffer->Fill(0x00C0C0C0);
    try {
        // The placeholder picture the magnifier carries from the layout.
        if (imgZoom->HasBitmap())
            BitBlt(FZoomBuffer->Dc(), 0, 0, FZoomBuffer->Width(), FZoomBuffer->Height(),
                   imgZoom->Bitmap().Dc(), 0, 0, SRCCOPY);
    } catch (...) {
        // The buffer keeps its silver fill.
    }
}

void TfrmMain::FormDpiChanged() {
    // The frame works on the strips the layout places: it goes first and comes back last.
    FSkin.reset();
    layout_->Place();
    RedrawSwatches();
    CreateCursors();
    CreateZoomBuffer();
    DrawZoom();
    FSkin = std::make_unique<TSkinManEx>(*Image1, *Image2, *Image3, *Image4, *Panel5, "B");
}

void TfrmMain::FormActivate() {
    ScrollToLastSavedColor();
}

void TfrmMain::FormDestroy() {
    Application().OnModal = nullptr;
    InstallTrayIcon(false);
    pickHotKey_.reset();
    FZoomBuffer.reset();
    FSkin.reset();
}

} // namespace vtl
