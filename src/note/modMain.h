#pragma once
// Program-wide helpers of the note: hit testing and coordinate rounding.
#include <cstdint>

// A rectangle in client pixels; all four bounds count as inside for hit tests.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

namespace modMain {

// The id of the last menu command taken; 0 until the first.
extern std::int16_t MenuChoiceID;

bool IsPointInRect(std::int16_t x, std::int16_t y, const Rect& rect);

// The nearest 16-bit integer, halves to even; out-of-range values clamp.
std::int16_t ToNearestInt16(double value);

}  // namespace modMain
