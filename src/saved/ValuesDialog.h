// The Values dialog: one saved colour in eight notations, each with its own "Copy" button.
// Closed through its frame or with Esc (it has no OK button); it changes nothing but the clipboard.
#pragma once

#include "ui/Form.h"
#include "ui/LayoutBuilder.h"
#include "ui/StdCtrls.h"

#include <array>
#include <string>

namespace vtl {

class TfrmNew : public TForm {
  public:
    // Owned by the main window, centred over it.
    explicit TfrmNew(TForm* owner);

    // Fills the eight fields for an entry text; a text that is not a colour throws
    // EConvertError before any field changes, so they keep "#".
    void ShowColor(const std::string& text);
    // Copies the field whose tag is the sender's, selects its text and gives it the focus.
    void CopyColorValue(TComponent& sender);

    std::array<TEdit*, 8> Edits{};

  private:
    TLayoutBuilder layout_; // places the controls again when the DPI changes
};

} // namespace vtl
