#include "menu/menu_text.h"

#include <cstring>

namespace modCBMenus {

std::unique_ptr<char[]> AnsiStrAddress(std::string_view text) {
    auto copy = std::make_unique<char[]>(text.size() + 1);
    if (!text.empty()) std::memcpy(copy.get(), text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

}  // namespace modCBMenus
