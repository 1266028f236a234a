// Common controls: report list view with a small-image list, status bar with one panel.
#pragma once

#include "ui/Handles.h"
#include "ui/WinControl.h"

#include <string>

namespace vtl {

class TImageList : public TComponent {
  public:
    TImageList(TComponent* owner, int width, int height);
    HIMAGELIST Handle() const { return list_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    // Adds a copy of the bitmap (not kept); returns its index.
    int Add(HBITMAP bitmap);
    void Clear();

  private:
    int width_, height_;
    ImageListHandle list_;
};

using TKeyEvent = std::function<void(TComponent& sender, WORD& key, TShiftState shift)>;

class TListView : public TWinControl {
  public:
    TListView(TComponent* owner, TWinControl* parent);
    void AddColumn(const std::string& caption, int width);
    void SetSmallImages(TImageList* images);
    int ItemCount() const;
    // Appends an item; returns its index.
    int AddItem(const std::string& caption, int imageIndex);
    void SetSubItem(int index, int column, const std::string& text);
    std::string ItemText(int index, int column) const;
    void DeleteItem(int index);
    void Clear();
    int SelectedIndex() const;
    void Select(int index);
    void MakeVisible(int index);

    TKeyEvent OnKeyDown;

  protected:
    bool Notify(NMHDR& hdr, LRESULT& result) override;
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
