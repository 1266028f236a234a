#include "main/MainForm.h"

#include "brunmark/BrunmarkClass.h"
#include "layouts/MainLayout.h"
#include "skin/ArtResource.h"
#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/Icons.h"
#include "ui/LayoutBuilder.h"
#include "ui/Messages.h"
#include "ui/Screen.h"

#include <optional>

namespace vtl {

namespace {

constexpr const char* kTitle = "Vantrel";

void LoadPicture(TImage& image, const std::string& picture) {
    if (picture == "picker" || picture == "zoom") {
        // Drawn for each scale; the nearest is taken.
        const std::string name = skin::ArtResourceName(picture == "picker" ? "PICKER" : "ZOOM",
                                                       skin::NearestArtDpi(image.Dpi()));
        image.SetIcon(LoadArtIcon(name, image.Scale(32)).Release(), true);
    } else if (picture == "placeholder") {
        // Drawn for each scale; the nearest is taken and never stretched.
        const int art = skin::NearestArtDpi(image.Dpi());
        std::optional<TBitmap> placeholder;
        try {
            placeholder.emplace(LoadArt(skin::ArtResourceName("PLACEHOLDER", art)));
        } catch (const Error&) {
            return; // the magnifier then shows its silver fill
        }
        TBitmap& canvas = image.Bitmap();
        canvas.Resize(image.Width(), image.Height());
        BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), placeholder->Dc(), 0, 0,
               SRCCOPY);
    }
}

} // namespace

TfrmMain::TfrmMain() {
    Name = "frmMain";
    customColors_.fill(0x00FFFFFF); // unset custom colours show white
    CenterOnFirstShow = true;
    SetScaledClientSize(layout::kMainClientWidth, layout::kMainClientHeight);
    CreateControls();
    CreateMenus();
    BindEvents();
    OnCreate = [this](TComponent&) { FormCreate(); };
    OnActivate = [this](TComponent&) { FormActivate(); };
    OnDestroy = [this](TComponent&) { FormDestroy(); };
    OnDpiChanged = [this](TComponent&) { FormDpiChanged(); };
    DoCreate();
}

TfrmMain::~TfrmMain() {
    DestroyWindowNow();
}

