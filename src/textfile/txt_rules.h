#pragma once
// Handle-free rules of the text-file window: the ".txt" name rule, and how the
// note's text is encoded in the files it writes and read from the files it opens.
#include <string>
#include <string_view>

namespace txt {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
inline constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

// True when the last three characters, turned to lower case, are "txt"
// ("README.TXT", "mytxt"); a name shorter than three characters never is.
bool EndsInTxt(std::string_view name);
// The save click's name rule: ".txt" is appended unless the name ends in "txt".
std::string WithTxtEnding(std::string_view name);

bool StartsWithUtf8Bom(std::string_view bytes);

// How a text file's bytes are read: a byte-order mark decides; without one,
// bytes that are valid UTF-8 and hold at least one multi-byte sequence are
// UTF-8 (as most editors write today); anything else is ANSI. UTF-16 without
// a mark is not guessed.
enum class FileEncoding { Ansi, Utf8Bom, Utf8, Utf16LE, Utf16BE };
FileEncoding DetectEncoding(std::string_view bytes);
// The mark the encoding's files start with; empty for Ansi and Utf8.
std::string_view BomOf(FileEncoding encoding);

// The 16-bit units of UTF-16 bytes (without their mark) in the given byte
// order. A last odd byte is half a unit: it reads as U+FFFD, so the loss shows.
std::u16string Utf16Units(std::string_view bytes, bool bigEndian);
std::string Utf16Bytes(std::u16string_view units, bool bigEndian);

// A new or overwritten file: plain ANSI bytes when every character of the
// note has an ANSI form, else UTF-8 behind a byte-order mark, so nothing turns
// into "?".
enum class WriteEncoding { Ansi, Utf8WithBom };
WriteEncoding ChooseWriteEncoding(bool fitsAnsi);

// Appending keeps the encoding the file already has (DetectEncoding of its
// bytes), never with a second mark; an ANSI file that would lose characters is
// refused. A UTF-16 file that ends inside a unit is refused as broken: all
// that followed would read as other characters. An empty file is written as a
// new one.
enum class AppendEncoding { Ansi, Utf8, Utf16LE, Utf16BE, AsNewFile, Refuse, Broken };
AppendEncoding ChooseAppendEncoding(std::string_view fileBytes, bool fitsAnsi);

}  // namespace txt
