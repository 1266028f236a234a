// Common controls: report list view with a small-image list, status bar with one panel.
#pragma once

#include "ui/Handles.h"
#include "ui/WinControl.h"

#include <string>
#include <vector>

namespace vtl {

class TImageList : public TComponent {
  public:
    // Room grows by `grow` images at a time: adding many images one by one to a list that
    // grows by a few is slow (about a minute for 10,000 under Wine).
    TImageList(TComponent* owner, int width, int height, int grow = 4);
    HIMAGELIST Handle() const { return list_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    // Makes room for n images at once while the list is still empty (growing a list copies
    // all its images); a list view showing it must be given it again.
    void Reserve(int n);
    // Adds a copy of the bitmap (not kept); a bitmap n images wide adds n images, side by
    // side from the left. Returns the index of the first, or -1.
    int Add(HBITMAP bitmap);
    void Clear();
    // Gives the images a new size; the list is emptied.
    void Resize(int width, int height);

  private:
    int width_, height_, grow_;
    ImageListHandle list_;
};

using TKeyEvent = std::function<void(TComponent& sender, WORD& key, TShiftState shift)>;

class TListView : public TWinControl {
  public:
    TListView(TComponent* owner, TWinControl* parent);
    // A column `width` pixels wide at 96 dpi; placing the list scales it to the list's DPI.
    void AddColumn(const std::string& caption, int width);
    void SetBounds(int left, int top, int width, int height) override;
    void SetSmallImages(TImageList* images);
    int ItemCount() const;
    // Makes room for this many items before adding them.
    void Reserve(int count);
    // Appends an item; returns its index.
    int AddItem(const std::string& caption, int imageIndex);
    void SetSubItem(int index, int column, const std::string& text);
    void SetItemImage(int index, int imageIndex);
    void DeleteItem(int index);
    void Clear();
    int SelectedIndex() const;
    // Selects only this item (none for -1) and leaves the focus mark where it is.
    void SelectOnly(int index);
    // Scrolls to the end of the list: the last item is in view.
    void ScrollToEnd();
    int ItemImage(int index) const;
    // Where a menu opened from the keyboard goes, on the screen: on the selected entry,
    // scrolled into view, or at the list's top left without one.
    POINT MenuPoint() const;

    // Holds the list's repaints for one scope and repaints once when it ends, however it
    // ends: adding many items then costs one repaint, not one per item.
    class TUpdateScope {
      public:
        explicit TUpdateScope(TListView& list);
        ~TUpdateScope();
        TUpdateScope(const TUpdateScope&) = delete;
        TUpdateScope& operator=(const TUpdateScope&) = delete;

      private:
        TListView& list_;
    };

    // Fired for each key pressed in the list; setting the key to 0 consumes it.
    TKeyEvent OnKeyDown;

    // Screen readers see the items, each named by its caption or, when that is empty, by its
    // first column with text; their default action is a double click on the item.
    int AccessiblePartCount() const override { return ItemCount(); }
    TAccessiblePart AccessiblePart(int index) const override;
    int AccessiblePartAt(POINT screen) const override;
    void PressAccessiblePart(int index) override;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool Notify(NMHDR& hdr, LRESULT& result) override;

  private:
    std::vector<int> columnWidths_; // at 96 dpi
};

class TStatusBar : public TWinControl {
  public:
    TStatusBar(TComponent* owner, TWinControl* parent);
    const std::string& SimpleText() const { return text_; }
    // Writing the text already shown does nothing.
    void SetSimpleText(const std::string& text);

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

  private:
    std::string text_;
};

} // namespace vtl
