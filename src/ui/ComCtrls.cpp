#include "ui/ComCtrls.h"

#include <oleacc.h>

#include <algorithm>
#include <cstring>

#include "ui/Error.h"

namespace vtl {

TImageList::TImageList(TComponent* owner, int width, int height, int grow)
    : TComponent(owner), width_(width), height_(height), grow_(grow),
      list_(ImageList_Create(width, height, ILC_COLOR24, grow, grow)) {
    CheckWin32(bool(list_), "ImageList_Create");
}

int TImageList::Count() const {
    return ImageList_GetImageCount(list_.Get());
}

void TImageList::Reserve(int n) {
    if (Count() > 0) return;
    ImageListHandle list(ImageList_Create(width_, height_, ILC_COLOR24, n, grow_));
    CheckWin32(bool(list), "ImageList_Create");
    list_ = std::move(list);
}

int TImageList::Add(HBITMAP bitmap) {
    return ImageList_Add(list_.Get(), bitmap, nullptr);
}

void TImageList::Resize(int width, int height) {
    CheckWin32(ImageList_SetIconSize(list_.Get(), width, height) != 0, "ImageList_SetIconSize");
    width_ = width;
    height_ = height;
}

void TImageList::Clear() {
    ImageList_Remove(list_.Get(), -1);
}

TListView::TListView(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    TCreateParams p;
    p.className = WC_LISTVIEWA;
    p.style = WS_CHILD | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
              LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS;
    p.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(p);
    ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT);
}

void TListView::AddColumn(const std::string& caption, int width) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = Scale(width);
    col.pszText = const_cast<char*>(caption.c_str());
    columnWidths_.push_back(width);
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, columnWidths_.size() - 1, LPARAM(&col));
}

void TListView::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    for (size_t i = 0; i < columnWidths_.size(); ++i)
        ListView_SetColumnWidth(Handle(), int(i), Scale(columnWidths_[i]));
}

void TListView::SetSmallImages(TImageList* images) {
    ListView_SetImageList(Handle(), images ? images->Handle() : nullptr, LVSIL_SMALL);
}

void TListView::Reserve(int count) {
    SendMessageA(Handle(), LVM_SETITEMCOUNT, WPARAM(count), LVSICF_NOINVALIDATEALL);
}

int TListView::ItemCount() const {
    return ListView_GetItemCount(Handle());
}

