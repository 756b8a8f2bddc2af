#include "typing/integration/InjectionRuleEngine.hpp"
#include "typing/integration/RegexPatternCache.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrel::typing {
namespace {

using Text = std::optional<std::string>;

TEST(RuleMatchingTest, BundlePatterns) {
    struct Case {
        Text identifier;
        std::vector<std::string> patterns;
        bool matches;
    };
    const std::vector<Case> cases = {
        {std::nullopt, {}, true},
        {"", {}, true},
        {"com.apple.Safari", {}, true},
        {std::nullopt, {"*"}, false},
        {"", {"*"}, false},
        {"", {".*"}, false},
        {"org.example.App", {"*"}, true},
        {"org.example.App", {".*"}, true},
        {"com.apple.Safari", {"com.apple.*"}, true},
        {"com.apple", {"com.apple.*"}, true},
        {"com.applesoft.Tool", {"com.apple.*"}, true},
        {"com.appl", {"com.apple.*"}, false},
        {"com.apple.Safari", {"com.apple.safari"}, false},
        {"com.apple.Safari", {"com.apple.Safari"}, true},
        {"com.apple.SafariTechnologyPreview", {"com.apple.Safari"}, false},
        {"com.todesktop.230313mzl4w4u92", {"com.microsoft.VSCode", "com.todesktop.*"}, true},
        {"com.Apple.Finder", {"com.apple.*"}, false},
        {"com.apple.Safari", {"com.apple.S*"}, false},
        {"notion.id", {"com.google.Chrome", "notion.id"}, true},
    };
    for (const auto& c : cases) {
        std::string patterns;
        for (const auto& p : c.patterns) patterns += p + " ";
        EXPECT_EQ(InjectionRuleEngine::matchesBundle(c.identifier, c.patterns), c.matches)
            << c.identifier.value_or("<absent>") << " against " << patterns;
    }
}

TEST(RuleMatchingTest, FieldPatternsByMode) {
    struct Case {
        Text value;
        Text pattern;
        RuleMatchMode mode;
        bool matches;
    };
    using enum RuleMatchMode;
    const std::vector<Case> cases = {
        // Absent or empty patterns match anything; absent or empty values nothing else.
        {std::nullopt, std::nullopt, contains, true},
        {std::nullopt, "", regex, true},
        {"anything", "", exact, true},
        {std::nullopt, "a", contains, false},
        {"", "a", contains, false},
        {"", ".*", regex, false},
        {"", "^$", regex, false},
        // contains
        {"Inbox — Telegram Web", "telegram", contains, true},
        {"TIẾNG VIỆT", "tiếng việt", contains, true},
        {"Telegram", "Telegrams", contains, false},
        // prefix
        {"Google Docs - Draft", "google", prefix, true},
        {"My Google Docs", "google", prefix, false},
        {"ĐƠN XIN", "đơn", prefix, true},
        // suffix
        {"report.DOCX", ".docx", suffix, true},
        {"report.docx (1)", ".docx", suffix, false},
        // exact
        {"AXTextField", "axtextfield", exact, true},
        {"AXTextField ", "AXTextField", exact, false},
        {"Straße", "STRASSE", exact, true},
        // regex: case-insensitive, first match anywhere
        {"budget.XLSX - Excel", R"(\.xlsx)", regex, true},
        {"Google Trang tính", "Google (Sheets|Trang tính)", regex, true},
        {"Untitled - GOOGLE DOCS", "google docs", regex, true},
        {"urlbar-input", "^urlbar$", regex, false},
        {"search field", "urlbar|address|search|location", regex, true},
        {"docx", R"(\.docx)", regex, false},
        // A pattern that does not compile never matches.
        {"Google (Docs", "Google (Docs", regex, false},
        {"anything", "[", regex, false},
        {"anything", "*", regex, false},
        // Patterns are literal outside regex mode.
        {"a.b", ".", contains, true},
        {"ab", "a.", prefix, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InjectionRuleEngine::matchesField(c.value, c.pattern, c.mode), c.matches)
            << c.value.value_or("<absent>") << " / " << c.pattern.value_or("<absent>") << " / " << rawValue(c.mode);
        EXPECT_EQ(InjectionRuleEngine::matchesTitle(c.value, c.pattern, c.mode), c.matches);
    }
}

TEST(RuleMatchingTest, AccessibilityPatternsMustAllMatchTheirOwnFields) {
    InjectionRule rule;
    rule.axRolePattern = "AXTextField";
    rule.axIdentifierPattern = "url";
    rule.axMatchMode = RuleMatchMode::contains;

    IMEContext context;
    context.focusedRole = "AXTextField";
    context.focusedIdentifier = "urlbar";
    EXPECT_TRUE(InjectionRuleEngine::matchesAX(rule, context));

    auto noIdentifier = context;
    noIdentifier.focusedIdentifier.reset();
    EXPECT_FALSE(InjectionRuleEngine::matchesAX(rule, noIdentifier));

    auto swapped = context;
    swapped.focusedIdentifier = "AXTextField";
    swapped.focusedDescription = "url";
    EXPECT_FALSE(InjectionRuleEngine::matchesAX(rule, swapped));

    // The accessibility mode applies to every accessibility pattern.
    rule.axMatchMode = RuleMatchMode::exact;
    EXPECT_FALSE(InjectionRuleEngine::matchesAX(rule, context));
    rule.axIdentifierPattern = "URLBAR";
    EXPECT_TRUE(InjectionRuleEngine::matchesAX(rule, context));

    EXPECT_TRUE(InjectionRuleEngine::matchesAX(InjectionRule{}, IMEContext::empty()));
}

TEST(RuleMatchingTest, RuleNeedsBundleTitleAndAccessibilityAlike) {
    InjectionRule rule;
    rule.bundleIdPatterns = {"com.figma.Desktop"};
    rule.titlePattern = "Figma";
    rule.axDOMClassPattern = "notranslate";
    rule.axMatchMode = RuleMatchMode::contains;

    IMEContext context{"com.figma.Desktop", "Design — Figma", false, std::nullopt, std::nullopt, std::nullopt,
                       "cm-content NoTranslate"};
    EXPECT_TRUE(InjectionRuleEngine::matches(rule, context));

    auto otherApp = context;
    otherApp.bundleIdentifier = "com.google.Chrome";
    auto otherTitle = context;
    otherTitle.windowTitle = "";
    auto otherClass = context;
    otherClass.focusedDOMClassList = "cm-content";
    EXPECT_FALSE(InjectionRuleEngine::matches(rule, otherApp));
    EXPECT_FALSE(InjectionRuleEngine::matches(rule, otherTitle));
    EXPECT_FALSE(InjectionRuleEngine::matches(rule, otherClass));
}

TEST(RegexPatternCacheTest, CompilesEachPatternOnceAndRemembersFailures) {
    RegexPatternCache cache;
    EXPECT_TRUE(cache.matchesAnywhere("tele(gram)?", "TELEGRAM"));
    EXPECT_TRUE(cache.matchesAnywhere("tele(gram)?", "telex"));
    EXPECT_FALSE(cache.matchesAnywhere("(unbalanced", "(unbalanced"));
    EXPECT_FALSE(cache.matchesAnywhere("(unbalanced", "anything"));
    EXPECT_EQ(cache.size(), 2u);
}

TEST(RegexPatternCacheTest, StartsAfreshPastItsCapacity) {
    RegexPatternCache cache;
    for (std::size_t i = 0; i < RegexPatternCache::kCapacity; ++i)
        EXPECT_TRUE(cache.matchesAnywhere("x" + std::to_string(i), "x" + std::to_string(i)));
    EXPECT_EQ(cache.size(), RegexPatternCache::kCapacity);
    EXPECT_TRUE(cache.matchesAnywhere("another", "yet another"));
    EXPECT_EQ(cache.size(), 1u);
}

TEST(RegexPatternCacheTest, RunawayPatternGivesUpWithoutAMatch) {
    RegexPatternCache cache;
    // Exponential backtracking over a long title.
    EXPECT_FALSE(cache.matchesAnywhere("^(a+)+$", std::string(64, 'a') + "!"));
    EXPECT_TRUE(cache.matchesAnywhere("^(a+)+$", "aaaa"));
}

}  // namespace
}  // namespace zentrel::typing
