#pragma once
// The six note colours, shared by the background and text submenus.
#include <cstdint>
#include <optional>
#include <string_view>

using ColorRef = std::uint32_t;  // 0x00BBGGRR

constexpr int kFirstBackColorId = 201, kLastBackColorId = 206;
constexpr int kFirstForeColorId = 2201, kLastForeColorId = 2206;
constexpr int kDefaultBackColorId = 206;  // black
constexpr int kDefaultForeColorId = 2205;  // white

namespace note {

// The colour of a background (201-206) or text (2201-2206) id; black for any other id.
ColorRef ColorOfMenuId(int id);

// A stored colour id: decimal 32-bit integer text, else nothing.
std::optional<std::int32_t> ParseColorId(std::string_view text);

}  // namespace note
