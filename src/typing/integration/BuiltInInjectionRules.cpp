#include "typing/integration/BuiltInInjectionRules.hpp"

#include <algorithm>

namespace zentrel::typing {

namespace {

// Title mode contains and accessibility mode regex unless a rule says otherwise.
InjectionRule rule(std::string id, std::string name, std::vector<std::string> bundles, std::int64_t priority,
                   const InjectionProfile& profile) {
    InjectionRule made;
    made.id = std::move(id);
    made.name = std::move(name);
    made.bundleIdPatterns = std::move(bundles);
    made.priority = priority;
    made.profile = profile;
    return made;
}

InjectionRule titleRule(std::string id, std::string name, std::string title, RuleMatchMode mode,
                        std::int64_t priority, const InjectionProfile& profile) {
    auto made = rule(std::move(id), std::move(name), {}, priority, profile);
    made.titlePattern = std::move(title);
    made.titleMatchMode = mode;
    return made;
}

std::vector<InjectionRule> makeTable() {
    const InjectionProfile notionCode{InjectionTiming::slow,          TextSendingMode::oneByOne,
                                      {12000, 25000, 12000},          false,
                                      false,                          InjectionDeliveryMode::cgEvent,
                                      InputPolicy::enable};
    const InjectionProfile sheets{InjectionTiming::fast, TextSendingMode::chunked,        InjectionDelays::fast, true,
                                  false,                 InjectionDeliveryMode::cgEvent, InputPolicy::enable};
    const InjectionProfile figma{InjectionTiming::slow, TextSendingMode::oneByOne,       InjectionDelays::webEditor,
                                 false,                 false,                           InjectionDeliveryMode::cgEvent,
                                 InputPolicy::enable};

    std::vector<InjectionRule> table;
    table.push_back(rule("secure-input", "Ô mật khẩu (Secure Input)", {}, 1000, InjectionProfile::passthrough));
    table.push_back(titleRule("google-docs", "Google Docs", "Google (Docs|Tài liệu)|Google Docs", RuleMatchMode::regex,
                              300, InjectionProfile::webEditor));

    auto addressBar = rule("browser-address-bar", "Thanh địa chỉ trình duyệt",
                           {"com.google.Chrome", "com.microsoft.edgemac", "com.brave.Browser", "org.mozilla.firefox",
                            "com.apple.Safari"},
                           295, InjectionProfile::browserAddressBar);
    addressBar.axIdentifierPattern = "urlbar|address|search|location";
    table.push_back(std::move(addressBar));

    auto notion = rule("notion-code-block", "Notion — khối code", {"notion.id"}, 210, notionCode);
    notion.axDOMClassPattern = "notranslate";
    notion.axMatchMode = RuleMatchMode::contains;
    table.push_back(std::move(notion));

    auto vscode = rule("vscode-terminal", "VS Code — terminal tích hợp", {"com.microsoft.VSCode", "com.todesktop.*"},
                       185, InjectionProfile::terminal);
    vscode.axDescriptionPattern = "Terminal|terminal|Integrated Terminal";
    table.push_back(std::move(vscode));

    table.push_back(titleRule("word-online", "Word Online", R"(\.docx|Word Online)", RuleMatchMode::regex, 290,
                              InjectionProfile::webEditor));
    table.push_back(titleRule("google-sheets", "Google Sheets", R"(Google (Sheets|Trang tính)|\.xlsx)",
                              RuleMatchMode::regex, 280, sheets));
    table.push_back(titleRule("telegram-web", "Telegram Web", "Telegram", RuleMatchMode::contains, 195,
                              InjectionProfile::webPopupSelection));

    auto popup = rule("web-popup", "Web popup / autocomplete", {}, 165, InjectionProfile::webPopupSelection);
    popup.axDescriptionPattern = "popover|popup|autocomplete|suggestion|combo";
    table.push_back(std::move(popup));

    auto figmaRule = rule("figma", "Figma", {"com.figma.Desktop"}, 200, figma);
    figmaRule.titlePattern = "Figma";
    table.push_back(std::move(figmaRule));

    table.push_back(rule("terminals", "Terminal / iTerm / Warp",
                         {"com.apple.Terminal", "com.googlecode.iterm2", "com.github.wez.wezterm",
                          "dev.warp.Warp-Stable", "org.alacritty", "net.kovidgoyal.kitty"},
                         180, InjectionProfile::terminal));
    table.push_back(rule("remote-desktop", "Remote desktop",
                         {"com.carriez.rustdesk", "com.teamviewer.TeamViewer", "com.apple.ScreenSharing"}, 170,
                         InjectionProfile::remotePaste));
    table.push_back(rule("spotlight-overlay", "Spotlight / Raycast",
                         {"com.apple.Spotlight", "com.raycast.macos", "com.runningwithcrayons.Alfred"}, 160,
                         InjectionProfile::spotlightAX));
    table.push_back(rule("electron-apps", "Electron / Chromium apps",
                         {"com.google.Chrome", "com.microsoft.edgemac", "com.brave.Browser", "com.microsoft.VSCode",
                          "com.todesktop.*", "com.tinyspeck.slackmacgap", "notion.id", "com.figma.Desktop",
                          "com.jetbrains.intellij", "com.jetbrains.pycharm", "com.jetbrains.WebStorm",
                          "com.jetbrains.goland", "com.apple.dt.Xcode"},
                         100, InjectionProfile::electron));
    table.push_back(rule("native-cocoa", "App native macOS", {"com.apple.*"}, 50, InjectionProfile::nativeChunked));
    table.push_back(rule("default", "Mặc định", {}, 0, InjectionProfile::defaultProfile));
    return table;
}

}  // namespace

const std::vector<InjectionRule>& BuiltInInjectionRules::all() {
    static const std::vector<InjectionRule> table = makeTable();
    return table;
}

const InjectionRule* BuiltInInjectionRules::find(std::string_view id) {
    const auto& table = all();
    auto found = std::find_if(table.begin(), table.end(), [id](const InjectionRule& r) { return r.id == id; });
    return found == table.end() ? nullptr : &*found;
}

const InjectionRule& BuiltInInjectionRules::secureInput() {
    // The table's first row.
    return all().front();
}

}  // namespace zentrel::typing
