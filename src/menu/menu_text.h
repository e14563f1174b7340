#pragma once
// Captions handed to the system's menu calls.
#include <memory>
#include <string_view>

namespace modCBMenus {

// A zero-terminated, writable copy of a narrow text that lives as long as the
// returned pointer: the system's menu calls read it through a non-const pointer.
std::unique_ptr<char[]> AnsiStrAddress(std::string_view text);

}  // namespace modCBMenus
