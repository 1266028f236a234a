// The bitmap-drawn frame of the main window: a title bar with icon, caption, Minimize and
// Close buttons, borders on the other three sides and a window shape with rounded top corners,
// all from a skin's bitmaps among the program's resources. Dragging the title moves the window.
//
// It works on strips the window already has (a panel holding one image on each side, and the
// content panel) and owns only the four controls it puts on the title strip. It must be
// released before the window's controls are.
#pragma once

#include "skin/FrameLayout.h"
#include "ui/ExtCtrls.h"
#include "ui/Handles.h"

#include <memory>
#include <string>

namespace vtl {

class TSkinManEx {
  public:
    // A window with a system border, or smaller than 251 x 189, is left as it is. A skin
    // letter without its resources fails with an Error before the window is touched.
    TSkinManEx(TImage& leftImage, TImage& titleImage, TImage& rightImage, TImage& bottomImage,
               TPanel& contentPanel, const std::string& skinName);
    virtual ~TSkinManEx();
    TSkinManEx(const TSkinManEx&) = delete;
    TSkinManEx& operator=(const TSkinManEx&) = delete;

    // Paints a button ("close", "minimize") in a state ("up", "down"); a null button or an
    // unknown pair draws nothing.
    void DrawButton(TImage* button, const std::string& name, const std::string& state);
    // Draws the frame again in the user's colours: the skin outside High Contrast mode, plain
    // system colours in it.
    void ColorsChanged();

    const std::string& SkinName() const { return FSkinName; }
    // The frame's own controls; null when the frame does not apply.
    TImage* Icon() const { return FIcon.get(); }
    TLabel* Caption() const { return FCaption.get(); }
    TImage* MinimizeButton() const { return FMinimizeButton.get(); }
    TImage* CloseButton() const { return FCloseButton.get(); }

  private:
    void Build();
    // A skin bitmap's resource name, for the artwork's DPI.
    std::string ArtName(const char* prefix) const;
    void PlaceStrips();
    void FitImageToPanel(TImage& image);
    void DrawStrips();
    void DrawPlainStrips();
    void CreateIcon(TWinControl& strip);
    void CreateCaption(TWinControl& strip);
    // A title button that sends `command` to the window when clicked; `art` names its tiles.
    std::unique_ptr<TImage> CreateButton(TWinControl& strip, int left, const char* hint,
                                         const char* art, WPARAM command);
    RegionHandle BuildWindowRegion();
    TImage& StripImage(skin::Strip strip) const;

    void TitleMouseDown(TControl& sender, TMouseButton button, TShiftState shift, int x, int y);
    void SendToWindow(UINT msg, WPARAM wp);

    TImage* left_;
    TImage* title_;
    TImage* right_;
    TImage* bottom_;
    TPanel* content_;
    TWinControl* window_;        // the content panel's parent
    int width_ = 0, height_ = 0; // of the window, border included
    int dpi_ = 96;               // the window's
    int artDpi_ = 96;            // the nearest the skin is drawn for
    FontHandle captionFont_;     // outlives FCaption, which only borrows it
    TImage* pressed_ = nullptr;  // the title button last pressed, until released

    std::string FSkinName;
    std::unique_ptr<TImage> FIcon;
    std::unique_ptr<TLabel> FCaption;
    std::unique_ptr<TImage> FMinimizeButton;
    std::unique_ptr<TImage> FCloseButton;
};

} // namespace vtl
