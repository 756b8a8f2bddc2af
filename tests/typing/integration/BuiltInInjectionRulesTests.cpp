#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/InjectionRuleCatalog.hpp"
#include "typing/integration/InjectionRuleEngine.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrel::typing {
namespace {

TEST(BuiltInInjectionRulesTest, TableInOrderWithNamesPrioritiesAndProfiles) {
    const InjectionProfile notionCode{InjectionTiming::slow, TextSendingMode::oneByOne,       {12000, 25000, 12000},
                                      false,                 false,                           InjectionDeliveryMode::cgEvent,
                                      InputPolicy::enable};
    const InjectionProfile sheets{InjectionTiming::fast, TextSendingMode::chunked,        {0, 0, 0}, true,
                                  false,                 InjectionDeliveryMode::cgEvent, InputPolicy::enable};
    const InjectionProfile figma{InjectionTiming::slow, TextSendingMode::oneByOne,        {5000, 10000, 8000}, false,
                                 false,                 InjectionDeliveryMode::cgEvent, InputPolicy::enable};
    struct Row {
        std::string id;
        std::string name;
        std::int64_t priority;
        InjectionProfile profile;
        std::size_t bundlePatterns;  // the other system's identifiers, which come first
    };
    const std::vector<Row> rows = {
        {"secure-input", "Ô mật khẩu (Secure Input)", 1000, InjectionProfile::passthrough, 0},
        {"google-docs", "Google Docs", 300, InjectionProfile::webEditor, 0},
        {"browser-address-bar", "Thanh địa chỉ trình duyệt", 295, InjectionProfile::browserAddressBar, 5},
        {"notion-code-block", "Notion — khối code", 210, notionCode, 1},
        {"vscode-terminal", "VS Code — terminal tích hợp", 185, InjectionProfile::terminal, 2},
        {"word-online", "Word Online", 290, InjectionProfile::webEditor, 0},
        {"google-sheets", "Google Sheets", 280, sheets, 0},
        {"telegram-web", "Telegram Web", 195, InjectionProfile::webPopupSelection, 0},
        {"web-popup", "Web popup / autocomplete", 165, InjectionProfile::webPopupSelection, 0},
        {"figma", "Figma", 200, figma, 1},
        {"terminals", "Terminal / iTerm / Warp", 180, InjectionProfile::terminal, 6},
        {"remote-desktop", "Remote desktop", 170, InjectionProfile::remotePaste, 3},
        {"spotlight-overlay", "Spotlight / Raycast", 160, InjectionProfile::spotlightAX, 3},
        {"electron-apps", "Electron / Chromium apps", 100, InjectionProfile::electron, 13},
        {"native-cocoa", "App native macOS", 50, InjectionProfile::nativeChunked, 1},
        {"default", "Mặc định", 0, InjectionProfile::defaultProfile, 0},
    };
    const auto& table = BuiltInInjectionRules::all();
    ASSERT_EQ(table.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        const auto& rule = table[i];
        EXPECT_EQ(rule.id, row.id);
        EXPECT_EQ(rule.name, row.name) << row.id;
        EXPECT_EQ(rule.priority, row.priority) << row.id;
        EXPECT_EQ(rule.profile, row.profile) << row.id;
        EXPECT_GE(rule.bundleIdPatterns.size(), row.bundlePatterns) << row.id;
        EXPECT_EQ(rule.bundleIdPatterns.empty(), row.bundlePatterns == 0) << row.id;
        EXPECT_TRUE(rule.enabled) << row.id;
        EXPECT_FALSE(InjectionRuleCatalog::isUserRuleID(rule.id));
    }
    EXPECT_EQ(&BuiltInInjectionRules::all(), &table);
    EXPECT_EQ(&BuiltInInjectionRules::secureInput(), &table.front());
    EXPECT_EQ(BuiltInInjectionRules::find("figma"), &table[9]);
    EXPECT_EQ(BuiltInInjectionRules::find("Figma"), nullptr);
}

TEST(BuiltInInjectionRulesTest, PatternsAsGiven) {
    const auto& docs = *BuiltInInjectionRules::find("google-docs");
    EXPECT_EQ(docs.titlePattern, "Google (Docs|Tài liệu)|Google Docs");
    EXPECT_EQ(docs.titleMatchMode, RuleMatchMode::regex);
    EXPECT_EQ(BuiltInInjectionRules::find("word-online")->titlePattern, "\\.docx|Word Online");
    EXPECT_EQ(BuiltInInjectionRules::find("google-sheets")->titlePattern, "Google (Sheets|Trang tính)|\\.xlsx");
    EXPECT_EQ(BuiltInInjectionRules::find("telegram-web")->titleMatchMode, RuleMatchMode::contains);
    const auto& notion = *BuiltInInjectionRules::find("notion-code-block");
    EXPECT_EQ(notion.axDOMClassPattern, "notranslate");
    EXPECT_EQ(notion.axMatchMode, RuleMatchMode::contains);
    const auto& address = *BuiltInInjectionRules::find("browser-address-bar");
    EXPECT_EQ(address.axIdentifierPattern, "urlbar|address|search|location");
    EXPECT_EQ(address.axMatchMode, RuleMatchMode::regex);
    EXPECT_EQ(address.bundleIdPatterns.at(4), "com.apple.Safari");
    EXPECT_EQ(BuiltInInjectionRules::find("vscode-terminal")->axDescriptionPattern,
              "Terminal|terminal|Integrated Terminal");
    EXPECT_EQ(BuiltInInjectionRules::find("web-popup")->axDescriptionPattern,
              "popover|popup|autocomplete|suggestion|combo");
    EXPECT_EQ(BuiltInInjectionRules::find("figma")->titlePattern, "Figma");
    EXPECT_EQ(BuiltInInjectionRules::find("native-cocoa")->bundleIdPatterns.front(), "com.apple.*");
    const auto& electron = *BuiltInInjectionRules::find("electron-apps");
    EXPECT_EQ(electron.bundleIdPatterns.front(), "com.google.Chrome");
    EXPECT_EQ(electron.bundleIdPatterns.at(12), "com.apple.dt.Xcode");
    for (const char* id : {"secure-input", "terminals", "remote-desktop", "spotlight-overlay", "default"}) {
        const auto& rule = *BuiltInInjectionRules::find(id);
        EXPECT_FALSE(rule.titlePattern || rule.axRolePattern || rule.axDescriptionPattern ||
                     rule.axIdentifierPattern || rule.axDOMClassPattern)
            << id;
    }
}

TEST(BuiltInInjectionRulesTest, TriedInPriorityOrder) {
    std::vector<std::string> ids;
    for (const auto& rule : InjectionRuleCatalog::effectiveRules({}, {})) ids.push_back(rule.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"secure-input", "google-docs", "browser-address-bar", "word-online",
                                             "google-sheets", "notion-code-block", "figma", "telegram-web",
                                             "vscode-terminal", "terminals", "remote-desktop", "web-popup",
                                             "spotlight-overlay", "electron-apps", "native-cocoa", "default"}));
}

