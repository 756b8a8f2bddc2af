#pragma once
// Writes the focused text field's value directly, replacing the word shown
// before the caret, for applications whose fields take no synthetic keys.
// When the writer declines (`NoFocusedTextWriter` always does), the bridge
// erases and types instead.

#include <string>

namespace zentrel::typing {

class FocusedTextWriter {
public:
    virtual ~FocusedTextWriter() = default;
    // True when the field now shows `target` where it showed `displayed`.
    [[nodiscard]] virtual bool replaceFocusedValue(const std::string& displayed, const std::string& target) = 0;
};

class NoFocusedTextWriter final : public FocusedTextWriter {
public:
    [[nodiscard]] bool replaceFocusedValue(const std::string&, const std::string&) override { return false; }
};

}  // namespace zentrel::typing
