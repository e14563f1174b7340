#include <gtest/gtest.h>

#include <new>

#include "note/recovery_rules.h"

namespace {

using recovery::FileKind;

TEST(RecoveryNames, MadeAndReadBack) {
    const struct {
        const wchar_t* name;
        std::optional<recovery::FileName> file;
    } rows[] = {
        {L"note-1234-01DB2F3A4B5C6D7E.txt", recovery::FileName{{1234, 0x01DB2F3A4B5C6D7Eull}, FileKind::Copy}},
        {L"note-1234-01DB2F3A4B5C6D7E-claimed.txt", recovery::FileName{{1234, 0x01DB2F3A4B5C6D7Eull}, FileKind::Claimed}},
        {L"note-4294967295-FFFFFFFFFFFFFFFF.tmp", recovery::FileName{{0xFFFFFFFFu, ~0ull}, FileKind::Temporary}},
        {L"note-8-0000000000000001.txt", recovery::FileName{{8, 1}, FileKind::Copy}},
        // Names the program does not make are foreign files, left alone.
        {L"note-1234-01db2f3a4b5c6d7e.txt", std::nullopt},  // small hex digits
        {L"note-01234-01DB2F3A4B5C6D7E.txt", std::nullopt},  // leading zero
        {L"note-1234-1DB2F3A4B5C6D7E.txt", std::nullopt},    // 15 digits
        {L"note-4294967296-01DB2F3A4B5C6D7E.txt", std::nullopt},
        {L"note-1234-01DB2F3A4B5C6D7E.txt.bak", std::nullopt},
        {L"note--01DB2F3A4B5C6D7E.txt", std::nullopt},
        {L"note-1234.txt", std::nullopt},
        {L"Note-1234-01DB2F3A4B5C6D7E.txt", std::nullopt},
        {L"desktop.ini", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(recovery::ParseName(row.name), row.file) << testing::PrintToString(std::wstring(row.name));
        if (row.file) EXPECT_EQ(recovery::NameOf(*row.file), row.name);
    }
}

TEST(RecoveryFolder, OffersCopiesOfNotesThatAreGoneNewestFirst) {
    const recovery::Owner running{10, 500};
    const std::vector<recovery::Found> files{
        {L"note-10-00000000000001F4.txt", 900},          // a note that runs keeps its copy
        {L"note-11-0000000000000258.txt", 300},
        {L"note-12-00000000000002BC.txt", 100},
        {L"note-12-00000000000002BC-claimed.txt", 800},  // claimed by a note that ended while it asked
        {L"note-10-00000000000001F4.tmp", 950},
        {L"note-11-0000000000000258.tmp", 310},          // half written when its note ended
        {L"note-10-00000000000002BC.txt", 990},          // same id, other start: an earlier process
        {L"readme.txt", 999},
    };
    std::vector<recovery::Owner> asked;
    const recovery::Sorted sorted = recovery::SortFolder(files, [&](const recovery::Owner& owner) {
        asked.push_back(owner);
        return owner == running;
    });
    std::vector<std::wstring> offered;
    for (const auto& found : sorted.offers) offered.push_back(found.name);
    EXPECT_EQ(offered, (std::vector<std::wstring>{L"note-10-00000000000002BC.txt", L"note-12-00000000000002BC-claimed.txt",
                                                  L"note-11-0000000000000258.txt", L"note-12-00000000000002BC.txt"}));
    EXPECT_EQ(sorted.leftover, std::vector<std::wstring>{L"note-11-0000000000000258.tmp"});
    EXPECT_EQ(asked.size(), 4u) << "each owner is asked about once";
}

TEST(RecoveryTiming, WritesAfterAPauseAndAtLeastEveryThirtySeconds) {
    const struct {
        std::uint64_t sinceFirst;
        unsigned delay;
    } rows[] = {{0, 2000}, {1000, 2000}, {27999, 2000}, {28000, 2000}, {29000, 1000}, {29999, 1}, {30000, 0}, {90000, 0}};
    for (const auto& row : rows) EXPECT_EQ(recovery::DelayBeforeWrite(row.sinceFirst), row.delay) << row.sinceFirst;
}

TEST(RecoveryOffer, ShowsTheFirstWordsOnOneLine) {
    const struct {
        const wchar_t* text;
        size_t max;
        const wchar_t* shown;
    } rows[] = {
        {L"Buy milk", 60, L"Buy milk"},
        {L"  Buy\r\n\r\n milk\t\tand eggs \r\n", 60, L"Buy milk and eggs"},
        {L"one two three four", 12, L"one two..."},
        {L"one two three", 13, L"one two three"},
        {L"Donaudampfschifffahrt", 8, L"Donaudam..."},
        {L"\r\n\r\n", 60, L""},
    };
    for (const auto& row : rows) EXPECT_EQ(recovery::FirstWords(row.text, row.max), row.shown);
}

// Mended: a conversion that failed left a copy holding only its mark, reported as written.
TEST(RecoveryCopyBytes, AFailedConversionIsAFailedWrite) {
    // Stand-ins for the system's conversion: ASCII as it is, a failure, nothing, and memory running out.
    const auto ascii = [](std::wstring_view text, std::string& out) {
        for (const wchar_t c : text) out.push_back(static_cast<char>(c));
        return true;
    };
    const struct {
        const wchar_t* text;
        recovery::AppendUtf8 append;
        std::optional<std::string> bytes;
    } rows[] = {
        {L"Buy milk", ascii, "\xEF\xBB\xBF" "Buy milk"},
        {L"", ascii, "\xEF\xBB\xBF"},
        {L"Buy milk", [](std::wstring_view, std::string&) { return false; }, std::nullopt},
        {L"Buy milk", [](std::wstring_view, std::string&) { return true; }, std::nullopt},
        {L"Buy milk", [](std::wstring_view, std::string&) -> bool { throw std::bad_alloc(); }, std::nullopt},
    };
    std::string bytes = "what the last copy held";
    for (const auto& row : rows) {
        EXPECT_EQ(recovery::CopyBytes(row.text, row.append, bytes), row.bytes.has_value());
        EXPECT_EQ(bytes, row.bytes.value_or(""));
    }
}

}  // namespace
