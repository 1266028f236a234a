#include "settings/CopyTemplate.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

TEST(CopyTemplate, NamesAndBracesAreReplacedAndAnUnknownNameOrOpenBraceRefusesTheWhole) {
    // What red 51, green 102, blue 204 (H, S, L as given) copies, or the refusal.
    const std::pair<std::string, std::string> cases[] = {
        {"rgb({R}, {G}, {B}) {H} {S} {L}", "rgb(51, 102, 204) 146 144 240"},
        {"#{rr}{gg}{bb} {RR}{GG}{BB}", "#3366cc 3366CC"},
        {"{RGB}|{Decimal}|{Hex}|{Html}", "51, 102, 204|13395507|3366CC|#3366CC"},
        {"{Delphi} {VB} {C}", "$00CC6633 &H00CC6633& 0xCC6633"},
        {"{{R}} {{{R}}} } }}}", "{R} {51} } }}"},
        {std::string(kMaxCopyTemplate, '{'), std::string(kMaxCopyTemplate / 2, '{')},
        {"{Rx}", "copyonpick: unknown {Rx}: see ReadMe"},
        {"{G}{r}", "copyonpick: unknown {r}: see ReadMe"},
        {"{Red green and blue}", "copyonpick: unknown {Red green an...}: see ReadMe"},
        {"rgb({R}, {G, {B})", "copyonpick: unclosed { at 10: see ReadMe"},
        {std::string(kMaxCopyTemplate + 1, 'x'), "copyonpick: over 2046 characters: see ReadMe"},
    };
    for (const auto& [text, copied] : cases)
        try {
            EXPECT_EQ(TCopyTemplate(text).Text({0x00CC6633, 146, 144, 240}), copied) << text;
        } catch (const ECopyTemplateError& e) {
            EXPECT_EQ(e.what(), copied) << text;
        }
}

} // namespace
} // namespace vtl
