// What a user does and meets at the keyboard: a button of a box pressed with the real mouse,
// and where the keys of a program go.
#pragma once

#include <string>

#include "support/probe.hpp"

namespace vtl::e2e {

// Clicks with the real mouse the button of `window` whose caption, without '&', is `button`.
void clickButton(Probe& probe, Hwnd window, const std::string& button);
// Waits for the box of this caption, clicks its button and waits until the box is gone.
bool answerBox(Probe& probe, const std::string& caption, const std::string& button);
// Waits until `window`'s thread has `active` as its active window and `focus` focused.
bool waitKeys(Probe& probe, Hwnd window, Hwnd active, Hwnd focus);

} // namespace vtl::e2e
