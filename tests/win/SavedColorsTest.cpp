// The saved-colour list inside the program: swatches, image indexes that only grow, and entry
// texts of any length going through the list and back to the file whole; UTF-16 files.
#include "WinTestSupport.h"

#include "main/MainForm.h"
#include "saved/ColorsFile.h"
#include "support/files.hpp"
#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/Timer.h"
#include "ui/WideText.h"

#include <gtest/gtest.h>

namespace vtl {
namespace {

TEST(SavedColorsList, SwatchesLongTextsAndImagesThatOnlyGrow) {
    test::ResetDataFolder();
    CreateDirectoryA(test::DataFolder().c_str(), nullptr);
    const std::string file = test::DataFolder() + "\\colors.ini";
    const std::string longText = "#abcdef" + std::string(3000, 'x');
    test::WriteFileText(file, "#FF0000\r\n#00FF00\r\n" + longText + "\r\n");
    TfrmMain form;
    ASSERT_EQ(form.ListView1->ItemCount(), 3);

    TBitmap swatch(48, 16);
    ImageList_Draw(form.ImageList1->Handle(), 0, swatch.Dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(swatch.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(swatch.Pixel(47, 15), 0xFFFFFFu);
    EXPECT_EQ(swatch.Pixel(1, 1), 0u);
    EXPECT_EQ(swatch.Pixel(46, 14), 0u);
    EXPECT_EQ(swatch.Pixel(2, 2), 0x0000FFu);
    EXPECT_EQ(swatch.Pixel(45, 13), 0x0000FFu);

    form.StoreSavedColors();
    EXPECT_EQ(test::ReadFileText(file), "#FF0000\r\n#00FF00\r\n" + longText + "\r\n");

    test::WriteFileText(file, "");
    form.LoadSavedColors(); // removes every entry, as "Clear" does
    form.Save1Click();
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    ASSERT_TRUE(ListView_GetItem(form.ListView1->Handle(), &item));
    EXPECT_EQ(item.iImage, 3) << "a new entry after a clear gets the next new image";
    EXPECT_EQ(test::ReadFileText(file), "#F7D5B9\r\n");
}

// A line of a UTF-16 colors.ini (Notepad's "Unicode") keeps a letter the code page has; one the
// code page has only a look-alike for keeps its colour, and the file a backup before the write.
TEST(ColorsFile, Utf16LinesAreNarrowedExactlyOrTheFileIsKept) {
    ASSERT_EQ(GetACP(), 1252u) << "the letters are chosen for code page 1252";
    test::ResetDataFolder();
    CreateDirectoryA(test::DataFolder().c_str(), nullptr);
    const std::string path = test::DataFolder() + "\\colors.ini";
    for (const bool exact : {true, false}) {
        const std::string bytes = e2e::utf16File(exact ? u"#FF0000 caf\u00E9" : u"#FF0000 \u0141");
        test::WriteFileText(path, bytes);
        TColorsFile file(Widen(path));
        const std::vector<SavedColor> entries = file.Load();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].color, 0x0000FFu);
        if (exact) {
            EXPECT_EQ(entries[0].text, "#FF0000 caf\xE9");
        }
        file.Store({entries[0].text}, std::nullopt, {});
        EXPECT_EQ(test::ReadFileText(path + ".bak"), exact ? "" : bytes) << exact;
    }
}

// A Save that comes while a Save lets waiting messages run (a timer stands in for the second
// Ctrl+S) runs after it: both colours and another program's line reach the file.
TEST(SavedColorsList, ASaveThatComesDuringASaveRunsAfterIt) {
    test::ResetDataFolder();
    CreateDirectoryA(test::DataFolder().c_str(), nullptr);
    const std::string file = test::DataFolder() + "\\colors.ini";
    test::WriteFileText(file, "#FF0000\r\n");
    TfrmMain form;
    test::WriteFileText(file, "#FF0000\r\n#00FF00\r\n");
    TTimer again(nullptr, 1);
    again.OnTimer = [&](TComponent&) { again.SetEnabled(false), form.Save1Click(); };
    again.SetEnabled(true);
    Sleep(20);
    form.Save1Click();
    Application().ProcessMessages();
    EXPECT_EQ(test::ReadFileText(file), "#FF0000\r\n#00FF00\r\n#F7D5B9\r\n#F7D5B9\r\n");
}

// The list could not show what another program's change and the user's made together, written
// already: the next Save still keeps that program's line and both colours.
TEST(ColorsFile, AMergeTheListCouldNotShowLosesNothing) {
    test::ResetDataFolder();
    CreateDirectoryA(test::DataFolder().c_str(), nullptr);
    const std::string path = test::DataFolder() + "\\colors.ini";
    test::WriteFileText(path, "#FF0000\r\n");
    TColorsFile file(Widen(path));
    file.Load();
    test::WriteFileText(path, "#FF0000\r\n#00FF00\r\n");
    const auto refused = [](const std::vector<SavedColor>&) { throw Error("refused"); };
    EXPECT_THROW(
        file.Store({"#FF0000", "#0000FF"}, SavedColorsChange::Appended({"#0000FF", 0}), refused),
        Error);
    EXPECT_EQ(test::ReadFileText(path), "#FF0000\r\n#00FF00\r\n#0000FF\r\n");
    file.Store({"#FF0000", "#0000FF", "#FFFFFF"}, SavedColorsChange::Appended({"#FFFFFF", 0}),
               [](const std::vector<SavedColor>&) {});
    EXPECT_EQ(test::ReadFileText(path), "#FF0000\r\n#00FF00\r\n#0000FF\r\n#FFFFFF\r\n");
}

} // namespace
} // namespace vtl
