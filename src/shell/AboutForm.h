// The About box: the program's icon, title, version and notice, and the maker's two links.
#pragma once

#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/Handles.h"
#include "ui/LayoutBuilder.h"
#include "ui/StdCtrls.h"

#include <string>

namespace vtl {

class TfrmAbout : public TForm {
  public:
    TfrmAbout();

    // Set by the caller before the box is shown.
    std::string FTitle;
    std::string FVersion;
    std::string FYear;

    void FormCreate();
    void FormShow();
    void btnOKClick();
    void LabelMouseDown(TControl& sender, TMouseButton button);
    void LabelMouseUp(TControl& sender, TMouseButton button);
    void lblEmailAddrClick();
    void lblWebsiteAddrClick();

    TShape* shpBackground;
    TBevel* bvlBackground;
    TImage* imgIcon;
    TStaticText *lblTitle, *lblVersion, *lblCopyright, *lblEmail, *lblEmailAddr, *lblWebsite,
        *lblWebsiteAddr;
    TButton* btnOK;

  private:
    void CreateControls();
    void MakeLink(TStaticText& label, const std::string& caption);
    void CenterHorizontally(TControl& control);
    // Fonts, places and the icon for the form's DPI.
    void CreateFonts();
    void PlaceTexts();
    void FormDpiChanged();

    FontHandle titleFont_;
    FontHandle linkFont_;
    TLayoutBuilder layout_; // places the controls again when the DPI changes
};

} // namespace vtl
