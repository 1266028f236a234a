// Controls: things with a place on a parent. Windowed controls have a window of their own;
// graphic controls are painted and hit-tested by their windowed parent.
#pragma once

#include "ui/Component.h"
#include "ui/Dpi.h"
#include "ui/Win32.h"

#include <functional>
#include <string>

namespace vtl {

class TWinControl;
class TControl;

enum class TMouseButton { Left, Right, Middle };
using TShiftState = unsigned; // MK_* flags of the mouse message
// Set in the shift state of the press that makes a double click.
constexpr TShiftState ssDouble = 0x8000;

using TNotifyEvent = std::function<void(TComponent& sender)>;
using TMouseEvent =
    std::function<void(TControl& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TControl& sender, TShiftState shift, int x, int y)>;

// Cursor numbers; positive numbers are registered by the program (TScreen::RegisterCursor).
constexpr int crDefault = 0;
constexpr int crHandPoint = -21; // the system's hand, for links

class TControl : public TComponent {
  public:
    TControl(TComponent* owner, TWinControl* parent);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetSize(int width, int height) { SetBounds(left_, top_, width, height); }
    void SetPosition(int left, int top) { SetBounds(left, top, width_, height_); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Visible and every parent visible.
    bool Showing() const;

    virtual bool IsWindowed() const { return false; }
    // The DPI the control is drawn at: its form's (the form is the one place that knows it).
    virtual int Dpi() const;
    // A 96-dpi length at the control's DPI.
    int Scale(int value) const { return ScaleBy(value, Dpi()); }
    // Asks for a repaint of the control's area at the next paint.
    virtual void Invalidate();
    // Invalidates and paints at once.
    virtual void Repaint();
    // Moves the control to the top of its parent's z-order.
    virtual void BringToFront();

    // Position of a point of this control in screen coordinates.
    POINT ClientToScreen(POINT p) const;

    int Cursor = crDefault;
    std::string Hint;
    // The control's name for screen readers where the system knows none (ui/Accessible.h): a
    // field whose label is painted, a painted part of its window.
    std::string AccessibleName;
    bool ShowHint = false;

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    // Mouse input routed to the control, in its own coordinates.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();

  protected:
    virtual void BoundsChanged() {}
    // Called by the parent's destructor: the parent window is gone with it.
    void Orphan() { parent_ = nullptr; }
    friend class TWinControl;

    TWinControl* parent_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
};

// A control without a window: its parent paints it (in z-order) and routes the mouse to it.
class TGraphicControl : public TControl {
  public:
    using TControl::TControl;
    // Paints into dc, whose origin is the control's top-left corner and whose clip is its area.
    virtual void Paint(HDC dc) = 0;
    // Whether a mouse press at (x, y) of the control belongs to it.
    virtual bool HitTest(int /*x*/, int /*y*/) const { return true; }
    // What a screen reader's default action does: what a click does. A named control with it
    // is a push button to the reader.
    TNotifyEvent OnAccessiblePress;
    void Invalidate() override;
    void Repaint() override;
};

} // namespace vtl