void TfrmMain::CreateControls() {
    layout_ = std::make_unique<TLayoutBuilder>(*this, &LoadPicture);
    TLayoutBuilder& b = *layout_;
    b.Build(layout::kMainLayout);
    Panel1 = &b.Get<TPanel>("Panel1");
    Panel2 = &b.Get<TPanel>("Panel2");
    Panel3 = &b.Get<TPanel>("Panel3");
    Panel4 = &b.Get<TPanel>("Panel4");
    Panel5 = &b.Get<TPanel>("Panel5");
    Image1 = &b.Get<TImage>("Image1");
    Image2 = &b.Get<TImage>("Image2");
    Image3 = &b.Get<TImage>("Image3");
    Image4 = &b.Get<TImage>("Image4");
    chkStayOnTop = &b.Get<TCheckBox>("chkStayOnTop");
    cboZoom = &b.Get<TComboBox>("cboZoom");
    btnMenu = &b.Get<TButton>("btnMenu");
    pnlDrag = &b.Get<TPanel>("pnlDrag");
    pnlColor = &b.Get<TPanel>("pnlColor");
    pnlDrag2 = &b.Get<TPanel>("pnlDrag2");
    pnlZoom = &b.Get<TPanel>("pnlZoom");
    imgDrag = &b.Get<TImage>("imgDrag");
    imgDrag2 = &b.Get<TImage>("imgDrag2");
    imgZoom = &b.Get<TImage>("imgZoom");
    imgZoomCursor = &b.Get<TImage>("imgZoomCursor");
    shpColor = &b.Get<TShape>("shpColor");
    bvlRgbFrame = &b.Get<TBevel>("bvlRgbFrame");
    lblR = &b.Get<TLabel>("lblR");
    lblG = &b.Get<TLabel>("lblG");
    lblB = &b.Get<TLabel>("lblB");
    lblH = &b.Get<TLabel>("lblH");
    lblS = &b.Get<TLabel>("lblS");
    lblL = &b.Get<TLabel>("lblL");
    spiR = &b.Get<TSpinEdit>("spiR");
    spiG = &b.Get<TSpinEdit>("spiG");
    spiB = &b.Get<TSpinEdit>("spiB");
    spiH = &b.Get<TSpinEdit>("spiH");
    spiS = &b.Get<TSpinEdit>("spiS");
    spiL = &b.Get<TSpinEdit>("spiL");
    lblRGB = &b.Get<TLabel>("lblRGB");
    lblDecimal = &b.Get<TLabel>("lblDecimal");
    lblHex = &b.Get<TLabel>("lblHex");
    lblDelphi = &b.Get<TLabel>("lblDelphi");
    lblVB = &b.Get<TLabel>("lblVB");
    lblC = &b.Get<TLabel>("lblC");
    lblHtml = &b.Get<TLabel>("lblHtml");
    edtRGB = &b.Get<TEdit>("edtRGB");
    edtDecimal = &b.Get<TEdit>("edtDecimal");
    edtHex = &b.Get<TEdit>("edtHex");
    edtDelphi = &b.Get<TEdit>("edtDelphi");
    edtVB = &b.Get<TEdit>("edtVB");
    edtC = &b.Get<TEdit>("edtC");
    edtHtml = &b.Get<TEdit>("edtHtml");
    btnRGBCopy = &b.Get<TButton>("btnRGBCopy");
    btnDecimalCopy = &b.Get<TButton>("btnDecimalCopy");
    btnHexCopy = &b.Get<TButton>("btnHexCopy");
    btnDelphiCopy = &b.Get<TButton>("btnDelphiCopy");
    btnVBCopy = &b.Get<TButton>("btnVBCopy");
    btnCCopy = &b.Get<TButton>("btnCCopy");
    btnHtmlCopy = &b.Get<TButton>("btnHtmlCopy");
    ListView1 = &b.Get<TListView>("ListView1");
    StatusBar1 = &b.Get<TStatusBar>("StatusBar1");

    // Black crosses on the system's button face: in colours where they would not show, the
    // crosses take the colour of text on it.
    imgDrag->Glyph = imgDrag2->Glyph = true;
    SetCurrentColor(kInitialColor);
    ImageList1 = new TImageList(this, Scale(48), Scale(16), 256);
    ImageList1->Name = "ImageList1";
    ListView1->AddColumn("Color", Scale(95));
    ListView1->AddColumn("Value", Scale(95));
    ListView1->SetSmallImages(ImageList1);
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
    if (msg == kMsgTellSavedColors) {
        TellSavedColorsNotice();
        return 0;
    }
    if (msg == WM_HOTKEY && wp == kPickHotKeyId) {
        FormHotKey();
        return 0;
    }
    if (msg == WM_WINDOWPOSCHANGING) KeepTopmost(*reinterpret_cast<WINDOWPOS*>(lp));
    if (msg == WM_ACTIVATE && LOWORD(wp) == WA_INACTIVE) FormDeactivate();
    const LRESULT result = TForm::WndProc(msg, wp, lp);
    // Another window took the mouse during a pick: end it as a release would.
    if (msg == WM_CAPTURECHANGED && FPicking && !endingPick_ &&
        reinterpret_cast<HWND>(lp) != Handle())
        EndPick(false);
    return result;
}

void TfrmMain::FormCreate() {
    FReady = false;
    Application().SetTitle(kTitle);
    SetCaption(kTitle);
    Application().SetIconDpi(Dpi());
    SetIcon(Application().Icon(), Application().SmallIcon());

    ReadStartupSettings();

    CreateCursors();
    imgZoom->Cursor = crZoom;

    FColorsFile = GetColorsFileName();
    LoadSavedColors();

    CreateZoomBuffer();
    DrawZoom();

    ShowRGB();
    ShowHSL();
    ShowColorValues();
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
    ListView_SetColumnWidth(ListView1->Handle(), 0, Scale(95));
    ListView_SetColumnWidth(ListView1->Handle(), 1, Scale(95));
    RedrawSwatches();
    CreateCursors();
    CreateZoomBuffer();
    DrawZoom();
    FSkin = std::make_unique<TSkinManEx>(*Image1, *Image2, *Image3, *Image4, *Panel5, "B");
    Application().SetIconDpi(Dpi());
    SetIcon(Application().Icon(), Application().SmallIcon());
    if (FTray) FTray->SetIcon(Application().SmallIcon());
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
