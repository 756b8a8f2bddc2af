#pragma once
// The accessibility tree of other applications through AT-SPI: the focused
// element of the frontmost application's active window, its role (in the
// names the typing integration matches: "AXTextField", "AXTextArea", ...),
// name, description, identifier, web "id" and "class" attributes, its text,
// and writing that text through the editable-text interface. A password
// field counts as secure input and is never written. Where the
// accessibility bus cannot be reached, everything reads absent.
//
// Handles are valid until the next `systemWide()`, which starts a new
// question. One thread only, the one that made it, and never the window's:
// calls block while the other application answers (a quarter of a second at
// most each).

#include "platform/accessibility/AccessibilityElements.hpp"

#include <functional>
#include <memory>

namespace zentrel::platform {

class AtspiAccessibilityElements final : public AccessibilityElements {
public:
    using FrontmostSource = std::function<std::optional<FrontmostApplication>()>;

    // `accessibilityBusReachable` says whether to ask AT-SPI at all;
    // `frontmost` names the frontmost application where the display knows
    // better (X11); otherwise the application with the active window counts.
    explicit AtspiAccessibilityElements(bool accessibilityBusReachable, FrontmostSource frontmost = {});
    ~AtspiAccessibilityElements() override;
    AtspiAccessibilityElements(const AtspiAccessibilityElements&) = delete;
    AtspiAccessibilityElements& operator=(const AtspiAccessibilityElements&) = delete;

    [[nodiscard]] AccessibilityElement systemWide() const override;
    [[nodiscard]] AccessibilityElement application(std::int64_t processID) const override;
    [[nodiscard]] std::optional<AccessibilityValue> attribute(AccessibilityElement element,
                                                              const std::string& name) const override;
    bool setStringAttribute(AccessibilityElement element, const std::string& name, const std::string& value) override;
    [[nodiscard]] std::optional<FrontmostApplication> frontmostApplication() const override;
    [[nodiscard]] bool isSecureEventInputEnabled() const override;

private:
    struct Tree;
    std::unique_ptr<Tree> tree_;
    FrontmostSource frontmost_;
};

}  // namespace zentrel::platform
