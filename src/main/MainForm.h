// The program's main window: the picker with its magnifier, the colour views and editors,
// the saved-colour list and the status bar. Its handlers are spread over Main*.cpp by concern
// (the map in CONTRIBUTING.md); each file says what it holds.
#pragma once

#include "color/ColorValue.h"
#include "saved/ColorsFile.h"
#include "shell/TrayIconMan.h"
#include "skin/SkinClass.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/HotKey.h"
#include "ui/Menus.h"
#include "ui/ScreenStill.h"
#include "ui/SpinEdit.h"
#include "ui/StdCtrls.h"
#include "ui/Timer.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vtl {

// Program-wide cursor numbers registered at start-up.
constexpr int crPicker = 1;
constexpr int crZoom = 2;

// The colour every run starts with (red 247, green 213, blue 185).
constexpr TColor kInitialColor = 0x00B9D5F7;

class TLayoutBuilder;

class TfrmMain : public TForm {
  public:
    TfrmMain();
    ~TfrmMain() override;

    // The current colour is the swatch's fill colour; setting it sets the outline first.
    TColor CurrentColor() const { return shpColor->BrushColor(); }
    void SetCurrentColor(TColor color);
    // Sets the current colour and shows it in every view.
    void ShowCurrentColor(TColor color);

    // Views of the current colour.
    void ShowRGB();
    void ShowHSL();
    void ShowColorValues();
    void ShowStatus(bool tracking);
    void DrawZoom();

    // Event handlers, named after their controls.
    void FormCreate();
    void FormActivate();
    void FormDestroy();
    // The window moved to a monitor of another DPI, or the user changed the scale.
    void FormDpiChanged();
    void ModifyRGB();
    void ModifyHSL();
    void ColorValueChange(TComponent& sender);
    void CopyColor(TComponent& sender);
    void btnHtmlCopyClick();
    void Copy1Click();
    void imgDragMouseDown(TMouseButton button);
    void imgDrag2MouseDown(TMouseButton button);
    void FormMouseMove();
    void FormMouseUp(TMouseButton button);
    // Keys the main window takes before its controls: Ctrl+P starts a pick without a held
    // button, Ctrl+1 to Ctrl+7 copy, Ctrl+8 copies copyonpick's text, Ctrl+S saves, the Apps
    // key and Shift+F10 open the list's menu. True when the key was taken.
    bool FormShortCut(const MSG& msg);
    bool RunShortCut(const MSG& msg);
    void FormDeactivate();
    void tmrPickTimer();
    void imgZoomMouseDown(int x, int y);
    void cboZoomClick();
    void btnMenuClick();
    void chkStayOnTopClick();
    void mnuTray_ShowClick();
    void mnuTray_EmailClick();
    void mnuTray_WebsiteClick();
    void mnuTray_AboutClick();
    void mnuTray_ExitClick();

    // Visibility: shows and restores, or hides to the tray; the tray icon's click handler.
    void ShowMainWindow(bool show);
    void ToggleMainWindow();
    void InstallTrayIcon(bool on);

    // The saved colours: the list, its menu and colors.ini.
    void LoadSavedColors();
    // Writes the list after the user's change to it (none: nothing changed).
    void StoreSavedColors(const std::optional<SavedColorsChange>& change = std::nullopt);
    void ScrollToLastSavedColor();
    void Save1Click();
    void ListView1DblClick();
    void ListView1KeyDown(WORD& key);
    void ListView1MouseDown(TMouseButton button, TShiftState shift);
    void ListView1MouseUp(TMouseButton button);
    void mnuMyColors_Open1Click();
    void mnuMyColors_Open2Click();
    void mnuMyColors_DeleteClick();
    void mnuMyColors_ClearClick();
    // Shows the Values dialog for the selected entry.
    void OpenSavedColor();

    // The side of the square whose mean is the picked colour (1, 3, 5, 7 or 9); 1 when the
    // stored value is missing or none of them.
    int Average() const { return average_; }
    // For the benchmark: picks started from the keyboard read the live screen, as before.
    void SetStillPicks(bool on) { stillPicks_ = on; }
    bool PickingStill() const { return still_ != nullptr; }

    void SetStayOnTop(bool on);
    bool StayOnTop() const { return FStayOnTop; }
    // The tray icon ignores the mouse while a modal dialog is open.
    void EnableTrayMenu(bool on);
    const std::string& Value(int notation) const { return FValues.at(size_t(notation)); }
    bool Picking() const { return FPicking; }
    bool Ready() const { return FReady; }
    const TBitmap& ZoomBuffer() const { return *FZoomBuffer; }
    TSkinManEx* Skin() const { return FSkin.get(); }

