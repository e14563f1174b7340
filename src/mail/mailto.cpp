#include "mail/mailto.h"

namespace mailto {

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// RFC 6068 section 2: in <to>, "%", the gen-delims other than "@" and ":", and
// "&", ";", "=" must be encoded; the other sub-delims may stay.
bool IsAddressChar(unsigned char c) {
    if (IsUnreserved(c)) return true;
    switch (c) {
    case '!': case '$': case '\'': case '(': case ')': case '*': case '+': case ',': case ':': case '@':
        return true;
    }
    return false;
}

// RFC 6068 qchar = unreserved / pct-encoded / some-delims.
bool IsQChar(unsigned char c) {
    if (IsUnreserved(c)) return true;
    switch (c) {
    case '!': case '$': case '\'': case '(': case ')': case '*': case '+': case ',': case ';': case ':': case '@':
        return true;
    }
    return false;
}

template <typename Keep>
std::string Encode(std::string_view text, Keep keep) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (keep(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

template <typename Char>
std::basic_string<Char> AfterLastBackslash(std::basic_string_view<Char> path) {
    const size_t slash = path.find_last_of(Char('\\'));
    return std::basic_string<Char>(slash == std::basic_string_view<Char>::npos ? path : path.substr(slash + 1));
}

}  // namespace

std::string EncodeAddresses(std::string_view utf8) { return Encode(utf8, IsAddressChar); }

std::string EncodeHeaderValue(std::string_view utf8) { return Encode(utf8, IsQChar); }

std::string BuildUrl(const MailFields& f) {
    std::string params;
    auto add = [&params](std::string_view name, const std::string& value) {
        if (value.empty()) return;  // no entry is ever sent with an empty value
        params += '&';
        params += name;
        params += '=';
        params += EncodeHeaderValue(value);
    };
    add("CC", f.cc);
    add("BCC", f.bcc);
    add("Subject", f.subject);
    add("Body", f.body);
    if (!f.attachment.empty()) {
        params += "&Attach=\"";
        params += EncodeHeaderValue(f.attachment);
        params += '"';
    }
    std::string url = "mailto:" + EncodeAddresses(f.to);
    if (!params.empty()) {
        params[0] = '?';
        url += params;
    }
    return url;
}

std::string FindActualFileName(std::string_view path) { return AfterLastBackslash(path); }
std::wstring FindActualFileName(std::wstring_view path) { return AfterLastBackslash(path); }

}  // namespace mailto
