#pragma once
// The e-mail composer's "mailto:" URL (RFC 6068) and the file-name rule of its
// attachment, free of window handles.
#include <cstddef>
#include <string>
#include <string_view>

namespace mailto {

// The texts of the composer's boxes, in UTF-8.
struct MailFields {
    std::string to, cc, bcc, subject, body, attachment;
};

// Percent-encoding of UTF-8 text for one position of the URL: every byte
// outside the characters RFC 6068 leaves unencoded there becomes "%XX"
// (upper-case hex), so CR LF becomes "%0D%0A".
// The address list after "mailto:": unreserved characters, "@", ",", ":" and
// the sub-delimiters other than "&", ";" and "=" stay readable.
std::string EncodeAddresses(std::string_view utf8);
// A header value ("qchar"): unreserved characters and ! $ ' ( ) * + , ; : @ stay readable.
std::string EncodeHeaderValue(std::string_view utf8);

// "mailto:" + To, then "?"-joined CC, BCC, Subject, Body and Attach entries,
// each only when its box is not empty, every value percent-encoded; the
// attachment path stands between double quotes. Plain values stay readable:
// To "T", subject "S", body "B" give mailto:T?Subject=S&Body=B.
std::string BuildUrl(const MailFields& fields);

// The file-name part of a path: the characters after its last backslash
// (empty when the path ends with one); a path without a backslash is its own name.
std::string FindActualFileName(std::string_view path);
std::wstring FindActualFileName(std::wstring_view path);

// The longest URL handed to the shell. Windows: mail programs commonly cut
// URLs past 2 048 characters. Wine 8 (measured): the shell crashes the caller
// for URLs of 997 characters or more, fails at 996, and cuts the handler's
// command line (its registered command with "%1" replaced) after 1 023
// characters, so a URL fits when it is at most 1 025 minus the command's
// length; Wine keeps at most 255 characters of that command, so 770 fit every
// handler it can start, and the limit keeps a small margin below that.
inline constexpr std::size_t kWindowsUrlLimit = 2048;
inline constexpr std::size_t kWineUrlLimit = 768;
constexpr std::size_t UrlLimit(bool underWine) { return underWine ? kWineUrlLimit : kWindowsUrlLimit; }

}  // namespace mailto