TEST(BuiltInInjectionRulesTest, ContextsResolveToTheirRules) {
    struct Case {
        const char* what;
        IMEContext context;
        std::string ruleID;
    };
    auto app = [](std::string bundle, std::optional<std::string> title = std::nullopt) {
        IMEContext context;
        context.bundleIdentifier = std::move(bundle);
        context.windowTitle = std::move(title);
        return context;
    };
    auto withIdentifier = [](IMEContext context, std::string identifier) {
        context.focusedIdentifier = std::move(identifier);
        return context;
    };
    auto withDescription = [](IMEContext context, std::string description) {
        context.focusedDescription = std::move(description);
        return context;
    };
    auto withClasses = [](IMEContext context, std::string classes) {
        context.focusedDOMClassList = std::move(classes);
        return context;
    };
    auto secure = app("com.apple.Safari", "Sign in");
    secure.isSecureInput = true;
    const std::vector<Case> cases = {
        {"Safari address bar", withIdentifier(app("com.apple.Safari"), "URLBar"), "browser-address-bar"},
        {"Chrome page field", withIdentifier(app("com.google.Chrome"), "comment-box"), "electron-apps"},
        {"Docs in any browser", app("org.mozilla.firefox", "Kế hoạch - Google Tài liệu"), "google-docs"},
        {"Docs title beats the address bar", withIdentifier(app("com.apple.Safari", "Notes - Google Docs"), "urlbar"),
         "google-docs"},
        {"Word document", app("com.apple.Safari", "Báo cáo.DOCX"), "word-online"},
        {"Sheets", app("com.google.Chrome", "Budget - Google Sheets"), "google-sheets"},
        {"Telegram anywhere", app("org.example.Unknown", "Telegram Web"), "telegram-web"},
        {"Notion code block", withClasses(app("notion.id"), "line-numbers NOTRANSLATE"), "notion-code-block"},
        {"Notion text", withClasses(app("notion.id"), "notion-page-content"), "electron-apps"},
        {"Code block class elsewhere", withClasses(app("com.google.Chrome"), "notranslate"), "electron-apps"},
        {"VS Code terminal", withDescription(app("com.microsoft.VSCode"), "Terminal 1"), "vscode-terminal"},
        {"Cursor-like terminal", withDescription(app("com.todesktop.230313mzl4w4u92"), "integrated terminal"),
         "vscode-terminal"},
        {"VS Code editor", withDescription(app("com.microsoft.VSCode"), "Editor"), "electron-apps"},
        {"Terminal", app("com.apple.Terminal"), "terminals"},
        {"iTerm", app("com.googlecode.iterm2"), "terminals"},
        {"Screen sharing", app("com.apple.ScreenSharing"), "remote-desktop"},
        {"Web popup", withDescription(app("org.example.Browser"), "Search suggestions"), "web-popup"},
        {"Spotlight", app("com.apple.Spotlight"), "spotlight-overlay"},
        {"Figma window", app("com.figma.Desktop", "Landing page – Figma"), "figma"},
        {"Figma without title", app("com.figma.Desktop"), "electron-apps"},
        {"Xcode", app("com.apple.dt.Xcode"), "electron-apps"},
        {"Finder", app("com.apple.finder"), "native-cocoa"},
        {"Unknown app", app("org.example.Unknown"), "default"},
        {"No app", IMEContext::empty(), "default"},
        {"Password field", secure, "secure-input"},
    };
    InjectionRuleEngine engine(BuiltInInjectionRules::all(), true);
    for (const auto& c : cases) {
        auto resolved = engine.resolve(c.context);
        const auto* expected = BuiltInInjectionRules::find(c.ruleID);
        ASSERT_NE(expected, nullptr) << c.what;
        EXPECT_EQ(resolved.matchedRuleID, c.ruleID) << c.what;
        EXPECT_EQ(resolved.matchedRuleName, expected->name) << c.what;
        EXPECT_EQ(resolved.profile, expected->profile) << c.what;
    }
}

