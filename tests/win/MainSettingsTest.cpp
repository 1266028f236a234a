// The settings file, with real files in the data folder of the test prefix.
#include "WinTestSupport.h"

#include "main/MainForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vtl {
namespace {

const char* const kDefaults = "[VTL]\r\nontop=1\r\nzoom=1\r\n";

class MainSettingsTest : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetDataFolder();
        test::ReportedErrors().clear();
    }
    void TearDown() override {
        form.reset();
        test::ResetDataFolder();
    }
    std::string IniPath() const { return test::DataFolder() + "\\vtl3.ini"; }
    void Store(const std::string& text) {
        CreateDirectoryA(test::DataFolder().c_str(), nullptr);
        test::WriteFileText(IniPath(), text);
    }
    void Start() {
        form = std::make_unique<TfrmMain>();
        test::PumpPending();
    }
    // What the user sees: the main window above or among the others.
    bool AppTopmost() const { return GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST; }
    // As the user's choice arrives: a selection change notified to the list's parent.
    void ChooseZoom(int index) {
        form->cboZoom->SetItemIndex(index);
        HWND list = form->cboZoom->Handle();
        SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    // The magnifier as shown, sampled.
    std::vector<COLORREF> Magnifier() const {
        std::vector<COLORREF> pixels;
        const TBitmap& shown = form->imgZoom->Bitmap();
        for (int y = 0; y < shown.Height(); y += 5)
            for (int x = 0; x < shown.Width(); x += 5)
                pixels.push_back(shown.Pixel(x, y));
        return pixels;
    }
    std::unique_ptr<TfrmMain> form;
};

