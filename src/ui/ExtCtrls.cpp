#include "ui/ExtCtrls.h"

#include <utility>

namespace vtl {

TPanel::TPanel(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    TCreateParams p;
    p.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    CreateHandle(p);
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    bevel_ = bevel;
    Invalidate();
}

void TPanel::PaintBackground(HDC dc, const RECT& client) {
    COLORREF color = Color();
    if (ParentBackground && Parent()) color = Parent()->Color();
    SetDCBrushColor(dc, color);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (bevel_ != TBevelCut::None) {
        RECT r = client;
        DrawEdge(dc, &r, bevel_ == TBevelCut::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
}

TLabel::TLabel(TComponent* owner, TWinControl* parent, const std::string& caption)
    : TGraphicControl(owner, parent), caption_(caption) {}

void TLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
}

void TLabel::SetFont(HFONT font) {
    font_ = font;
    Invalidate();
}

void TLabel::SetFontColor(COLORREF color) {
    fontColor_ = color;
    Invalidate();
}

HFONT TLabel::EffectiveFont() const {
    if (font_) return font_;
    return Parent() ? Parent()->Font() : nullptr;
}

void TLabel::AdjustSize() {
    RECT r{0, 0, 0, 0};
    {
        WindowDC screen(nullptr);
        SelectScope font(screen.Get(), EffectiveFont());
        DrawTextA(screen.Get(), caption_.c_str(), int(caption_.size()), &r,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetSize(r.right, r.bottom);
}

void TLabel::Paint(HDC dc) {
    SelectScope font(dc, EffectiveFont());
    SetBkMode(dc, TRANSPARENT);
    const COLORREF color =
        fontColor_ != CLR_INVALID || !Parent() ? ResolveColor(fontColor_) : Parent()->FontColor();
    SetTextColor(dc, color);
    RECT r{0, 0, Width(), Height()};
    DrawTextA(dc, caption_.c_str(), int(caption_.size()), &r, DT_SINGLELINE | DT_NOPREFIX);
}

namespace {
// A dark glyph needs a background it reads on at 3:1 at least, as non-text content should.
bool GlyphHidden(COLORREF background) {
    return HighContrast() || ContrastRatio(RGB(0, 0, 0), background) < 3.0;
}
} // namespace

void TImage::SetIcon(HICON icon, bool owned) {
    ownedIcon_.Reset(owned ? icon : nullptr);
    icon_ = icon;
    Invalidate();
}

TBitmap& TImage::Bitmap() {
    if (!bitmap_) bitmap_ = std::make_unique<TBitmap>(Width(), Height());
    return *bitmap_;
}

void TImage::SetBitmap(std::unique_ptr<TBitmap> bitmap) {
    bitmap_ = std::move(bitmap);
    Invalidate();
}

void TImage::Paint(HDC dc) {
    if (bitmap_) {
        const int w = Stretch ? Width() : bitmap_->Width();
        const int h = Stretch ? Height() : bitmap_->Height();
        if (Transparent && transparentColor_ != CLR_INVALID)
            TransparentBlt(dc, 0, 0, w, h, bitmap_->Dc(), 0, 0, bitmap_->Width(), bitmap_->Height(),
                           transparentColor_);
        else if (w == bitmap_->Width() && h == bitmap_->Height())
            BitBlt(dc, 0, 0, w, h, bitmap_->Dc(), 0, 0, SRCCOPY);
        else
            StretchBlt(dc, 0, 0, w, h, bitmap_->Dc(), 0, 0, bitmap_->Width(), bitmap_->Height(),
                       SRCCOPY);
    } else if (icon_ && Glyph && Parent() && GlyphHidden(Parent()->Color())) {
        DrawIconInColor(dc, icon_, Width(), Height(), Parent()->FontColor());
    } else if (icon_) {
        DrawIconEx(dc, 0, 0, icon_, 0, 0, 0, nullptr, DI_NORMAL);
    }
}

void TShape::SetColors(COLORREF pen, COLORREF brush) {
    if (pen_ == pen && brush_ == brush) return;
    pen_ = pen;
    brush_ = brush;
    Invalidate();
}

void TShape::Paint(HDC dc) {
    // The DC's own pen and brush: no GDI object is made per paint.
    SelectScope pen(dc, GetStockObject(DC_PEN));
    SelectScope brush(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, ResolveColor(pen_));
    SetDCBrushColor(dc, ResolveColor(brush_));
    Rectangle(dc, 0, 0, Width(), Height());
}

void TBevel::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}

} // namespace vtl
