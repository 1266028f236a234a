#include "ui/StdCtrls.h"

#include <climits>
#include <cstdlib>

namespace vtl {

TButton::TButton(TComponent* owner, TWinControl* parent, const std::string& caption)
    : TWinControl(owner, parent) {
    TCreateParams p;
    p.className = "BUTTON";
    p.caption = caption;
    p.style = WS_CHILD | WS_CLIPSIBLINGS | BS_PUSHBUTTON;
    CreateHandle(p);
}

void TButton::SetDefault(bool on) {
    SendMessageA(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::CommandNotify(WORD code) {
    if (code != BN_CLICKED) return false;
    if (OnClick) OnClick(*this);
    return true;
}

LRESULT TButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
        if (OnClick) OnClick(*this);
        return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

TCheckBox::TCheckBox(TComponent* owner, TWinControl* parent, const std::string& caption)
    : TWinControl(owner, parent) {
    TCreateParams p;
    p.className = "BUTTON";
    p.caption = caption;
    p.style = WS_CHILD | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX;
    CreateHandle(p);
}

bool TCheckBox::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    if (Checked() == checked) return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick(*this);
}

bool TCheckBox::CommandNotify(WORD code) {
    if (code != BN_CLICKED) return false;
    if (OnClick) OnClick(*this);
    return true;
}

TComboBox::TComboBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    TCreateParams p;
    p.className = "COMBOBOX";
    p.style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST;
    CreateHandle(p);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
    // The window's height includes the dropped list.
    TWinControl::SetBounds(left, top, width, Scale(22 * 15));
    // The closed height follows the item height, which the font (a new one at another DPI) sets
    // anew, but not always one for one (Wine's changes by two at a time above 96 dpi): item
    // heights near the first guess are tried until one fits.
    const auto closed = [this] {
        RECT r;
        GetWindowRect(Handle(), &r);
        return int(r.bottom - r.top);
    };
    const auto setItem = [this](int item) {
        SendMessageA(Handle(), CB_SETITEMHEIGHT, WPARAM(-1), item);
    };
    const int miss = height - closed();
    if (miss == 0) {
        height_ = height;
        return;
    }
    const int guess = int(SendMessageA(Handle(), CB_GETITEMHEIGHT, WPARAM(-1), 0)) + miss;
    int best = guess, bestMiss = INT_MAX;
    for (int step : {0, -1, 1, -2, 2}) {
        setItem(guess + step);
        const int now = std::abs(height - closed());
        if (now < bestMiss) best = guess + step, bestMiss = now;
        if (now == 0) break;
    }
    if (bestMiss != 0) setItem(best);
    height_ = height;
}

void TComboBox::Clear() {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

void TComboBox::AddItem(const std::string& text) {
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TComboBox::ItemCount() const {
    return int(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboBox::Item(int index) const {
    const LRESULT len = SendMessageA(Handle(), CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (len == CB_ERR) return {};
    std::string s(size_t(len) + 1, '\0');
    SendMessageA(Handle(), CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(size_t(len));
    return s;
}

int TComboBox::ItemIndex() const {
    return int(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    SendMessageA(Handle(), CB_SETCURSEL, WPARAM(index), 0);
}

bool TComboBox::CommandNotify(WORD code) {
    if (code != CBN_SELCHANGE) return false;
    if (OnClick) OnClick(*this);
    return true;
}

TEdit::TEdit(TComponent* owner, TWinControl* parent, bool readOnly) : TWinControl(owner, parent) {
    TCreateParams p;
    p.className = "EDIT";
    p.style = WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0);
    p.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(p);
}

void TEdit::SetShownText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    settingText_ = true;
    SetText(text); // EN_CHANGE fires OnChange
    settingText_ = false;
}

void TEdit::SelectAll() {
    SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::SetBackground(COLORREF color) {
    background_ = color;
    Invalidate();
}

void TEdit::SetTextColor(COLORREF color) {
    textColor_ = color;
    Invalidate();
}

LRESULT TEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT r = TWinControl::WndProc(msg, wp, lp);
    // Our fields keep their selection when the Tab key brings the focus to them.
    return msg == WM_GETDLGCODE ? r & ~LRESULT(DLGC_HASSETSEL) : r;
}

bool TEdit::CommandNotify(WORD code) {
    if (code != EN_CHANGE) return false;
    if (!settingText_) text_ = Text();
    if (OnChange) OnChange(*this);
    return true;
}

HBRUSH TEdit::CtlColor(HDC dc) {
    const COLORREF background = ResolveColor(background_);
    SetBkColor(dc, background);
    ::SetTextColor(dc, ResolveColor(textColor_));
    return backgroundBrush_.Get(background);
}

TStaticText::TStaticText(TComponent* owner, TWinControl* parent, const std::string& caption)
    : TWinControl(owner, parent) {
    TCreateParams p;
    p.className = "STATIC";
    p.caption = caption;
    // SS_NOTIFY: the label takes the mouse instead of letting it through to its parent.
    p.style = WS_CHILD | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
    CreateHandle(p);
    AdjustSize();
}

void TStaticText::SetCaption(const std::string& caption) {
    SetText(caption);
    AdjustSize();
}

void TStaticText::SetFontColor(COLORREF color) {
    TWinControl::SetFontColor(color);
    Repaint();
}

void TStaticText::SetLabelFont(HFONT font) {
    SetFont(font);
    AdjustSize();
}

void TStaticText::AdjustSize() {
    const std::string caption = Text();
    WindowDC dc(Handle());
    SelectScope font(dc.Get(), Font());
    RECT r{0, 0, 0, 0};
    DrawTextA(dc.Get(), caption.c_str(), int(caption.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SetSize(r.right, r.bottom);
}

HBRUSH TStaticText::CtlColor(HDC dc) {
    SetTextColor(dc, FontColor());
    SetBkColor(dc, Color());
    return ColorBrush();
}

LRESULT TStaticText::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        SetCapture(Handle());
        break;
    case WM_LBUTTONUP: {
        const LRESULT r = TWinControl::WndProc(msg, wp, lp);
        const bool click = pressed_ && GET_X_LPARAM(lp) >= 0 && GET_Y_LPARAM(lp) >= 0 &&
                           GET_X_LPARAM(lp) < Width() && GET_Y_LPARAM(lp) < Height();
        pressed_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
        if (click && OnClick) OnClick(*this);
        return r;
    }
    case WM_CAPTURECHANGED: pressed_ = false; break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

} // namespace vtl
