#include "note/note_colors.h"

#include <charconv>

namespace note {

namespace {
constexpr ColorRef kColors[6] = {0x00FFD3A9, 0x00CCFFAB, 0x00E2B0F8, 0x0000FFFF, 0x00FFFFFF, 0x00000000};
}

ColorRef ColorOfMenuId(int id) {
    if (id >= kFirstBackColorId && id <= kLastBackColorId) return kColors[id - kFirstBackColorId];
    if (id >= kFirstForeColorId && id <= kLastForeColorId) return kColors[id - kFirstForeColorId];
    return 0x00000000;
}

std::optional<std::int32_t> ParseColorId(std::string_view text) {
    std::int32_t value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first == last) return std::nullopt;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc{} || end != last) return std::nullopt;
    return value;
}

}  // namespace note
