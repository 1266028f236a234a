// A control with a window of its own. Standard common controls are subclassed; our own
// containers (panels, forms) use classes registered here. Either way the object is found
// from the handle, notifications from children are reflected to the child's object, and
// graphic children are painted and hit-tested here.
#pragma once

#include "ui/Accessible.h"
#include "ui/Control.h"
#include "ui/Handles.h"
#include "ui/SystemColors.h"

#include <memory>
#include <string>
#include <vector>

namespace vtl {

class THintWindow;

struct TCreateParams {
    const char* className = nullptr; // a standard class to subclass, or null for our container
    std::string caption;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    HWND parentOrOwner = nullptr;
    int id = 0;
};

class TWinControl : public TControl {
  public:
    TWinControl(TComponent* owner, TWinControl* parent);
    ~TWinControl() override;

    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    static TWinControl* FromHandle(HWND wnd);

    bool IsWindowed() const override { return true; }
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void Invalidate() override;
    void Repaint() override;
    void BringToFront() override;

    // Child controls, bottom of the z-order first.
    const std::vector<TControl*>& Controls() const { return controls_; }
    // The topmost visible graphic child containing the point (client coordinates), if any.
    TGraphicControl* GraphicControlAt(POINT p) const;

    std::string Text() const;
    void SetText(const std::string& text);
    // The background as painted now; SetColor takes plain, system and design colours.
    COLORREF Color() const { return ResolveColor(color_); }
    void SetColor(COLORREF color);
    // The colour of text on the control, which labels on it take unless given their own.
    COLORREF FontColor() const { return ResolveColor(fontColor_); }
    void SetFontColor(COLORREF color);
    HFONT Font() const;
    void SetFont(HFONT font);
    // Gives the window its font again, after the DPI changed.
    void RefreshFont();
    void SetFocus();
    bool Focused() const;
    int ClientWidth() const;
    int ClientHeight() const;

    // The parts painted on the window, which screen readers see as its children: by default
    // its visible graphic children that have an AccessibleName.
    virtual int AccessiblePartCount() const;
    virtual TAccessiblePart AccessiblePart(int index) const;
    // The topmost part at a point of the screen, or -1.
    virtual int AccessiblePartAt(POINT screen) const;
    virtual void PressAccessiblePart(int index);

    // The id the window answers to GetDlgCtrlID (a dialog's default button goes by it).
    void SetControlId(int id);

  protected:
    void CreateHandle(TCreateParams params);
    void DestroyHandle();
    // The message handler. Unhandled messages go to DefaultHandler.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    // Every message of the control's own window enters here; forms wrap WndProc with their
    // observers.
    virtual LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp) { return WndProc(msg, wp, lp); }
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // Messages of a window given to AttachWindow.
    virtual LRESULT AttachedWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

    // Reflected from the parent. Return true when handled.
    virtual bool CommandNotify(WORD /*code*/) { return false; }
    virtual bool Notify(NMHDR& /*hdr*/, LRESULT& /*result*/) { return false; }
    virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // Brush for WM_CTLCOLOR*, or null for the default.
    virtual HBRUSH CtlColor(HDC /*dc*/) { return nullptr; }

    // Painting of our own containers: background, then graphic children.
    virtual void PaintBackground(HDC dc, const RECT& client);
    void PaintGraphicChildren(HDC dc, const RECT& clip);
    void PaintWindow(HDC dc, const RECT& clip);

    HBRUSH ColorBrush();
    // Lets another window (e.g. an up-down beside an edit) route its messages to this object.
    void AttachWindow(HWND wnd);

  private:
    friend class TControl;
    friend struct WinControlAccess;
    void Insert(TControl* child);
    void Remove(TControl* child);
    bool RouteMouse(UINT msg, WPARAM wp, LPARAM lp);
    void RelayHint(UINT msg, WPARAM wp, LPARAM lp);
    bool SetCursorFor(POINT client);
    LRESULT HandleMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    // Handlers of WndProc, one per message or group.
    TWinControl* ChildFromHandle(HWND wnd) const; // another of our controls, or null
    LRESULT OnCommand(WPARAM wp, LPARAM lp);      // reflected to the child control
    LRESULT OnNotify(WPARAM wp, LPARAM lp);
    LRESULT OnDrawItem(WPARAM wp, LPARAM lp);
    LRESULT OnCtlColor(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnPaint(WPARAM wp, LPARAM lp);
    LRESULT OnPrintClient(WPARAM wp, LPARAM lp);
    LRESULT OnSetCursor(WPARAM wp, LPARAM lp);
    LRESULT OnMouse(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnGetObject(WPARAM wp, LPARAM lp);
    std::vector<TGraphicControl*> NamedParts() const;
    void Hook(HWND wnd);
    void Unhook(HWND wnd);
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND handle_ = nullptr;
    bool ownClass_ = false;
    std::vector<TControl*> controls_;
    std::vector<HWND> attached_;
    TGraphicControl* mouseControl_ = nullptr; // graphic child holding the mouse
    std::unique_ptr<THintWindow> hints_;      // tooltips of the graphic children, once wanted
    COLORREF color_ = SystemColor(COLOR_BTNFACE);
    COLORREF fontColor_ = SystemColor(COLOR_BTNTEXT);
    TColorBrush brush_;
    HFONT font_ = nullptr;
};

} // namespace vtl
