#include "ui/Clipboard.h"

#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/Win32.h"

#include <cstring>

namespace vtl {

namespace {

class ClipboardScope {
  public:
    explicit ClipboardScope(HWND owner) {
        for (int i = 0; i < kClipboardOpenTries && !open_; ++i) {
            if (i > 0) Sleep(kClipboardRetryMs);
            open_ = OpenClipboard(owner) != 0;
        }
        if (!open_) throw Error("Cannot open clipboard");
    }
    ~ClipboardScope() { CloseClipboard(); }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;

  private:
    bool open_ = false;
};

} // namespace

void ClipboardSetText(const std::string& text) {
    // The text is made ready first: a failure leaves what the clipboard holds untouched.
    GlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    CheckWin32(bool(mem), "GlobalAlloc");
    void* p = GlobalLock(mem.Get());
    CheckWin32(p != nullptr, "GlobalLock");
    std::memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(mem.Get());
    ClipboardScope clipboard(Application().Handle());
    EmptyClipboard();
    CheckWin32(SetClipboardData(CF_TEXT, mem.Get()) != nullptr, "SetClipboardData");
    mem.Release(); // the clipboard owns it now
}

} // namespace vtl
