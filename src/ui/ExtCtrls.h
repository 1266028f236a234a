// The panel (our own container window) and the graphic controls its parent paints:
// label, image, rectangle shape, bevel.
#pragma once

#include "ui/Bitmap.h"
#include "ui/WinControl.h"

#include <memory>
#include <string>

namespace vtl {

enum class TBevelCut { None, Lowered, Raised };

class TPanel : public TWinControl {
  public:
    TPanel(TComponent* owner, TWinControl* parent);
    void SetBevelOuter(TBevelCut bevel);
    // False: the panel paints its own colour rather than its parent's.
    bool ParentBackground = false;

  protected:
    void PaintBackground(HDC dc, const RECT& client) override;

  private:
    TBevelCut bevel_ = TBevelCut::None;
};

class TLabel : public TGraphicControl {
  public:
    TLabel(TComponent* owner, TWinControl* parent, const std::string& caption);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // A font of the label's own (not owned); the parent's font otherwise.
    void SetFont(HFONT font);
    // A colour of the label's own; the parent's font colour otherwise.
    void SetFontColor(COLORREF color);
    // Sizes the label to its text.
    void AdjustSize();
    void Paint(HDC dc) override;

  private:
    HFONT EffectiveFont() const;
    std::string caption_;
    HFONT font_ = nullptr;
    COLORREF fontColor_ = CLR_INVALID;
};

// Shows an icon or a bitmap. The bitmap doubles as the canvas code draws on.
class TImage : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;
    void SetIcon(HICON icon, bool owned);
    HICON Icon() const { return icon_; }
    // The picture drawn on; created at the control's size when there is none.
    TBitmap& Bitmap();
    bool HasBitmap() const { return bitmap_ != nullptr; }
    void SetBitmap(std::unique_ptr<TBitmap> bitmap);
    // Pixels of this colour are not drawn (pure red for the skin's glyphs).
    void SetTransparentColor(COLORREF color) { transparentColor_ = color; }
    bool Transparent = false;
    bool Stretch = false;
    // The icon is a dark glyph: where it would not show (High Contrast mode, a dark
    // background) it is drawn in its parent's font colour instead.
    bool Glyph = false;
    void Paint(HDC dc) override;

  private:
    IconHandle ownedIcon_;
    HICON icon_ = nullptr;
    std::unique_ptr<TBitmap> bitmap_;
    COLORREF transparentColor_ = CLR_INVALID;
};

// A filled rectangle with a one-pixel outline.
class TShape : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;
    COLORREF BrushColor() const { return brush_; }
    COLORREF PenColor() const { return pen_; }
    // Outline first, then fill, with one repaint.
    void SetColors(COLORREF pen, COLORREF brush);
    void Paint(HDC dc) override;

  private:
    COLORREF brush_ = RGB(255, 255, 255);
    COLORREF pen_ = RGB(0, 0, 0);
};

// A lowered bevelled frame.
class TBevel : public TGraphicControl {
  public:
    using TGraphicControl::TGraphicControl;
    bool HitTest(int, int) const override { return false; }
    void Paint(HDC dc) override;
};

} // namespace vtl
