#include "platform/desktop/Clipboard.hpp"

namespace zentrel::platform {

std::string prefixOfCharacters(const std::string& text, std::size_t maxCharacters) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        // A character starts at every byte that is not a continuation byte.
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && characters++ == maxCharacters) {
            return text.substr(0, at);
        }
    }
    return text;
}

}  // namespace zentrel::platform
