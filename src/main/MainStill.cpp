// The still a pick from the keyboard reads: the whole desktop as it was when the key was
// handled. Held only while that pick runs (a 4K monitor's copy is about 32 MB).
#include "main/MainForm.h"
#include "ui/Screen.h"

namespace vtl {

std::unique_ptr<TScreenStill> TfrmMain::TakeStill() const {
    return stillPicks_ ? TScreenStill::Take(Screen().MonitorRects()) : nullptr;
}

void TfrmMain::ReleaseStill() {
    still_.reset();
    stillMissing_ = false;
}

} // namespace vtl
