// The real folder dialog, driven from a second thread while this thread runs it.
#include <gtest/gtest.h>

#include "support/dialog_driver.h"
#include "textfile/modBrowser.h"
#include "textfile/textfile_support.h"

namespace {

constexpr char kTitle[] = "Please select a folder.";

bool HasText(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(BrowseForFolder, GivesTheChosenFolder) {
    tf::TestFolder folder("picked folder");
    auto driver = DialogDriver::ChooseFolder(folder.path(), "picked folder");
    EXPECT_EQ(modBrowser::BrowseForFolder(nullptr, kTitle), folder.path());  // no trailing backslash
    const auto seen = driver.Finish();
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.selected);
    EXPECT_TRUE(HasText(seen.texts, kTitle));
}

TEST(BrowseForFolder, ADriveRootKeepsItsBackslash) {
    auto driver = DialogDriver::ChooseFolder("C:\\", tf::DisplayName("C:\\"));
    EXPECT_EQ(modBrowser::BrowseForFolder(nullptr, kTitle), "C:\\");
    EXPECT_TRUE(driver.Finish().selected);
}

TEST(BrowseForFolder, CancelGivesNothing) {
    auto driver = DialogDriver::CancelFolder();
    EXPECT_EQ(modBrowser::BrowseForFolder(nullptr, kTitle), "");
    EXPECT_TRUE(driver.Finish().found);
}

TEST(BrowseForFolder, AnItemWithNoFileSystemPathGivesNothing) {
    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    {
        auto driver = DialogDriver::ChooseFolderItem(computer, tf::DisplayName(computer));
        EXPECT_EQ(modBrowser::BrowseForFolder(nullptr, kTitle), "");
        EXPECT_TRUE(driver.Finish().selected);
    }
    CoTaskMemFree(computer);
}

}  // namespace
