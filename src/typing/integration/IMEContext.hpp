#pragma once
// Where the user is typing: the frontmost application, its window title,
// whether secure input is on and what Accessibility says about the focused
// element. The rule engine turns one into a ResolvedInjection.

#include <optional>
#include <string>

namespace zentrel::typing {

struct IMEContext {
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> windowTitle;
    bool isSecureInput = false;
    std::optional<std::string> focusedRole;
    std::optional<std::string> focusedDescription;  // "AXDescription", else "AXTitle"
    std::optional<std::string> focusedIdentifier;   // "AXIdentifier", else "AXDOMIdentifier"
    std::optional<std::string> focusedDOMClassList;
    // The application's toolkit reads keys through the input-method framework.
    bool readsKeysThroughInputMethod = false;

    // Every text absent, secure input off.
    [[nodiscard]] static IMEContext empty() { return {}; }

    bool operator==(const IMEContext&) const = default;
};

}  // namespace zentrel::typing
