#pragma once
// Handle-free rules of the note's recovery copies: what the files in the
// recovery folder are called, which of them wait to be offered back and in
// what order, when a copy is written, and how it is shown in the offer.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace recovery {

// A running note: its process id and the process's start time (a FILETIME's
// 100-nanosecond count), so that a later process with the same id is never
// taken for it.
struct Owner {
    std::uint32_t pid = 0;
    std::uint64_t started = 0;
    bool operator==(const Owner&) const = default;
};

// Copy: the note's text. Claimed: a copy of a note that is gone, taken by the
// owner named while it asks whether to put it in. Temporary: a copy being written.
enum class FileKind { Copy, Claimed, Temporary };

struct FileName {
    Owner owner;
    FileKind kind = FileKind::Copy;
    bool operator==(const FileName&) const = default;
};

// "note-1234-01DB2F3A4B5C6D7E.txt", "note-1234-01DB2F3A4B5C6D7E-claimed.txt",
// "note-1234-01DB2F3A4B5C6D7E.tmp".
std::wstring NameOf(const FileName& file);
// The file a name stands for; nothing for names the program does not make.
std::optional<FileName> ParseName(std::wstring_view name);

struct Found {
    std::wstring name;
    std::uint64_t written = 0;  // last write time, as a FILETIME's count
};

struct Sorted {
    std::vector<Found> offers;           // copies and claimed copies of notes that are gone, newest first
    std::vector<std::wstring> leftover;  // temporary files of notes that are gone
};
// Sorts a folder's files; `running` tells whether an owner still runs, and is
// asked once per owner. Files of running notes and foreign files are left alone.
Sorted SortFolder(const std::vector<Found>& files, const std::function<bool(const Owner&)>& running);

// How long after a change the copy is written: two seconds after the last
// change, but no later than 30 seconds after the first change not yet kept.
inline constexpr unsigned kPauseMs = 2000, kLongestWaitMs = 30000;
unsigned DelayBeforeWrite(std::uint64_t msSinceFirstUnkeptChange);

// Appends the UTF-8 form of `text` to `out`; false when the conversion failed.
using AppendUtf8 = bool (*)(std::wstring_view text, std::string& out);
// A copy's bytes into `bytes`, whose room is used again: the UTF-8 mark and the
// text in UTF-8. False, and `bytes` empty, when they would not hold the text
// (the conversion failed or gave nothing, or memory ran out), so that such a
// write fails rather than keep the mark alone as the note's text.
bool CopyBytes(std::wstring_view text, AppendUtf8 append, std::string& bytes) noexcept;

// The first words of a text on one line, for the offer: runs of blanks and
// line breaks become one blank, and a text longer than `maxChars` is cut
// after a whole word with "..." added.
std::wstring FirstWords(std::wstring_view text, size_t maxChars = 60);

}  // namespace recovery
