#include "note/recovery_rules.h"

#include <algorithm>
#include <cwchar>
#include <map>

#include "textfile/txt_rules.h"

namespace recovery {

namespace {

constexpr std::wstring_view kPrefix = L"note-", kClaimed = L"-claimed.txt", kCopy = L".txt", kTemporary = L".tmp";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v'; }

// Decimal for the process id, upper-case hex for the start time.
std::optional<std::uint64_t> Number(std::wstring_view digits, int base, size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    std::uint64_t value = 0;
    for (const wchar_t c : digits) {
        unsigned digit;
        if (c >= L'0' && c <= L'9') digit = static_cast<unsigned>(c - L'0');
        else if (base == 16 && c >= L'A' && c <= L'F') digit = static_cast<unsigned>(c - L'A' + 10);
        else return std::nullopt;
        value = value * static_cast<unsigned>(base) + digit;
    }
    return value;
}

}  // namespace

std::wstring NameOf(const FileName& file) {
    wchar_t owner[40];
    std::swprintf(owner, 40, L"%lu-%016llX", static_cast<unsigned long>(file.owner.pid),
                  static_cast<unsigned long long>(file.owner.started));
    const std::wstring_view ending =
        file.kind == FileKind::Copy ? kCopy : file.kind == FileKind::Claimed ? kClaimed : kTemporary;
    return std::wstring(kPrefix) + owner + std::wstring(ending);
}

std::optional<FileName> ParseName(std::wstring_view name) {
    const std::wstring_view whole = name;
    if (!name.starts_with(kPrefix)) return std::nullopt;
    name.remove_prefix(kPrefix.size());
    FileName file;
    if (name.ends_with(kClaimed)) {
        file.kind = FileKind::Claimed;
        name.remove_suffix(kClaimed.size());
    } else if (name.ends_with(kCopy)) {
        name.remove_suffix(kCopy.size());
    } else if (name.ends_with(kTemporary)) {
        file.kind = FileKind::Temporary;
        name.remove_suffix(kTemporary.size());
    } else {
        return std::nullopt;
    }
    const size_t dash = name.find(L'-');
    if (dash == std::wstring_view::npos) return std::nullopt;
    const auto pid = Number(name.substr(0, dash), 10, 10);
    const auto started = Number(name.substr(dash + 1), 16, 16);
    if (!pid || *pid > 0xFFFFFFFFu || !started) return std::nullopt;
    file.owner = {static_cast<std::uint32_t>(*pid), *started};
    // Only the program's own spelling: "note-01-..." names no file it made.
    if (NameOf(file) != whole) return std::nullopt;
    return file;
}

Sorted SortFolder(const std::vector<Found>& files, const std::function<bool(const Owner&)>& running) {
    std::map<std::pair<std::uint32_t, std::uint64_t>, bool> asked;
    const auto gone = [&](const Owner& owner) {
        const auto key = std::make_pair(owner.pid, owner.started);
        const auto at = asked.find(key);
        return !(at != asked.end() ? at->second : asked.emplace(key, running(owner)).first->second);
    };
    Sorted sorted;
    for (const Found& found : files) {
        const auto file = ParseName(found.name);
        if (!file || !gone(file->owner)) continue;
        if (file->kind == FileKind::Temporary) sorted.leftover.push_back(found.name);
        else sorted.offers.push_back(found);
    }
    std::sort(sorted.offers.begin(), sorted.offers.end(), [](const Found& a, const Found& b) {
        return a.written != b.written ? a.written > b.written : a.name < b.name;
    });
    return sorted;
}

unsigned DelayBeforeWrite(std::uint64_t msSinceFirstUnkeptChange) {
    if (msSinceFirstUnkeptChange >= kLongestWaitMs) return 0;
    return static_cast<unsigned>(std::min<std::uint64_t>(kPauseMs, kLongestWaitMs - msSinceFirstUnkeptChange));
}

bool CopyBytes(std::wstring_view text, AppendUtf8 append, std::string& bytes) noexcept {
    try {
        bytes.assign(txt::kUtf8Bom);
        if (append(text, bytes) && (bytes.size() == txt::kUtf8Bom.size()) == text.empty()) return true;
    } catch (...) {  // out of memory, or longer than a string holds
    }
    bytes.clear();
    return false;
}

std::wstring FirstWords(std::wstring_view text, size_t maxChars) {
    std::wstring line;
    bool blank = false;
    for (const wchar_t c : text) {
        if (IsBlank(c)) {
            blank = !line.empty();
            continue;
        }
        if (blank) line += L' ';
        blank = false;
        line += c;
        if (line.size() > maxChars) break;
    }
    if (line.size() <= maxChars) return line;
    // Cut after the last whole word that fits; a single long word is cut where it must be.
    const size_t space = line.rfind(L' ', maxChars);
    line.resize(space != std::wstring::npos && space > 0 ? space : maxChars);
    return line + L"...";
}

}  // namespace recovery