    // The controls, as named in the layout.
    TPanel *Panel1, *Panel2, *Panel3, *Panel4, *Panel5;
    TImage *Image1, *Image2, *Image3, *Image4;
    TCheckBox* chkStayOnTop;
    TComboBox* cboZoom;
    TButton* btnMenu;
    TPanel *pnlDrag, *pnlColor, *pnlDrag2, *pnlZoom;
    TImage *imgDrag, *imgDrag2, *imgZoom, *imgZoomCursor;
    TShape* shpColor;
    TBevel* bvlRgbFrame;
    TLabel *lblR, *lblG, *lblB, *lblH, *lblS, *lblL;
    TSpinEdit *spiR, *spiG, *spiB, *spiH, *spiS, *spiL;
    TLabel *lblRGB, *lblDecimal, *lblHex, *lblDelphi, *lblVB, *lblC, *lblHtml;
    TEdit *edtRGB, *edtDecimal, *edtHex, *edtDelphi, *edtVB, *edtC, *edtHtml;
    TButton *btnRGBCopy, *btnDecimalCopy, *btnHexCopy, *btnDelphiCopy, *btnVBCopy, *btnCCopy,
        *btnHtmlCopy;
    TListView* ListView1;
    TStatusBar* StatusBar1;
    TPopupMenu *mnuTray, *PopupMenu1, *mnuMyColors;
    TMenuItem *mnuTray_Show, *mnuTray_Email, *mnuTray_Website, *mnuTray_About, *mnuTray_Exit;
    TMenuItem *Copy1, *Save1;
    TMenuItem *mnuMyColors_Open1, *mnuMyColors_Open2, *mnuMyColors_Delete, *mnuMyColors_Clear;
    TImageList* ImageList1;
    TTimer* tmrPick; // follows the pointer during a pick without a held button

  protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void CreateControls();
    // The cursors and the magnifier's buffer for the form's DPI.
    void CreateCursors();
    void CreateZoomBuffer();
    // The saved colours' swatches drawn again at the form's DPI.
    void RedrawSwatches();
    void ReadStartupSettings();
    // Runs one store of a setting; a failure is told once, never in the way of the view.
    void StoreSetting(const std::function<void()>& store);
    std::wstring GetColorsFileName();
    // A pick is kept by the user (a release, Enter, a click, the shortcut again) or ends
    // otherwise (Esc, another window took the keys or the mouse); only a kept one is copied.
    enum class PickEnd { Kept, Other };
    void EndPick(bool releaseCapture, PickEnd end = PickEnd::Other);
    bool PickKeyDown(const MSG& msg);
    void NudgePointer(int dx, int dy);
    void ShowPosition(POINT pointer);
    void CancelPick();
    // From the screen or a still of it: `origin` is the source's virtual-screen top-left.
    void Grab(HDC source, POINT origin, const std::vector<RECT>& monitors, POINT pointer);
    void CreateMenus();
    void BindEvents();
    void StartPick(TImage& icon, TMouseButton button);
    void BeginPick(TImage& icon);
    // The still is taken by the caller the moment the key is handled, before anything of the
    // program shows or comes forward; none: the pick reads the live screen.
    void StartKeyboardPick(std::unique_ptr<TScreenStill> still);
    std::unique_ptr<TScreenStill> TakeStill() const;
    void ReleaseStill();
    // The side a key sets: 1, 3, 5, 7 or 9 on the top row or the numeric pad; 0 for others.
    static int AverageSizeKey(const MSG& msg);
    void SetAverage(int size);
    // The square's mean, from the grab around `pointer`; CLR_INVALID when none of it is on a
    // monitor.
    COLORREF AverageFromGrab(POINT pointer) const;
    // Outlines the averaged square on the magnifier, keeping the picture without it for clicks.
    void OutlineAverage();
    TEdit* NotationField(int notation) const;
    // The current colour as the views show it: the spin boxes may hold values the user set
    // that the colour does not convert back to, or an emptied box.
    struct ShownColor {
        TColor color;
        std::array<std::string, 6> spins; // R, G, B, H, S, L
    };
    ShownColor SaveShownColor() const;
    void RestoreShownColor(const ShownColor& shown);
    bool CanHideToTray() const;
    // The window procedure's handlers. Once start-up is over, a position change of this window
    // keeps stay on top; a pick ends when the window goes inactive or loses the mouse.
    LRESULT OnWindowPosChanging(WPARAM wp, LPARAM lp);
    LRESULT OnActivateChange(WPARAM wp, LPARAM lp);
    LRESULT OnCaptureChanged(WPARAM wp, LPARAM lp);
    // The global shortcut: starts a pick from anywhere, or ends the one running.
    LRESULT OnHotKey(WPARAM wp, LPARAM lp);
    // The application was minimised: hide to the tray.
    void AppMinimize();
    void BindSavedColorEvents();
    void AddSavedEntry(int image, const std::string& text);
    // The list shows these entries, those it shows already with their own swatches.
    void ShowSavedColors(const std::vector<SavedColor>& entries);
    void SelectLastSavedColor();
    enum class SavedColorsCommand { Save, Delete, Clear };
    // Runs the change, or, while another runs, queues it to run after that one.
    void ChangeSavedColors(SavedColorsCommand command, const std::function<void()>& change);
    void RunSavedColorsLater();
    // At the pointer, or at a point for a menu opened from the keyboard.
    void PopupListMenu(bool entryItems, const POINT* at = nullptr);
    // Ctrl+1 .. Ctrl+7: the notations in their order on the screen, top to bottom.
    void CopyNotationAt(int position);
    // Registered once the window shows; a failure is told in the status bar.
    void RegisterPickHotKey();
    // copyonpick: a template it cannot take is told in the status bar once the window shows;
    // its text goes to the clipboard when a pick is kept and on Ctrl+8.
    void TellCopyTemplate();
    void CopyTemplateText(bool tellRefusal);
    bool MenuOpen() const;
    bool Confirm(const char* question);
    void TellSavedColorsNotice();
    // Posted to itself: trouble with colors.ini is told once the message that asked is done.
    static constexpr UINT kMsgTellSavedColors = WM_APP + 2;
    static constexpr UINT kMsgSavedColorsLater = WM_APP + 3;

