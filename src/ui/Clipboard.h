// Plain text on the system clipboard.
#pragma once

#include <string>

namespace vtl {

// Replaces the clipboard's content with the text as CF_TEXT. Another program may hold the
// clipboard for a moment, so opening is retried briefly before it fails with
// "Cannot open clipboard".
void ClipboardSetText(const std::string& text);

// Tries to open the clipboard this many times, waiting between tries.
constexpr int kClipboardOpenTries = 10;
constexpr unsigned kClipboardRetryMs = 20;

} // namespace vtl