TEST_F(MainSettingsTest, FirstStartCreatesTheFileWithDefaultsAndStaysOnTop) {
    Start();
    EXPECT_EQ(test::ReadFileText(IniPath()), kDefaults);
    EXPECT_TRUE(form->chkStayOnTop->Checked());
    EXPECT_TRUE(form->StayOnTop());
    EXPECT_TRUE(AppTopmost());
    // Another program dropping the window among the others: it stays on top all the same.
    SetWindowPos(form->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(AppTopmost());
    EXPECT_EQ(form->cboZoom->ItemIndex(), 0);
    EXPECT_TRUE(test::ReportedErrors().empty());
}

TEST_F(MainSettingsTest, StoredOnTopOtherThanOneStartsUncheckedAndWritesNothing) {
    for (const char* value : {"0", "yes", "true", ""}) {
        SCOPED_TRACE(value);
        const std::string text = std::string("[VTL]\r\nontop=") + value + "\r\nzoom=1\r\n";
        Store(text);
        Start();
        EXPECT_FALSE(form->chkStayOnTop->Checked());
        EXPECT_FALSE(form->StayOnTop());
        EXPECT_FALSE(AppTopmost());
        EXPECT_EQ(test::ReadFileText(IniPath()), text);
        form.reset();
    }
}

TEST_F(MainSettingsTest, BadStoredZoomStartsAtOneAndLeavesTheFileAlone) {
    // Which texts count as bad is the settings rules' (unit tests); here the window's part.
    for (const char* line : {"zoom=abc", "zoom=21", "other=1"}) {
        SCOPED_TRACE(line);
        const std::string text = std::string("[VTL]\r\nontop=0\r\n") + line + "\r\n";
        Store(text);
        Start();
        EXPECT_EQ(form->cboZoom->ItemIndex(), 0);
        EXPECT_EQ(test::ReadFileText(IniPath()), text);
        EXPECT_TRUE(test::ReportedErrors().empty());
        form.reset();
    }
}

TEST_F(MainSettingsTest, ChoosingAZoomStoresIt) {
    Start();
    ChooseZoom(19);
    EXPECT_EQ(test::ReadFileText(IniPath()), "[VTL]\r\nontop=1\r\nzoom=20\r\n");
    ChooseZoom(0);
    EXPECT_EQ(test::ReadFileText(IniPath()), kDefaults);
}

TEST_F(MainSettingsTest, FileDeletedWhileRunningComesBackWithDefaultsFirst) {
    Store("[VTL]\r\nontop=0\r\nzoom=3\r\n");
    Start();
    DeleteFileA(IniPath().c_str());
    ChooseZoom(4);
    EXPECT_EQ(test::ReadFileText(IniPath()), "[VTL]\r\nontop=1\r\nzoom=5\r\n");
}

TEST_F(MainSettingsTest, StayOnTopWritesOnlyWhenTheStoredStateDiffers) {
    Store("[VTL]\r\nontop=yes\r\nzoom=1\r\n");
    Start();
    form->SetStayOnTop(false); // "yes" already reads as off
    EXPECT_EQ(test::ReadFileText(IniPath()), "[VTL]\r\nontop=yes\r\nzoom=1\r\n");
    EXPECT_FALSE(AppTopmost());
    form->chkStayOnTop->SetChecked(true);
    EXPECT_EQ(test::ReadFileText(IniPath()), "[VTL]\r\nontop=1\r\nzoom=1\r\n");
    EXPECT_TRUE(AppTopmost());
    form->SetStayOnTop(true);
    EXPECT_EQ(test::ReadFileText(IniPath()), "[VTL]\r\nontop=1\r\nzoom=1\r\n");
    form->chkStayOnTop->SetChecked(false);
    EXPECT_EQ(test::ReadFileText(IniPath()), "[VTL]\r\nontop=0\r\nzoom=1\r\n");
}

TEST_F(MainSettingsTest, OtherSectionsAndKeysAreKept) {
    Store("[Mine]\r\na=b\r\n[VTL]\r\nextra=x\r\nontop=0\r\nzoom=2\r\n");
    Start();
    EXPECT_EQ(form->cboZoom->ItemIndex(), 1) << "the stored zoom";
    ChooseZoom(6);
    EXPECT_EQ(test::ReadFileText(IniPath()),
              "[Mine]\r\na=b\r\n[VTL]\r\nextra=x\r\nontop=0\r\nzoom=7\r\n");
}

TEST_F(MainSettingsTest, DataFolderThatCannotBeMadeStartsOnDefaultsAndSaysSoOnce) {
    test::WriteFileText(test::DataFolder(), "a file where the folder belongs");
    Start();
    ASSERT_EQ(test::ReportedErrors().size(), 1u);
    EXPECT_NE(test::ReportedErrors()[0].find(test::DataFolder()), std::string::npos)
        << test::ReportedErrors()[0];
    EXPECT_TRUE(form->chkStayOnTop->Checked());
    EXPECT_TRUE(AppTopmost());
    EXPECT_EQ(form->cboZoom->ItemIndex(), 0);
    EXPECT_EQ(form->spiR->ShownText(), "247") << "the window is built in full";
    // Told once: later changes take effect on the screen without another message.
    const std::vector<COLORREF> atOne = Magnifier();
    ChooseZoom(2);
    form->chkStayOnTop->SetChecked(false);
    EXPECT_EQ(test::ReportedErrors().size(), 1u);
    EXPECT_NE(Magnifier(), atOne);
    EXPECT_FALSE(form->StayOnTop());
}

TEST_F(MainSettingsTest, SettingsThatCannotBeStoredLaterAreToldOnceAndTheViewFollows) {
    Start();
    DeleteFileA(IniPath().c_str());
    CreateDirectoryA(IniPath().c_str(), nullptr); // a folder where the file belongs
    ChooseZoom(4);
    const std::vector<COLORREF> atFive = Magnifier();
    ChooseZoom(6);
    form->chkStayOnTop->SetChecked(false);
    ASSERT_EQ(test::ReportedErrors().size(), 1u);
    EXPECT_EQ(test::ReportedErrors()[0].rfind("Unable to write to " + IniPath(), 0), 0u)
        << test::ReportedErrors()[0];
    EXPECT_NE(Magnifier(), atFive);
    EXPECT_FALSE(form->StayOnTop());
    // Once the file can be written again, the next change is stored.
    RemoveDirectoryA(IniPath().c_str());
    ChooseZoom(1);
    EXPECT_EQ(test::ReadFileText(IniPath()), "[VTL]\r\nontop=1\r\nzoom=2\r\n");
    EXPECT_EQ(test::ReportedErrors().size(), 1u);
}

TEST_F(MainSettingsTest, SettingsFileThatCannotBeWrittenStartsOnDefaults) {
    CreateDirectoryA(test::DataFolder().c_str(), nullptr);
    CreateDirectoryA(IniPath().c_str(), nullptr); // a folder where the file belongs
    Start();
    ASSERT_EQ(test::ReportedErrors().size(), 1u);
    EXPECT_EQ(test::ReportedErrors()[0].rfind("Unable to write to " + IniPath(), 0), 0u)
        << test::ReportedErrors()[0];
    EXPECT_TRUE(form->chkStayOnTop->Checked());
    EXPECT_EQ(form->cboZoom->ItemIndex(), 0);
}

} // namespace
} // namespace vtl
