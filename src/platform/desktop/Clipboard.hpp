#pragma once
// The general clipboard's plain text. Touched on the main thread only.

#include <optional>
#include <string>

namespace zentrel::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The first non-empty plain text on the clipboard; none when there is none.
    [[nodiscard]] virtual std::optional<std::string> text() const = 0;
    virtual void clear() = 0;
    virtual void setText(const std::string& text) = 0;
};

// The first `maxCharacters` characters (code points) of UTF-8 text.
[[nodiscard]] std::string prefixOfCharacters(const std::string& text, std::size_t maxCharacters);

}  // namespace zentrel::platform