int TListView::AddItem(const std::string& caption, int imageIndex) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = ItemCount();
    item.iImage = imageIndex;
    item.pszText = const_cast<char*>(caption.c_str());
    return int(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void TListView::SetSubItem(int index, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Handle(), LVM_SETITEMTEXTA, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

void TListView::SetItemImage(int index, int imageIndex) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    item.iImage = imageIndex;
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TListView::DeleteItem(int index) {
    ListView_DeleteItem(Handle(), index);
}

void TListView::Clear() {
    ListView_DeleteAllItems(Handle());
}

TAccessiblePart TListView::AccessiblePart(int index) const {
    TAccessiblePart part;
    part.role = ROLE_SYSTEM_LISTITEM;
    char text[256];
    for (int column = 0; column <= int(columnWidths_.size()) && part.name.empty(); ++column) {
        text[0] = '\0';
        ListView_GetItemText(Handle(), index, column, text, sizeof text);
        part.name = text;
    }
    RECT r{};
    if (ListView_GetItemRect(Handle(), index, &r, LVIR_BOUNDS)) {
        MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        part.screen = r;
    }
    const UINT state = ListView_GetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED);
    part.state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE |
                 (state & LVIS_SELECTED ? STATE_SYSTEM_SELECTED : 0) |
                 (state & LVIS_FOCUSED && Focused() ? STATE_SYSTEM_FOCUSED : 0);
    part.action = "Double Click";
    return part;
}

// Asked at every move of the pointer while a reader follows it: one question to the list,
// however long.
int TListView::AccessiblePartAt(POINT screen) const {
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(Handle(), &hit.pt);
    return ListView_HitTest(Handle(), &hit);
}

void TListView::PressAccessiblePart(int index) {
    if (index < 0 || index >= ItemCount()) return;
    SelectOnly(index);
    DblClick();
}

int TListView::SelectedIndex() const {
    return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
}

void TListView::SelectOnly(int index) {
    // Item by item: changing all at once (-1) visits every item of a long list.
    for (int i = SelectedIndex(); i >= 0; i = ListView_GetNextItem(Handle(), i, LVNI_SELECTED))
        ListView_SetItemState(Handle(), i, 0, LVIS_SELECTED);
    if (index >= 0) ListView_SetItemState(Handle(), index, LVIS_SELECTED, LVIS_SELECTED);
}

void TListView::ScrollToEnd() {
    SendMessageA(Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    // Wine's list ignores SB_BOTTOM; every list brings an item it is asked for into view.
    if (const int count = ItemCount(); count > 0)
        ListView_EnsureVisible(Handle(), count - 1, FALSE);
}

int TListView::ItemImage(int index) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    return ListView_GetItem(Handle(), &item) ? item.iImage : -1;
}

POINT TListView::MenuPoint() const {
    POINT p{0, 0};
    RECT r;
    if (const int index = SelectedIndex(); index >= 0 &&
                                           ListView_EnsureVisible(Handle(), index, FALSE) &&
                                           ListView_GetItemRect(Handle(), index, &r, LVIR_LABEL))
        p = {r.left, r.bottom};
    ::ClientToScreen(Handle(), &p);
    return p;
}

TListView::TUpdateScope::TUpdateScope(TListView& list) : list_(list) {
    SendMessageA(list_.Handle(), WM_SETREDRAW, FALSE, 0);
}

TListView::TUpdateScope::~TUpdateScope() {
    SendMessageA(list_.Handle(), WM_SETREDRAW, TRUE, 0);
    list_.Invalidate();
}

LRESULT TListView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && OnKeyDown) {
        WORD key = WORD(wp);
        TShiftState shift = 0;
        if (GetKeyState(VK_SHIFT) < 0) shift |= MK_SHIFT;
        if (GetKeyState(VK_CONTROL) < 0) shift |= MK_CONTROL;
        OnKeyDown(*this, key, shift);
        if (key == 0) return 0;
        wp = key;
    }
    const LRESULT r = TWinControl::WndProc(msg, wp, lp);
    // The list tracks a right press in a loop of its own and swallows the release that ends
    // it, so the release is delivered here. After a drag the button is still down and the
    // real release comes later.
    if (msg == WM_RBUTTONDOWN && Handle() && GetKeyState(VK_RBUTTON) >= 0) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        MouseUp(TMouseButton::Right, TShiftState(GET_KEYSTATE_WPARAM(wp) & ~MK_RBUTTON), p.x, p.y);
    }
    return r;
}

bool TListView::Notify(NMHDR& hdr, LRESULT& /*result*/) {
    switch (hdr.code) {
    case NM_DBLCLK: DblClick(); return true;
    default: return false;
    }
}

TStatusBar::TStatusBar(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    TCreateParams p;
    p.className = STATUSCLASSNAMEA;
    p.style = WS_CHILD | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    CreateHandle(p);
    int right = -1; // one panel across the whole width
    SendMessageA(Handle(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
    SendMessageA(Handle(), SB_SETTEXTA, SBT_OWNERDRAW, 0);
}

// The text is drawn by us (the panel is owner-drawn) and kept here: a new text then costs one
// invalidation. Given to the control, every new text made it repaint at once, and while the
// pointer moves that paint slowed everything else down, several times under Wine; switching
// its redraw off around it cost four round trips to the window server instead.
void TStatusBar::SetSimpleText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    RECT part;
    if (SendMessageA(Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part)))
        InvalidateRect(Handle(), &part, TRUE);
}

LRESULT TStatusBar::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_GETTEXTLENGTH:
    case SB_GETTEXTLENGTHA: return LRESULT(text_.size());
    case WM_GETTEXT:
    case SB_GETTEXTA: {
        // SB_GETTEXT has no buffer size: it must hold the text.
        const size_t room = msg == WM_GETTEXT ? size_t(wp) : text_.size() + 1;
        if (room == 0 || !lp) return 0;
        const size_t n = std::min(room - 1, text_.size());
        std::memcpy(reinterpret_cast<char*>(lp), text_.data(), n);
        reinterpret_cast<char*>(lp)[n] = '\0';
        return LRESULT(n);
    }
    }
    return TWinControl::WndProc(msg, wp, lp);
}

bool TStatusBar::DrawItem(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    r.left += Scale(2); // where the control puts its own text
    const int mode = SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF color = SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(item.hDC, text_.c_str(), int(text_.size()), &r,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(item.hDC, color);
    SetBkMode(item.hDC, mode);
    return true;
}

} // namespace vtl
