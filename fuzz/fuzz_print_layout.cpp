// Laying a page of text out for the printer: lines in order, nothing lost or
// drawn twice, nothing wider than the page unless one character is.
#include "fuzz_input.h"
#include "platform/print/print_layout.h"

namespace {
int CharWidth(wchar_t c) { return 1 + static_cast<int>(c % 7); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int width = input.TakeInRange(-2, 120);
    const int height = input.TakeInRange(-2, 200);
    const int lineHeight = input.TakeInRange(-1, 30);
    const std::size_t first = static_cast<std::size_t>(input.TakeInRange(0, 64));
    const std::string raw = input.Rest();
    std::wstring text;
    for (const char c : raw) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c) % 4 == 0 ? L' ' : c));
    const print_layout::FitFunction fit = [](std::wstring_view run, int w) {
        std::size_t n = 0;
        int used = 0;
        while (n < run.size() && used + CharWidth(run[n]) <= w) used += CharWidth(run[n++]);
        return n;
    };
    const print_layout::PageLayout page = print_layout::LayOutPage(text, first, width, height, lineHeight, fit);
    const std::size_t start = first < text.size() ? first : text.size();
    FUZZ_CHECK(page.next >= start && page.next <= text.size());
    if (lineHeight > 0) FUZZ_CHECK(static_cast<long long>(page.lines.size()) * lineHeight <= (height > 0 ? height : 0));
    std::size_t previousEnd = start;
    for (const print_layout::PageLine& line : page.lines) {
        FUZZ_CHECK(line.start >= previousEnd && line.start + line.length <= page.next);
        int drawn = 0;
        for (std::size_t i = line.start; i < line.start + line.length; ++i) {
            FUZZ_CHECK(text[i] != L'\r' && text[i] != L'\n');
            drawn += CharWidth(text[i]);
        }
        FUZZ_CHECK(drawn <= width || line.length == 1);
        // Only blanks and line breaks may be skipped between lines.
        for (std::size_t i = previousEnd; i < line.start; ++i)
            FUZZ_CHECK(text[i] == L' ' || text[i] == L'\r' || text[i] == L'\n' || text[i] == L'\v' || text[i] == L'\f');
        previousEnd = line.start + line.length;
    }
    if (width > 0 && lineHeight > 0 && height >= lineHeight && start < text.size()) FUZZ_CHECK(page.next > start);
    return 0;
}
