#include "note/modMain.h"

#include <cmath>

namespace modMain {

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

}  // namespace modMain
