#include "typing/integration/IMEContextDetector.hpp"

#include <gtest/gtest.h>

#include <map>

namespace zentrel::typing {
namespace {

using platform::AccessibilityElement;
using platform::AccessibilityValue;

// A small tree: element 1 is system-wide, 2 the focused field, 10 the
// frontmost application, 11 its focused window, 12 its main window.
class FakeTree final : public platform::AccessibilityElements {
public:
    [[nodiscard]] AccessibilityElement systemWide() const override { return {1}; }
    [[nodiscard]] AccessibilityElement application(std::int64_t) const override { return {10}; }
    [[nodiscard]] std::optional<AccessibilityValue> attribute(AccessibilityElement element,
                                                              const std::string& name) const override {
        const auto found = values.find({element.handle, name});
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
    bool setStringAttribute(AccessibilityElement element, const std::string& name, const std::string& value) override {
        if (refuseWrites) return false;
        values[{element.handle, name}] = value;
        return true;
    }
    [[nodiscard]] std::optional<platform::FrontmostApplication> frontmostApplication() const override {
        return frontmost;
    }
    [[nodiscard]] bool isSecureEventInputEnabled() const override { return secure; }

    std::map<std::pair<std::uint64_t, std::string>, AccessibilityValue> values;
    std::optional<platform::FrontmostApplication> frontmost;
    bool secure = false;
    bool refuseWrites = false;
};

TEST(IMEContextDetectorTest, ReadsTheFocusAndTheFrontmostWindow) {
    FakeTree tree;
    tree.values[{1, "AXFocusedUIElement"}] = AccessibilityElement{2};
    tree.values[{2, "AXRole"}] = std::string("AXTextField");
    tree.values[{2, "AXTitle"}] = std::string("Search");
    tree.values[{2, "AXDOMIdentifier"}] = std::string("q");
    tree.values[{2, "AXDOMClassList"}] = std::vector<std::string>{"input", "big"};
    IMEContextDetector detector(tree);

    auto context = detector.capture();
    EXPECT_EQ(context.focusedRole, "AXTextField");
    EXPECT_EQ(context.focusedDescription, "Search") << "the title stands in for a missing description";
    EXPECT_EQ(context.focusedIdentifier, "q");
    EXPECT_EQ(context.focusedDOMClassList, std::nullopt) << "a list is not a plain string";
    EXPECT_FALSE(context.bundleIdentifier) << "no frontmost application";
    EXPECT_FALSE(context.windowTitle);

    tree.frontmost = platform::FrontmostApplication{"com.example.browser", 42};
    tree.values[{10, "AXMainWindow"}] = AccessibilityElement{12};
    tree.values[{12, "AXTitle"}] = std::string("Main");
    tree.secure = true;
    context = detector.capture();
    EXPECT_EQ(context.bundleIdentifier, "com.example.browser");
    EXPECT_EQ(context.windowTitle, "Main") << "no focused window: the main one";
    EXPECT_TRUE(context.isSecureInput);
    EXPECT_FALSE(context.readsKeysThroughInputMethod);
    tree.frontmost->readsKeysThroughInputMethod = true;
    EXPECT_TRUE(detector.capture().readsKeysThroughInputMethod);
    tree.values[{10, "AXFocusedWindow"}] = AccessibilityElement{11};
    tree.values[{11, "AXTitle"}] = platform::AttributedText{"Focused"};
    EXPECT_EQ(detector.capture().windowTitle, "Main") << "an attributed title counts as absent";

    EXPECT_EQ(IMEContextDetector(platform::NoAccessibilityElements{}).capture(), IMEContext::empty());
}

TEST(AccessibilityTextWriterTest, ReplacesTheTrailingWordOfTextFieldsOnly) {
    EXPECT_EQ(AccessibilityTextWriter::replacedFieldValue("xin chao", "chao", "chào"), "xin chào");
    EXPECT_EQ(AccessibilityTextWriter::replacedFieldValue("xin chào", "", "a"), "xin chàoa");
    EXPECT_EQ(AccessibilityTextWriter::replacedFieldValue("hello", "chao", "chào"), "chào");

    FakeTree tree;
    AccessibilityTextWriter writer(tree);
    EXPECT_FALSE(writer.replaceFocusedValue("a", "â")) << "nothing focused";
    tree.values[{1, "AXFocusedUIElement"}] = AccessibilityElement{2};
    tree.values[{2, "AXRole"}] = std::string("AXButton");
    EXPECT_FALSE(writer.replaceFocusedValue("a", "â"));
    tree.values[{2, "AXRole"}] = std::string("AXTextArea");
    tree.values[{2, "AXValue"}] = platform::AttributedText{"xin chao"};
    EXPECT_TRUE(writer.replaceFocusedValue("chao", "chào"));
    EXPECT_EQ(std::get<std::string>(tree.values[{2, "AXValue"}]), "xin chào");
    tree.refuseWrites = true;
    EXPECT_FALSE(writer.replaceFocusedValue("chào", "chàoo"));
}

}  // namespace
}  // namespace zentrel::typing
