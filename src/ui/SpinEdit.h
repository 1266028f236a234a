// An integer spin box: a standard edit with an up-down control beside it. The user cannot
// type into it; its value changes through the arrows, the Up and Down keys, the Delete key
// and code. The box writes its own text (no buddy-int up-down, which is slow and would
// clamp on reading).
#pragma once

#include "ui/Handles.h"
#include "ui/WinControl.h"

#include <string>

namespace vtl {

class TSpinEdit : public TWinControl {
  public:
    TSpinEdit(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
              int minValue, int maxValue);

    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    // The shown text as a number; text that does not convert reads as the minimum. Not clamped.
    int Value() const;
    // Stores the value clamped to the range; showing the text already shown fires nothing.
    void SetValue(int value);
    const std::string& ShownText() const { return text_; }
    HWND UpDownHandle() const { return updown_; }
    void SetBackground(COLORREF color);

    // Fired by every change of the shown text.
    TNotifyEvent OnChange;

    // Auto-repeat of a held arrow button.
    static constexpr unsigned kRepeatDelayMs = 400;
    static constexpr unsigned kRepeatIntervalMs = 100;
    static constexpr int kArrowWidth = 16;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT AttachedWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) override;
    bool CommandNotify(WORD code) override;
    bool Notify(NMHDR& hdr, LRESULT& result) override;
    HBRUSH CtlColor(HDC dc) override;

  private:
    void Step(int delta);
    int ArrowAt(POINT p) const; // +1 upper arrow, -1 lower arrow

    int min_, max_;
    std::string text_;
    bool settingText_ = false;
    HWND updown_ = nullptr;
    int repeatDirection_ = 0;
    COLORREF background_ = GetSysColor(COLOR_WINDOW);
    GdiObject backgroundBrush_;
};

} // namespace vtl
