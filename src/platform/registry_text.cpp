#include "platform/registry_text.h"

namespace modRegistry {

std::string RegBufferToText(std::string_view buffer) {
    return std::string(buffer.substr(0, buffer.find('\0')));
}

}  // namespace modRegistry
