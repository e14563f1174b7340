#pragma once
// Handle-free rules of the text-file window: the ".txt" name rule, and how the
// note's text is encoded in the files it writes and read from the files it opens.
#include <string>
#include <string_view>

namespace txt {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
inline constexpr std::string_view kUtf16BEBom = "\xFE\xFF";
inline constexpr std::string_view kUtf32LEBom{"\xFF\xFE\0\0", 4};
inline constexpr std::string_view kUtf32BEBom{"\0\0\xFE\xFF", 4};

// True when the last three characters, turned to lower case, are "txt"
// ("README.TXT", "mytxt"); a name shorter than three characters never is.
bool EndsInTxt(std::string_view name);
// The save click's name rule: ".txt" is appended unless the name ends in "txt".
std::string WithTxtEnding(std::string_view name);

// True when the path's last name is one Windows keeps for a device: "con",
// "prn", "aux", "nul", "com1" to "com9" and "lpt1" to "lpt9" (also with the
// superscript digits one to three), "conin$" and "conout$", in any letter case,
// with or without an extension or trailing blanks. Opening or writing such a
// name reaches the device, never a file.
bool NamesDevice(std::u16string_view path);

bool StartsWithUtf8Bom(std::string_view bytes);

// How a text file's bytes are read: a byte-order mark decides (UTF-32's
// before UTF-16's, whose mark starts it); without one, bytes that are valid
// UTF-8 and hold at least one multi-byte sequence are UTF-8 (as most editors
// write today); anything else is ANSI. UTF-16 without a mark is not guessed.
enum class FileEncoding { Ansi, Utf8Bom, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE };
FileEncoding DetectEncoding(std::string_view bytes);
// The mark the encoding's files start with; empty for Ansi and Utf8.
std::string_view BomOf(FileEncoding encoding);
bool IsAscii(std::string_view bytes);

// The 16-bit units of UTF-16 bytes (without their mark) in the given byte
// order. A last odd byte is half a unit: it reads as U+FFFD, so the loss shows.
std::u16string Utf16Units(std::string_view bytes, bool bigEndian);
std::string Utf16Bytes(std::u16string_view units, bool bigEndian);
// UTF-32 the same way: a cut last unit reads as U+FFFD, and so does a value
// above U+10FFFF. A lone surrogate goes out and comes back as itself.
std::u16string Utf32Units(std::string_view bytes, bool bigEndian);
std::string Utf32Bytes(std::u16string_view units, bool bigEndian);
// UTF-8 without the system: each broken sequence reads as one U+FFFD, and a
// lone surrogate, which UTF-8 cannot hold, goes out as U+FFFD (as Windows does).
std::u16string Utf8Units(std::string_view bytes);
std::string Utf8Bytes(std::u16string_view units);
// Utf8Bytes after what `out` holds, grown by just its length. Runs of ASCII,
// most of a note, are copied four units at a time, an ASCII text in one pass:
// a fraction of the system's conversion.
void AppendUtf8(std::u16string_view units, std::string& out);
size_t Utf8Length(std::u16string_view units);  // of Utf8Bytes
// A surrogate without its other half: what UTF-8 and the ANSI code pages cannot hold.
bool HasLoneSurrogate(std::u16string_view units);

// What the note's ANSI bytes would do in the file being written: none, when a
// character has no ANSI form; or whether the file, read by the open rule,
// then gives back exactly the text written.
enum class AnsiForm { None, ReadsBack, ReadsOtherwise };

// A new or overwritten file of no other encoding: the ANSI bytes when they
// read back as the text written, else UTF-8 behind a byte-order mark, so
// nothing turns into "?" and no ANSI text is taken for UTF-8.
enum class WriteEncoding { Ansi, Utf8WithBom };
WriteEncoding ChooseWriteEncoding(AnsiForm ansi);

// Appending keeps the encoding the file already has (DetectEncoding of its
// bytes), never with a second mark. An ANSI file takes the ANSI bytes when the
// whole file then reads back as its old text followed by the note's; a file of
// ASCII alone, which reads the same as ANSI and as UTF-8, takes UTF-8 when the
// ANSI bytes would not; any other ANSI file is refused. A UTF-16 or UTF-32
// file that ends inside a unit is refused as broken: all that followed would
// read as other characters. An empty file is written as a new one.
enum class AppendEncoding { Ansi, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE, AsNewFile, Refuse, Broken };
AppendEncoding ChooseAppendEncoding(std::string_view fileBytes, AnsiForm ansi);

}  // namespace txt
