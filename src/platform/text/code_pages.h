#pragma once
// What WideCharToMultiByte accepts for a code page: some code pages refuse the
// best-fit flag, and UTF-7 and UTF-8 refuse the "used default character" report.

namespace codepage {

inline constexpr unsigned kUtf7 = 65000;
inline constexpr unsigned kUtf8 = 65001;
inline constexpr unsigned kGb18030 = 54936;

struct NarrowingRule {
    bool noBestFit = false;        // WC_NO_BEST_FIT_CHARS may be passed
    bool errInvalidChars = false;  // WC_ERR_INVALID_CHARS may be passed (and tells of lost characters)
    bool reportsDefaultChar = false;  // lpUsedDefaultChar may be passed
};

// The flags and arguments a conversion into `codePage` may use.
NarrowingRule NarrowingRuleFor(unsigned codePage);

}  // namespace codepage
