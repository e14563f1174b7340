// The file search object against real folders of the Wine prefix.
#include <gtest/gtest.h>

#include <set>

#include "support/dialog_script.h"
#include "support/readers.h"
#include "textfile/clsFindFile.h"
#include "textfile/ole_date.h"
#include "textfile/textfile_support.h"

namespace {

using testsupport::WriteBytes;

class FindFileTest : public testing::Test {
protected:
    void SetUp() override {
        WriteBytes(folder / "b note.txt", "b");
        WriteBytes(folder / "README.TXT", "r");
        WriteBytes(folder / "a.txtx", "x");
        WriteBytes(folder / "other.doc", "d");
        CreateDirectoryA((folder / "old.txt").c_str(), nullptr);
    }
    std::string Pattern(const char* p) const { return folder / p; }

    tf::TestFolder folder{"find"};
    clsFindFile find;
};

// Every name of one search, with whether it is a folder.
std::set<std::pair<std::string, bool>> AllOf(clsFindFile& find, const std::string& pattern) {
    std::set<std::pair<std::string, bool>> names;
    for (std::string name = find.Find(pattern, false); !name.empty(); name = find.FindNext())
        names.insert({name, (find.FileAttributes() & FILE_ATTRIBUTE_DIRECTORY) != 0});
    return names;
}

TEST_F(FindFileTest, WithNoSearchOpenEveryReaderGivesNothing) {
    DialogScript boxes({}, DialogScript::Press(IDOK));
    EXPECT_EQ(find.NormalAttribute(), 128u);
    EXPECT_EQ(find.FindNext(), "");
    EXPECT_EQ(find.FileAttributes(), 0u);
    EXPECT_FALSE(find.IsCompressed());
    EXPECT_EQ(find.GetShortName(), "");
    DATE date = 7, time = 8;
    EXPECT_EQ(find.GetCreationDate(date, time), "");
    EXPECT_EQ(find.GetLastAccessDate(date, time), "");
    EXPECT_EQ(find.GetLastWriteDate(date, time), "");
    EXPECT_EQ(date, 7);
    EXPECT_EQ(time, 8);
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FindFileTest, ListsEveryEntryThenClosesTheSearch) {
    const auto txt = AllOf(find, Pattern("*.txt"));
    // The caller tells folders apart by their attribute; what the system's
    // pattern matching adds beyond "*.txt" (such as "a.txtx") is the caller's to drop.
    EXPECT_TRUE(txt.count({"b note.txt", false}));
    EXPECT_TRUE(txt.count({"README.TXT", false}));
    EXPECT_TRUE(txt.count({"old.txt", true}));
    EXPECT_FALSE(txt.count({"other.doc", false}));

    const auto all = AllOf(find, Pattern("*"));
    EXPECT_TRUE(all.count({".", true}));
    EXPECT_TRUE(all.count({"a.txtx", false}));
    EXPECT_EQ(all.size(), 7u);

    EXPECT_EQ(find.FindNext(), "");  // ran off its end: closed
    EXPECT_EQ(find.FindNext(), "");
    EXPECT_EQ(find.FileAttributes(), 0u);
    EXPECT_EQ(find.GetShortName(), "");
}

TEST_F(FindFileTest, ShortNames) {
    EXPECT_EQ(find.Find(Pattern("README.TXT"), false), "README.TXT");
    EXPECT_EQ(find.GetShortName(), "README.TXT");  // already a short name: the system gives none of its own
    EXPECT_NE(find.FileAttributes() & FILE_ATTRIBUTE_ARCHIVE, 0u);
    EXPECT_EQ(find.Find(Pattern("b note.txt"), false), "b note.txt");
    const std::string shortName = find.GetShortName();
    EXPECT_FALSE(shortName.empty());
    EXPECT_LE(shortName.size(), 12u);
    EXPECT_EQ(shortName.find(' '), std::string::npos) << shortName;
}

TEST_F(FindFileTest, ANewSearchReplacesTheOpenOne) {
    struct Case {
        bool showError;
        int answer;
        const char* expected;  // what Find gives
        bool asked;
    };
    const Case cases[] = {
        {false, IDNO, "README.TXT", false},  // closes the old search without asking
        {true, IDYES, "README.TXT", true},
        {true, IDNO, "", true},  // the old search goes on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.showError << " " << c.answer);
        ASSERT_FALSE(find.Find(Pattern("*"), false).empty());
        const std::string second = find.FindNext();
        DialogScript boxes(DialogScript::Presses({c.answer}), DialogScript::Press(IDOK));
        EXPECT_EQ(find.Find(Pattern("README.TXT"), c.showError), c.expected);
        ASSERT_EQ(boxes.seen().size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(boxes.seen()[0].text, "Cancel the current search?");
            EXPECT_EQ(boxes.seen()[0].caption, "Scrivlet");
            EXPECT_EQ(boxes.seen()[0].flags, 36u);
            EXPECT_TRUE(boxes.seen()[0].hadButton);
        }
        if (*c.expected) {
            EXPECT_EQ(find.FindNext(), "");  // the new search had one entry
        } else {
            const std::string third = find.FindNext();
            EXPECT_FALSE(third.empty());
            EXPECT_NE(third, second);
        }
    }
}

TEST_F(FindFileTest, AFailedStartLeavesNoSearchOpen) {
    for (const bool showError : {false, true}) {
        for (const std::string& pattern : {Pattern("*.none"), std::string(tf::kRoot) + "\\gone\\*.txt"}) {
            ASSERT_FALSE(find.Find(Pattern("*"), false).empty());
            DialogScript boxes(DialogScript::Presses({IDYES}), DialogScript::Press(IDOK));  // yes, cancel the open search
            EXPECT_EQ(find.Find(pattern, showError), "");
            EXPECT_EQ(find.FindNext(), "");
            EXPECT_EQ(find.FileAttributes(), 0u);
            ASSERT_EQ(boxes.seen().size(), showError ? 2u : 0u) << pattern;
            if (showError) {
                EXPECT_EQ(boxes.seen()[1].text, pattern + " could not be found!");
                EXPECT_EQ(boxes.seen()[1].caption, "Scrivlet");
                EXPECT_EQ(boxes.seen()[1].flags, 48u);
                EXPECT_TRUE(boxes.seen()[1].hadButton);
            }
        }
    }
}

TEST_F(FindFileTest, TimeStampsInLocalTime) {
    // 5 March 2004, 14:07:09.250 local time.
    const SYSTEMTIME local{2004, 3, 5, 5, 14, 7, 9, 250};
    FILETIME localStamp{}, stamp{};
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localStamp));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localStamp, &stamp));
    {
        const HANDLE file = CreateFileA((folder / "README.TXT").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(SetFileTime(file, nullptr, &stamp, &stamp));
        CloseHandle(file);
    }
    ASSERT_EQ(find.Find(Pattern("README.TXT"), false), "README.TXT");
    DATE date = 0, time = 0;
    EXPECT_EQ(find.GetLastWriteDate(date, time), "3/5/04 2:07:09 PM");  // milliseconds dropped
    EXPECT_EQ(date, oledate::DateSerial(2004, 3, 5));
    EXPECT_EQ(date, 38051.0);
    EXPECT_DOUBLE_EQ(time, (14 * 3600 + 7 * 60 + 9) / 86400.0);
    date = time = 0;
    EXPECT_EQ(find.GetLastAccessDate(date, time), "3/5/04 2:07:09 PM");
    EXPECT_EQ(date, 38051.0);

    find.DateFormat("d/m/yy h:nn");
    EXPECT_EQ(find.GetLastWriteDate(date, time), "5/3/04 14:07");  // no AM/PM: 24 hours
    EXPECT_FALSE(find.GetCreationDate(date, time).empty());
}

TEST_F(FindFileTest, AStampTheFileSystemDoesNotKeepIsUnknown) {
    // A time within the first minutes of 1601 has a zero high half; tmpfs keeps it as given.
    if (GetDriveTypeA("T:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no T: drive (drives.sh)";
    tf::TestFolder early("early", "T:");
    WriteBytes(early / "old.txt", "x");
    const FILETIME zeroHigh{600000000, 0}, later{0, 30000000};
    const HANDLE file =
        CreateFileA((early / "old.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, &zeroHigh, &later));
    CloseHandle(file);
    ASSERT_EQ(find.Find(early / "old.txt", false), "old.txt");
    DATE date = 7, time = 8;
    EXPECT_EQ(find.GetLastAccessDate(date, time), "Unknown");
    find.UnknownDateText("not kept");
    EXPECT_EQ(find.GetLastAccessDate(date, time), "not kept");
    EXPECT_EQ(date, 7);
    EXPECT_EQ(time, 8);
    EXPECT_NE(find.GetLastWriteDate(date, time), "not kept");
}

}  // namespace
