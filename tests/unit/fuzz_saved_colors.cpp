// libFuzzer target for the colors.ini text. Run by hand: scripts/fuzz saved [seconds]
#include "saved/ColorsText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vtl::SavedColorsText parsed = vtl::ParseSavedColors(bytes);

    // What is kept is written back and reads the same, with nothing left to back up.
    std::vector<std::string> texts;
    for (const vtl::SavedColor& e : parsed.entries) {
        Check(e.text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        Check(e.color == vtl::HtmlToColor(e.text));
        texts.push_back(e.text);
    }
    const std::string written = vtl::FormatSavedColors(texts);
    const vtl::SavedColorsText again = vtl::ParseSavedColors(written);
    Check(!again.dropsText && again.entries.size() == texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        Check(again.entries[i].text == texts[i]);
    Check(vtl::FormatSavedColors(texts) == written);

    // A file the list holds completely needs no backup.
    if (!parsed.dropsText && !bytes.starts_with("\xEF\xBB\xBF") && !bytes.starts_with("\xFF\xFE") &&
        !bytes.starts_with("\xFE\xFF")) {
        std::size_t nonEmpty = 0;
        for (const std::string& line : vtl::SplitColorLines(bytes))
            nonEmpty += !line.empty();
        Check(nonEmpty == texts.size());
    }
    return 0;
}
