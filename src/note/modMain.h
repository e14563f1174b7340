#pragma once
// Program-wide helpers of the note: hit testing, coordinate rounding and the
// narrow text copies handed to the menu functions.
#include <cstdint>
#include <memory>
#include <string_view>

// A rectangle in client pixels; all four bounds count as inside for hit tests.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The id of the last menu command taken; 0 until the first.
extern std::int16_t MenuChoiceID;

bool IsPointInRect(std::int16_t x, std::int16_t y, const Rect& rect);

// The nearest 16-bit integer, halves to even; out-of-range values clamp.
std::int16_t ToNearestInt16(double value);

// A zero-terminated, writable copy of a narrow text that lives as long as the
// returned pointer: the system's menu calls read it through a non-const pointer.
std::unique_ptr<char[]> AnsiStrAddress(std::string_view text);
