#include "ui/Control.h"

#include "ui/WinControl.h"

namespace vtl {

TControl::TControl(TComponent* owner, TWinControl* parent) : TComponent(owner), parent_(parent) {
    if (parent_) parent_->Insert(this);
}

TControl::~TControl() {
    if (parent_) parent_->Remove(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (parent_ && parent_->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, FALSE);
    }
}

int TControl::Dpi() const {
    return parent_ ? parent_->Dpi() : kBaseDpi;
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible()) return false;
    return true;
}

void TControl::Invalidate() {}
void TControl::Repaint() {}

POINT TControl::ClientToScreen(POINT p) const {
    p.x += left_;
    p.y += top_;
    if (parent_ && parent_->HandleAllocated()) ::ClientToScreen(parent_->Handle(), &p);
    return p;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(*this);
}

void TGraphicControl::Invalidate() {
    if (parent_ && parent_->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, FALSE);
    }
}

void TGraphicControl::Repaint() {
    Invalidate();
    if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

} // namespace vtl
