#pragma once
// The accessibility tree of other applications as the typing integration
// reads and writes it: the focused element, string attributes, setting a
// field's value, the frontmost application and secure input. Every error
// reads as an absent value. Attribute names are the typing integration's
// own ("AXFocusedUIElement", "AXRole", "AXTitle", "AXValue", ...); the AT-SPI
// backend translates them. `NoAccessibilityElements` answers nothing; tests
// build a tree of their own.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zentrel::platform {

// An element of some application's tree; its meaning is the backend's.
struct AccessibilityElement {
    std::uint64_t handle = 0;
    bool operator==(const AccessibilityElement&) const = default;
};

// An attribute's value: a plain string, an attributed string (its text), a
// list, another element, or something else.
struct AttributedText {
    std::string text;
    bool operator==(const AttributedText&) const = default;
};
struct OtherValue {
    bool operator==(const OtherValue&) const = default;
};
using AccessibilityValue =
    std::variant<std::string, AttributedText, std::vector<std::string>, AccessibilityElement, OtherValue>;

struct FrontmostApplication {
    std::optional<std::string> bundleIdentifier;
    std::int64_t processID = 0;
    // Its toolkit reads keys through the input-method framework (InputMethodClients).
    bool readsKeysThroughInputMethod = false;
};

class AccessibilityElements {
public:
    virtual ~AccessibilityElements() = default;
    [[nodiscard]] virtual AccessibilityElement systemWide() const = 0;
    [[nodiscard]] virtual AccessibilityElement application(std::int64_t processID) const = 0;
    [[nodiscard]] virtual std::optional<AccessibilityValue> attribute(AccessibilityElement element,
                                                                      const std::string& name) const = 0;
    // True when the value was set.
    virtual bool setStringAttribute(AccessibilityElement element, const std::string& name,
                                    const std::string& value) = 0;
    [[nodiscard]] virtual std::optional<FrontmostApplication> frontmostApplication() const = 0;
    [[nodiscard]] virtual bool isSecureEventInputEnabled() const = 0;
};

class NoAccessibilityElements final : public AccessibilityElements {
public:
    [[nodiscard]] AccessibilityElement systemWide() const override { return {}; }
    [[nodiscard]] AccessibilityElement application(std::int64_t) const override { return {}; }
    [[nodiscard]] std::optional<AccessibilityValue> attribute(AccessibilityElement, const std::string&) const override {
        return std::nullopt;
    }
    bool setStringAttribute(AccessibilityElement, const std::string&, const std::string&) override { return false; }
    [[nodiscard]] std::optional<FrontmostApplication> frontmostApplication() const override { return std::nullopt; }
    [[nodiscard]] bool isSecureEventInputEnabled() const override { return false; }
};

}  // namespace zentrel::platform
