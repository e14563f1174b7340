#pragma once
// The text of a string value as read from the registry: the characters before
// the first NUL, or the whole buffer when it holds none.
#include <string>
#include <string_view>

namespace modRegistry {

std::string RegBufferToText(std::string_view buffer);

}  // namespace modRegistry
