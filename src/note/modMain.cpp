#include "note/modMain.h"

#include <cmath>
#include <cstring>

std::int16_t MenuChoiceID = 0;

bool IsPointInRect(std::int16_t x, std::int16_t y, const Rect& rect) {
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

std::int16_t ToNearestInt16(double value) {
    if (std::isnan(value)) return 0;
    if (value <= -32768.0) return -32768;
    if (value >= 32767.0) return 32767;
    return static_cast<std::int16_t>(std::nearbyint(value));  // default rounding: halves to even
}

std::unique_ptr<char[]> AnsiStrAddress(std::string_view text) {
    auto copy = std::make_unique<char[]>(text.size() + 1);
    if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}