    std::unique_ptr<TTrayIconMan> FTray;
    std::array<std::string, 8> FValues; // 1..7 by notation number
    bool FPicking = false;
    bool FUpdatingRGB = false;
    bool FUpdatingHSL = false;
    bool FReady = false;
    std::unique_ptr<TBitmap> FZoomBuffer;
    std::wstring FColorsFile;
    bool FStayOnTop = false;
    std::unique_ptr<TSkinManEx> FSkin;
    std::unique_ptr<TLayoutBuilder> layout_; // places the controls again when the DPI changes
    IconHandle pickerCursor_, zoomCursor_;
    bool endingPick_ = false;
    ShownColor beforePick_{};
    std::optional<TMessageFilterScope> pickKeys_; // while a pick runs
    std::optional<TMessageFilterScope> shortCuts_;
    std::optional<TMessageFilterScope> noticeShown_; // a copy's notice, until the pointer moves
    POINT noticeAt_{};
    bool keyboardPick_ = false; // the running pick follows the pointer without a held button
    POINT lastPointer_{LONG_MIN, LONG_MIN}; // where the buffer's grab was taken; none yet
    int stillLooks_ = 0;                    // looks at the pointer since it last moved
    // About a frame: the colour follows a moving pointer as closely as in a drag.
    static constexpr UINT kPickLookMs = 15;
    static constexpr int kPickLooksPerSecond = 1000 / kPickLookMs;
    static constexpr UINT kPickRestLookMs = 50;
    std::unique_ptr<TScreenStill> still_; // what a pick from the keyboard reads
    bool stillMissing_ = false;           // a pick from the keyboard could not have one
    bool stillPicks_ = true;
    int average_ = 1;
    std::unique_ptr<TBitmap> zoomUnmarked_; // the magnifier before the outline, while it has one
    bool hidingToTray_ = false;
    std::unique_ptr<THotKey> pickHotKey_; // none when switched off
    static constexpr int kPickHotKeyId = 1;
    // A settings failure has been told and nothing was stored since.
    bool settingsFailureTold_ = false;
    std::array<COLORREF, 16> customColors_;   // of the colour dialog, kept for the run
    std::unique_ptr<TColorsFile> colorsFile_; // none when the data folder is unavailable
    std::wstring colorsFolderProblem_;        // why there is none
    bool colorsNotKeptTold_ = false;
    // The entries' texts in list order, as the list shows them: written out without asking
    // the list for each (slow for long lists under Wine) and never cut by a buffer.
    std::vector<std::string> savedTexts_;
    bool listMenuShown_ = false; // by the press of this right click: its release shows none
    bool changingSavedColors_ = false, scrollingSavedColors_ = false;
    std::vector<std::pair<SavedColorsCommand, int>> savedColorsLater_; // with the entry chosen
    WPARAM heldShortCut_ = 0; // the key of the last shortcut taken, until another key goes down
    // Work queued for later holds a weak copy: it runs only while the window still exists.
    std::shared_ptr<char> alive_ = std::make_shared<char>();
};

} // namespace vtl
