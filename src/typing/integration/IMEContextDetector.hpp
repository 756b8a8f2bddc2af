#pragma once
// Reads where the user is typing into an IMEContext, and rewrites the
// focused field's value for the direct delivery mode, both through the
// accessibility tree. Without access every read is absent and every write
// fails. The calls may block while the other application answers: they run
// on the accessibility worker's thread, never the window's.

#include "platform/accessibility/AccessibilityElements.hpp"
#include "typing/integration/FocusedTextWriter.hpp"
#include "typing/integration/IMEContext.hpp"

namespace zentrel::typing {

class IMEContextDetector final {
public:
    explicit IMEContextDetector(const platform::AccessibilityElements& elements) : elements_(elements) {}

    [[nodiscard]] IMEContext capture() const;

private:
    [[nodiscard]] std::optional<std::string> stringAttribute(platform::AccessibilityElement element,
                                                             const std::string& name) const;
    [[nodiscard]] std::optional<std::string> windowTitle(platform::AccessibilityElement application,
                                                         const std::string& windowAttribute) const;

    const platform::AccessibilityElements& elements_;
};

// The focused field's trailing word replaced by writing its value.
class AccessibilityTextWriter final : public FocusedTextWriter {
public:
    explicit AccessibilityTextWriter(platform::AccessibilityElements& elements) : elements_(elements) {}

    [[nodiscard]] bool replaceFocusedValue(const std::string& displayed, const std::string& target) override;

    // The field's new value: `current` with its trailing `displayed` word replaced by `target`.
    [[nodiscard]] static std::string replacedFieldValue(const std::string& current, const std::string& displayed,
                                                        const std::string& target);

private:
    platform::AccessibilityElements& elements_;
};

}  // namespace zentrel::typing
