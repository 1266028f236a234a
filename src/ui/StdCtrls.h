// Standard windowed controls: push button, check box, drop-down list, edit field, static text.
#pragma once

#include "ui/Handles.h"
#include "ui/WinControl.h"

#include <string>

namespace vtl {

class TButton : public TWinControl {
  public:
    TButton(TComponent* owner, TWinControl* parent, const std::string& caption);
    // Drawn as the default push button, or as a plain one.
    void SetDefault(bool on);

  protected:
    bool CommandNotify(WORD code) override;
    // Enter on the focused button clicks it, as in a dialog (our forms run no dialog loop).
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class TCheckBox : public TWinControl {
  public:
    TCheckBox(TComponent* owner, TWinControl* parent, const std::string& caption);
    bool Checked() const;
    // A change made by code fires OnClick, as a click by the user does.
    void SetChecked(bool checked);

  protected:
    bool CommandNotify(WORD code) override;
};

class TComboBox : public TWinControl {
  public:
    // A drop-down list (not editable), placed with SetBounds.
    TComboBox(TComponent* owner, TWinControl* parent);
    // The height is the closed height, which the selection field's height is set for; the list
    // drops below it.
    void SetBounds(int left, int top, int width, int height) override;
    void Clear();
    void AddItem(const std::string& text);
    int ItemCount() const;
    std::string Item(int index) const;
    int ItemIndex() const;
    // Selecting by code does not fire OnClick.
    void SetItemIndex(int index);

  protected:
    bool CommandNotify(WORD code) override;
};

class TEdit : public TWinControl {
  public:
    TEdit(TComponent* owner, TWinControl* parent, bool readOnly);
    // The shown text; writing the text already shown changes nothing and fires nothing.
    const std::string& ShownText() const { return text_; }
    void SetShownText(const std::string& text);
    void SelectAll();
    void SetBackground(COLORREF color);
    void SetTextColor(COLORREF color);
    // Fired by every change of the shown text.
    TNotifyEvent OnChange;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool CommandNotify(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;

  private:
    std::string text_;
    bool settingText_ = false;
    COLORREF background_ = SystemColor(COLOR_WINDOW);
    COLORREF textColor_ = SystemColor(COLOR_WINDOWTEXT);
    TColorBrush backgroundBrush_;
};

// A label with a window of its own (so other programs can read it), sized to its text. Takes
// the mouse: OnClick runs for a left press and release both on the label.
class TStaticText : public TWinControl {
  public:
    TStaticText(TComponent* owner, TWinControl* parent, const std::string& caption);
    void SetCaption(const std::string& caption);
    // Repainted at once.
    void SetFontColor(COLORREF color);
    // A font of the label's own (not owned), and the label resized to its text.
    void SetLabelFont(HFONT font);
    void AdjustSize();

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    HBRUSH CtlColor(HDC dc) override;

  private:
    bool pressed_ = false;
};

} // namespace vtl
