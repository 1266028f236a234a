#include "app/brunmark/BrunmarkClass.h"
#include "ui/Application.h"
#include "ui/ModalScope.h"
#include "ui/WideText.h"

namespace vtl {

int TBrunmark::ShowMsgBox(const std::string& text, int flags) {
    return ShowMsgBox(Widen(text), flags);
}

int TBrunmark::ShowMsgBox(const std::wstring& text, int flags) {
    std::string caption;
    if (flags & MB_ICONINFORMATION)
        caption = "Information";
    else if ((flags & MB_ICONWARNING) == MB_ICONWARNING)
        caption = "Warning";
    else if (flags & MB_ICONQUESTION)
        caption = "Confirm";
    else if (flags & MB_ICONERROR)
        caption = "Error";
    if (caption.empty()) caption = Application().Title();
    const HWND owner = Application().Handle();
    TModalScope modal(owner);
    // UTF-16: a path in the text may hold letters the code page has not.
    return MessageBoxW(owner, text.c_str(), Widen(caption).c_str(), UINT(flags));
}

} // namespace vtl
