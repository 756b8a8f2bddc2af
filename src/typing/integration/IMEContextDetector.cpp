#include "typing/integration/IMEContextDetector.hpp"

#include "typing/engine/VietText.hpp"

#include <algorithm>
#include <array>

namespace zentrel::typing {
namespace {

using platform::AccessibilityElement;

constexpr std::array<std::string_view, 4> kEditableRoles = {"AXTextField", "AXTextArea", "AXComboBox",
                                                            "AXSearchField"};

std::optional<AccessibilityElement> elementValue(const std::optional<platform::AccessibilityValue>& value) {
    if (!value) return std::nullopt;
    if (const auto* element = std::get_if<AccessibilityElement>(&*value)) return *element;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> IMEContextDetector::stringAttribute(AccessibilityElement element,
                                                               const std::string& name) const {
    // Only a plain string counts: attributed strings and lists read as absent.
    const auto value = elements_.attribute(element, name);
    if (!value) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&*value)) return *text;
    return std::nullopt;
}

std::optional<std::string> IMEContextDetector::windowTitle(AccessibilityElement application,
                                                           const std::string& windowAttribute) const {
    const auto window = elementValue(elements_.attribute(application, windowAttribute));
    if (!window) return std::nullopt;
    return stringAttribute(*window, "AXTitle");
}

IMEContext IMEContextDetector::capture() const {
    IMEContext context;
    if (const auto focused = elementValue(elements_.attribute(elements_.systemWide(), "AXFocusedUIElement"))) {
        context.focusedRole = stringAttribute(*focused, "AXRole");
        context.focusedDescription = stringAttribute(*focused, "AXDescription");
        if (!context.focusedDescription) context.focusedDescription = stringAttribute(*focused, "AXTitle");
        context.focusedIdentifier = stringAttribute(*focused, "AXIdentifier");
        if (!context.focusedIdentifier) context.focusedIdentifier = stringAttribute(*focused, "AXDOMIdentifier");
        context.focusedDOMClassList = stringAttribute(*focused, "AXDOMClassList");
    }
    if (const auto app = elements_.frontmostApplication()) {
        context.bundleIdentifier = app->bundleIdentifier;
        context.readsKeysThroughInputMethod = app->readsKeysThroughInputMethod;
        const auto application = elements_.application(app->processID);
        context.windowTitle = windowTitle(application, "AXFocusedWindow");
        if (!context.windowTitle) context.windowTitle = windowTitle(application, "AXMainWindow");
    }
    context.isSecureInput = elements_.isSecureEventInputEnabled();
    return context;
}

std::string AccessibilityTextWriter::replacedFieldValue(const std::string& current, const std::string& displayed,
                                                        const std::string& target) {
    if (displayed.empty()) return current + target;
    const auto field = toUtf32(current);
    const auto word = toUtf32(displayed);
    if (field.size() >= word.size() && field.compare(field.size() - word.size(), word.size(), word) == 0) {
        return toUtf8(std::u32string_view(field).substr(0, field.size() - word.size())) + target;
    }
    return target;
}

bool AccessibilityTextWriter::replaceFocusedValue(const std::string& displayed, const std::string& target) {
    const auto focused = elementValue(elements_.attribute(elements_.systemWide(), "AXFocusedUIElement"));
    if (!focused) return false;
    // A readable role outside the text roles is no field; an unreadable one may be.
    if (const auto role = elements_.attribute(*focused, "AXRole")) {
        if (const auto* text = std::get_if<std::string>(&*role)) {
            if (std::find(kEditableRoles.begin(), kEditableRoles.end(), *text) == kEditableRoles.end()) return false;
        }
    }
    std::optional<std::string> current;
    if (const auto value = elements_.attribute(*focused, "AXValue")) {
        if (const auto* text = std::get_if<std::string>(&*value)) current = *text;
        if (const auto* attributed = std::get_if<platform::AttributedText>(&*value)) current = attributed->text;
    }
    if (current && elements_.setStringAttribute(*focused, "AXValue", replacedFieldValue(*current, displayed, target))) {
        return true;
    }
    return elements_.setStringAttribute(*focused, "AXValue", target);
}

}  // namespace zentrel::typing
