#include "skin/SkinClass.h"

#include "skin/ArtResource.h"
#include "skin/RegionMask.h"
#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/Fonts.h"

#include <functional>

namespace vtl {

namespace {

bool HasSystemBorder(HWND wnd) {
    const DWORD style = DWORD(GetWindowLongA(wnd, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongA(wnd, GWL_EXSTYLE));
    return (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) ||
           (exStyle & (WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

void Copy(TBitmap& target, const skin::Box& to, const TBitmap& source, const skin::Box& from,
          bool stretched) {
    if (stretched) {
        // Pixels are repeated or dropped, never blended: the frame shows only the artwork's
        // colours.
        SetStretchBltMode(target.Dc(), COLORONCOLOR);
        StretchBlt(target.Dc(), to.left, to.top, to.width, to.height, source.Dc(), from.left,
                   from.top, from.width, from.height, SRCCOPY);
    } else
        BitBlt(target.Dc(), to.left, to.top, to.width, to.height, source.Dc(), from.left, from.top,
               SRCCOPY);
}

} // namespace

TSkinManEx::TSkinManEx(TImage& leftImage, TImage& titleImage, TImage& rightImage,
                       TImage& bottomImage, TPanel& contentPanel, const std::string& skinName)
    : left_(&leftImage), title_(&titleImage), right_(&rightImage), bottom_(&bottomImage),
      content_(&contentPanel), window_(contentPanel.Parent()) {
    if (!window_ || !window_->HandleAllocated()) return;
    RECT r;
    GetWindowRect(window_->Handle(), &r);
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    dpi_ = window_->Dpi();
    artDpi_ = layout::NearestArtDpi(dpi_);
    if (!skin::FrameApplies(width_, height_, HasSystemBorder(window_->Handle()), dpi_)) return;

    FSkinName = skin::NormalizeSkinName(skinName);
    // A missing skin fails here, before the window is touched.
    for (const char* prefix : {skin::kFormPrefix, skin::kIconPrefix, skin::kTitlePrefix})
        RequireArt(ArtName(prefix));
    for (TImage* image : {left_, title_, right_, bottom_})
        if (!image->Parent()) throw Error("Frame image " + image->Name + " has no strip");
    try {
        Build();
    } catch (...) {
        // The title image stays with the window; its handler must not outlive this object.
        title_->OnMouseDown = nullptr;
        throw;
    }
}

TSkinManEx::~TSkinManEx() {
    // The icon exists exactly when the frame was built and took the title's mouse-down.
    if (FIcon) title_->OnMouseDown = nullptr;
    FIcon.reset();
    FCaption.reset();
    FMinimizeButton.reset();
    FCloseButton.reset();
}

std::string TSkinManEx::ArtName(const char* prefix) const {
    return layout::ArtName(prefix + FSkinName, artDpi_);
}

void TSkinManEx::PlaceStrips() {
    // The strips lie along the window's edges and the content fills the rest: scaled by their
    // edges, the table's strips could be a pixel thicker or thinner than the artwork.
    const int border = skin::Scaled(skin::kBorderWidth, dpi_);
    const int title = skin::Scaled(skin::kTitleHeight, dpi_);
    const int side = height_ - title - border;
    title_->Parent()->SetBounds(0, 0, width_, title);
    left_->Parent()->SetBounds(0, title, border, side);
    right_->Parent()->SetBounds(width_ - border, title, border, side);
    bottom_->Parent()->SetBounds(0, height_ - border, width_, border);
    content_->SetBounds(border, title, width_ - 2 * border, side);
}

void TSkinManEx::Build() {
    using namespace std::placeholders;
    TWinControl& titleStrip = *title_->Parent();
    PlaceStrips();
    for (TImage* image : {left_, title_, right_, bottom_})
        FitImageToPanel(*image);

    // Tips of the whole program stay up until the pointer leaves their control.
    Application().SetHintHidePause(-1);
    content_->ParentBackground = false;
    title_->OnMouseDown = std::bind_front(&TSkinManEx::TitleMouseDown, this);
    DrawStrips();

    CreateIcon(titleStrip);
    CreateCaption(titleStrip);

    FCloseButton =
        CreateButton(titleStrip, skin::CloseButtonLeft(width_, dpi_), "Close", "close", SC_CLOSE);
    FMinimizeButton = CreateButton(titleStrip, skin::MinimizeButtonLeft(FCloseButton->Left(), dpi_),
                                   "Minimize", "minimize", SC_MINIMIZE);

    RegionHandle region = BuildWindowRegion();
    // On success the system owns the region.
    if (SetWindowRgn(window_->Handle(), region.Get(), TRUE)) region.Release();
    // The shape comes from the skin in every mode; only the drawing gives way.
    if (HighContrast()) DrawPlainStrips();
}

void TSkinManEx::ColorsChanged() {
    if (!FIcon) return;
    DrawStrips();
    if (HighContrast()) DrawPlainStrips();
    DrawButton(FCloseButton.get(), "close", "up");
    DrawButton(FMinimizeButton.get(), "minimize", "up");
}

void TSkinManEx::FitImageToPanel(TImage& image) {
    TWinControl& panel = *image.Parent();
    const int width = panel.ClientWidth(), height = panel.ClientHeight();
    image.SetSize(width, height);
    image.Bitmap().Resize(width, height);
}

TImage& TSkinManEx::StripImage(skin::Strip strip) const {
    switch (strip) {
    case skin::Strip::Title: return *title_;
    case skin::Strip::Left: return *left_;
    case skin::Strip::Right: return *right_;
    case skin::Strip::Bottom: break;
    }
    return *bottom_;
}

void TSkinManEx::DrawStrips() {
    const TBitmap sheet = LoadArt(ArtName(skin::kFormPrefix));
    const layout::FrameSheet at = layout::FrameSheetAt(artDpi_);
    if (sheet.Width() < at.width || sheet.Height() < at.height)
        throw Error("Skin resource " + ArtName(skin::kFormPrefix) + " is too small");
    // The content colour comes with a text colour that reads on it; in High Contrast mode
    // both give way to the user's.
    const COLORREF content = sheet.Pixel(at.contentX, at.contentY);
    content_->SetColor(DesignColor(content, COLOR_BTNFACE));
    content_->SetFontColor(DesignColor(ContrastingText(content), COLOR_BTNTEXT));
    for (const skin::Piece& piece : skin::FramePieces(width_, height_, dpi_, artDpi_))
        Copy(StripImage(piece.strip).Bitmap(), piece.dest, sheet, piece.source, piece.Stretched());
    for (TImage* image : {title_, left_, right_, bottom_})
        image->Repaint();
}

// The strips in the button face with a line of the text colour along the window's edge.
void TSkinManEx::DrawPlainStrips() {
    const COLORREF face = ResolveColor(SystemColor(COLOR_BTNFACE));
    const COLORREF edge = ResolveColor(SystemColor(COLOR_BTNTEXT));
    for (TImage* image : {title_, left_, right_, bottom_}) {
        TBitmap& b = image->Bitmap();
        b.Fill(face);
        const int w = b.Width(), h = b.Height();
        if (image == title_) b.FillRect({0, 0, w, 1}, edge);
        if (image == bottom_) b.FillRect({0, h - 1, w, h}, edge);
        if (image != right_) b.FillRect({0, 0, 1, h}, edge);
        if (image != left_) b.FillRect({w - 1, 0, w, h}, edge);
        image->Repaint();
    }
}

void TSkinManEx::CreateIcon(TWinControl& strip) {
    auto picture = std::make_unique<TBitmap>(LoadArt(ArtName(skin::kIconPrefix)));
    FIcon = std::make_unique<TImage>(nullptr, &strip);
    FIcon->Transparent = true;
    FIcon->SetBounds(skin::Scaled(skin::kIconLeft, dpi_),
                     skin::TitleItemTop(picture->Height(), dpi_), picture->Width(),
                     picture->Height());
    FIcon->SetBitmap(std::move(picture));
    FIcon->SetTransparentColor(skin::kTransparentColor);
    FIcon->Repaint();
    // In front of the title image, a press on the icon reaches no handler.
    FIcon->BringToFront();
}

void TSkinManEx::CreateCaption(TWinControl& strip) {
    // The strip's own font, in bold.
    LOGFONTA font{};
    if (GetObjectA(strip.Font(), sizeof font, &font) == sizeof font) {
        font.lfWeight = FW_BOLD;
        captionFont_.Reset(CreateFontIndirectA(&font));
    }
    if (!captionFont_) captionFont_.Reset(CreateUiFont(true, 11, false, dpi_));
    FCaption = std::make_unique<TLabel>(nullptr, &strip, window_->Text());
    FCaption->SetFont(captionFont_.Get());
    FCaption->SetFontColor(DesignColor(RGB(255, 255, 255), COLOR_BTNTEXT));
    FCaption->AdjustSize();
    FCaption->SetPosition(FIcon->Left() + FIcon->Width() + skin::Scaled(skin::kCaptionGap, dpi_),
                          skin::TitleItemTop(FCaption->Height(), dpi_));
    FCaption->Repaint();
    FCaption->BringToFront();
}

std::unique_ptr<TImage> TSkinManEx::CreateButton(TWinControl& strip, int left, const char* hint,
                                                 const char* art, WPARAM command) {
    auto button = std::make_unique<TImage>(nullptr, &strip);
    const int size = skin::Scaled(skin::kButtonSize, dpi_);
    button->SetBounds(left, skin::TitleItemTop(size, dpi_), size, size);
    button->Transparent = true;
    button->Hint = hint;
    button->ShowHint = true;
    // Only the left button acts, and a release only after a press on the same button.
    TImage* self = button.get();
    button->OnMouseDown = [this, self, art](TControl&, TMouseButton b, TShiftState, int, int) {
        if (b != TMouseButton::Left) return;
        pressed_ = self;
        DrawButton(self, art, "down");
    };
    auto press = [this, self, art, command] {
        DrawButton(self, art, "up");
        SendToWindow(WM_SYSCOMMAND, command);
    };
    button->OnMouseUp = [this, self, press](TControl&, TMouseButton b, TShiftState, int, int) {
        if (b != TMouseButton::Left || pressed_ != self) return;
        pressed_ = nullptr;
        press();
    };
    // Painted, the button is no window: a screen reader finds it by the tip's words, and its
    // "Press" does what a click does.
    button->AccessibleName = hint;
    button->OnAccessiblePress = [press](TComponent&) { press(); };
    button->BringToFront();
    DrawButton(self, art, "up");
    return button;
}

void TSkinManEx::DrawButton(TImage* button, const std::string& name, const std::string& state) {
    if (!button) return;
    // Unpacked anew each time: it is small, and nothing is kept between presses.
    const TBitmap tiles = LoadArt(ArtName(skin::kTitlePrefix));
    const int tile = skin::Scaled(skin::kButtonSize, artDpi_);
    const auto x = skin::ButtonTileX(name, state, artDpi_);
    if (x && HighContrast()) {
        // The system's own caption buttons, drawn in the user's colours.
        RECT r{0, 0, button->Width(), button->Height()};
        const bool close = *x >= 2 * tile, down = (*x / tile) % 2;
        DrawFrameControl(button->Bitmap().Dc(), &r, DFC_CAPTION,
                         (close ? DFCS_CAPTIONCLOSE : DFCS_CAPTIONMIN) | (down ? DFCS_PUSHED : 0));
    } else if (x) {
        Copy(button->Bitmap(), {0, 0, button->Width(), button->Height()}, tiles,
             {*x, 0, tile, tile}, button->Width() != tile || button->Height() != tile);
    }
    button->SetTransparentColor(skin::kTransparentColor);
    button->Repaint();
}

RegionHandle TSkinManEx::BuildWindowRegion() {
    const TBitmap& picture = title_->Bitmap();
    skin::PixelGrid grid(picture.Width(), picture.Height());
    for (int y = 0; y < grid.Height(); ++y)
        for (int x = 0; x < grid.Width(); ++x)
            grid.Set(x, y, picture.Pixel(x, y));

    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    CheckWin32(bool(region), "CreateRectRgn");
    const HRGN target = region.Get();
    if (grid.Width() > 0 && grid.Height() > 0)
        for (const skin::Box& run : skin::KeyRuns(grid, grid.At(0, 0))) {
            RegionHandle piece(
                CreateRectRgn(run.left, run.top, run.left + run.width, run.top + run.height));
            CombineRgn(target, target, piece.Get(), RGN_OR);
        }
    // The whole window without the key-coloured pixels.
    RegionHandle whole(CreateRectRgn(0, 0, width_, height_));
    CombineRgn(target, target, whole.Get(), RGN_XOR);
    return region;
}

void TSkinManEx::SendToWindow(UINT msg, WPARAM wp) {
    if (window_ && window_->HandleAllocated()) SendMessageA(window_->Handle(), msg, wp, 0);
}

void TSkinManEx::TitleMouseDown(TControl&, TMouseButton button, TShiftState, int, int y) {
    if (button != TMouseButton::Left || y >= skin::Scaled(skin::kTitleHeight, dpi_)) return;
    // The system moves the window with the pointer, as when its own caption is dragged.
    ReleaseCapture();
    SendToWindow(WM_NCLBUTTONDOWN, HTCAPTION);
}

} // namespace vtl