// The focused application on a Linux desktop is named by its program's file
// name, or by its windows' WM_CLASS; every family of built-in rules knows the
// common Debian programs by those names.
TEST(BuiltInInjectionRulesTest, LinuxProgramsResolveToTheirFamilysRule) {
    struct Family {
        const char* ruleID;
        std::vector<const char*> names;
        IMEContext (*field)(IMEContext);  // the focused field the rule looks for, if any
    };
    const auto plain = [](IMEContext context) { return context; };
    const auto urlBar = [](IMEContext context) {
        context.focusedIdentifier = "urlbar-input";
        return context;
    };
    const auto terminalPanel = [](IMEContext context) {
        context.focusedDescription = "Terminal 1";
        return context;
    };
    const std::vector<Family> families = {
        {"terminals",
         {"gnome-terminal-server", "Gnome-terminal", "kgx", "konsole", "xfce4-terminal", "mate-terminal", "lxterminal",
          "qterminal", "terminator", "tilix", "xterm", "urxvt", "Alacritty", "alacritty", "kitty", "wezterm-gui",
          "org.wezfurlong.wezterm", "foot", "guake", "yakuake"},
         plain},
        {"remote-desktop",
         {"remmina", "org.remmina.Remmina", "vinagre", "krdc", "xfreerdp", "rdesktop", "vncviewer", "remote-viewer",
          "rustdesk", "TeamViewer", "anydesk"},
         plain},
        {"browser-address-bar",
         {"firefox-esr", "firefox", "Navigator", "chromium", "Chromium", "chrome", "google-chrome", "brave-browser",
          "msedge", "epiphany", "librewolf"},
         urlBar},
        {"vscode-terminal", {"code", "Code", "codium", "VSCodium", "code-oss", "cursor"}, terminalPanel},
        {"electron-apps",
         {"chromium", "google-chrome", "brave", "code", "codium", "slack", "Slack", "discord", "signal-desktop",
          "obsidian", "teams-for-linux", "element-desktop", "notion-app", "figma-linux", "jetbrains-idea", "pycharm"},
         plain},
        {"spotlight-overlay", {"krunner", "ulauncher", "albert", "rofi", "wofi"}, plain},
        {"native-cocoa",
         {"gedit", "gnome-text-editor", "org.gnome.TextEditor", "org.kde.kate", "kate", "nautilus", "dolphin",
          "mousepad", "thunar", "evolution", "soffice.bin"},
         plain},
    };
    InjectionRuleEngine engine(BuiltInInjectionRules::all(), true);
    for (const auto& family : families) {
        for (const char* name : family.names) {
            IMEContext context;
            context.bundleIdentifier = name;
            EXPECT_EQ(engine.resolve(family.field(context)).matchedRuleID, family.ruleID) << name;
        }
    }
    // A program of none of them, and a near miss of a name, keep the default.
    for (const char* name : {"gimp", "konsole-helper", "codex"}) {
        IMEContext context;
        context.bundleIdentifier = name;
        EXPECT_EQ(engine.resolve(context).matchedRuleID, "default") << name;
    }
}

}  // namespace
}  // namespace zentrel::typing
