#include "settings/CopyTemplate.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

TEST(CopyTemplate, NamesBracesAndTextGiveTheColoursText) {
    const TCopyValues v{0x00CC6633, 146, 144, 240}; // red 51, green 102, blue 204
    const struct {
        const char* text;
        const char* copied;
    } cases[] = {
        {"rgb({R}, {G}, {B})", "rgb(51, 102, 204)"},
        {"#{rr}{gg}{bb} {RR}{GG}{BB}", "#3366cc 3366CC"},
        {"hsl {H} {S} {L}", "hsl 146 144 240"},
        {"{RGB}|{Decimal}|{Hex}|{Html}", "51, 102, 204|13395507|3366CC|#3366CC"},
        {"{Delphi} {VB} {C}", "$00CC6633 &H00CC6633& 0xCC6633"},
        {"{{R}} {{{R}}} } }}}", "{R} {51} } }}"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TCopyTemplate(c.text).Text(v), c.copied) << c.text;
    EXPECT_TRUE(TCopyTemplate("").Empty());
    EXPECT_FALSE(TCopyTemplate("{{").Empty());
}

TEST(CopyTemplate, UnknownNamesOpenBracesAndOverlongTextsAreRefusedWhole) {
    const struct {
        std::string text;
        const char* refusal;
    } cases[] = {
        {"{Rx}", "copyonpick: unknown {Rx}: see ReadMe"},
        {"{r}{G}", "copyonpick: unknown {r}: see ReadMe"},
        {"{html}", "copyonpick: unknown {html}: see ReadMe"},
        {"{ R }", "copyonpick: unknown { R }: see ReadMe"},
        {"{}", "copyonpick: unknown {}: see ReadMe"},
        {"{Red green and blue}", "copyonpick: unknown {Red green an...}: see ReadMe"},
        {"rgb({R}, {G, {B})", "copyonpick: unclosed { at 10: see ReadMe"},
        {"{R}{", "copyonpick: unclosed { at 4: see ReadMe"},
        {"{{{", "copyonpick: unclosed { at 3: see ReadMe"},
        {std::string(kMaxCopyTemplate + 1, 'x'), "copyonpick: over 2046 characters: see ReadMe"},
    };
    for (const auto& c : cases) {
        try {
            TCopyTemplate refused(c.text);
            ADD_FAILURE() << c.text << " was taken";
        } catch (const ECopyTemplateError& e) {
            EXPECT_STREQ(e.what(), c.refusal);
        }
    }
    EXPECT_EQ(TCopyTemplate(std::string(kMaxCopyTemplate, '{')).Text({}).size(), 1023u);
}

} // namespace
} // namespace vtl
