// An integer spin box: an edit with an up-down control beside it. The user cannot
// type into it; its value changes through the arrows, the Up and Down keys, the Delete key
// and code. The box writes its own text (no buddy-int up-down, which is slow and would
// clamp on reading).
#pragma once

#include "ui/StdCtrls.h"

#include <string>

namespace vtl {

class TSpinEdit : public TEdit {
  public:
    // Placed with SetBounds: the arrows take the right end of the width.
    TSpinEdit(TComponent* owner, TWinControl* parent, int minValue, int maxValue);
    void SetBounds(int left, int top, int width, int height) override;

    // The shown text as a number; text that does not convert reads as the minimum. Not clamped.
    int Value() const;
    // Stores the value clamped to the range; showing the text already shown fires nothing.
    void SetValue(int value);
    HWND UpDownHandle() const { return updown_; }

    // Auto-repeat of a held arrow button.
    static constexpr unsigned kRepeatDelayMs = 400;
    static constexpr unsigned kRepeatIntervalMs = 100;
    static constexpr int kArrowWidth = 16; // at 96 dpi

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT AttachedWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) override;
    bool Notify(NMHDR& hdr, LRESULT& result) override;

  private:
    // Handlers of the up-down's messages: a press on an arrow steps and starts the repeat.
    LRESULT OnArrowDown(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnRepeatTimer(HWND wnd);
    void StopRepeat(HWND wnd);
    void Step(int delta);
    int ArrowAt(POINT p) const; // +1 upper arrow, -1 lower arrow

    int min_, max_;
    HWND updown_ = nullptr;
    int repeatDirection_ = 0;
};

} // namespace vtl
