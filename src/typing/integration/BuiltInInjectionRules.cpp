#include "typing/integration/BuiltInInjectionRules.hpp"

#include "platform/text/Localization.hpp"

#include <algorithm>
#include <initializer_list>

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

// The same applications on a Linux desktop, named as the typing integration
// names the focused application there: the program's file name (its first
// argument), and the WM_CLASS instance and class of its windows. They follow
// the other system's identifiers, so each table serves both.
using Names = std::vector<std::string>;

Names withLinux(Names patterns, std::initializer_list<Names> linux) {
    for (const auto& names : linux) patterns.insert(patterns.end(), names.begin(), names.end());
    return patterns;
}

const Names& browsers() {
    static const Names names = {"firefox", "firefox-esr", "Firefox", "Firefox-esr", "Navigator", "chromium",
                                "Chromium", "chrome", "google-chrome", "Google-chrome", "brave", "brave-browser",
                                "Brave-browser", "msedge", "microsoft-edge", "Microsoft-edge", "vivaldi-bin",
                                "vivaldi-stable", "Vivaldi-stable", "epiphany", "Epiphany", "org.gnome.Epiphany",
                                "librewolf", "LibreWolf"};
    return names;
}

const Names& codeEditors() {
    static const Names names = {"code", "Code", "code-oss", "Code - OSS", "codium", "VSCodium", "cursor", "Cursor"};
    return names;
}

const Names& electronApps() {
    static const Names names = {"slack",        "Slack",       "discord", "Discord",    "signal-desktop", "Signal",
                                "obsidian",     "teams-for-linux", "element-desktop", "Element", "notion-app",
                                "Notion",       "figma-linux", "jetbrains-.*", "idea",   "pycharm", "webstorm",
                                "goland",       "clion"};
    return names;
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
    table.push_back(rule("secure-input", N_("Ô mật khẩu (Secure Input)"), {}, 1000, InjectionProfile::passthrough));
    table.push_back(titleRule("google-docs", N_("Google Docs"), "Google (Docs|Tài liệu)|Google Docs", RuleMatchMode::regex,
                              300, InjectionProfile::webEditor));

    auto addressBar = rule("browser-address-bar", N_("Thanh địa chỉ trình duyệt"),
                           withLinux({"com.google.Chrome", "com.microsoft.edgemac", "com.brave.Browser",
                                      "org.mozilla.firefox", "com.apple.Safari"},
                                     {browsers()}),
                           295, InjectionProfile::browserAddressBar);
    addressBar.axIdentifierPattern = "urlbar|address|search|location";
    table.push_back(std::move(addressBar));

    auto notion = rule("notion-code-block", N_("Notion — khối code"),
                       withLinux({"notion.id"}, {{"notion-app", "notion-app-enhanced", "Notion"}}), 210, notionCode);
    notion.axDOMClassPattern = "notranslate";
    notion.axMatchMode = RuleMatchMode::contains;
    table.push_back(std::move(notion));

    auto vscode = rule("vscode-terminal", N_("VS Code — terminal tích hợp"),
                       withLinux({"com.microsoft.VSCode", "com.todesktop.*"}, {codeEditors()}), 185,
                       InjectionProfile::terminal);
    vscode.axDescriptionPattern = "Terminal|terminal|Integrated Terminal";
    table.push_back(std::move(vscode));

    table.push_back(titleRule("word-online", N_("Word Online"), R"(\.docx|Word Online)", RuleMatchMode::regex, 290,
                              InjectionProfile::webEditor));
    table.push_back(titleRule("google-sheets", N_("Google Sheets"), R"(Google (Sheets|Trang tính)|\.xlsx)",
                              RuleMatchMode::regex, 280, sheets));
    table.push_back(titleRule("telegram-web", N_("Telegram Web"), "Telegram", RuleMatchMode::contains, 195,
                              InjectionProfile::webPopupSelection));

    auto popup = rule("web-popup", N_("Web popup / autocomplete"), {}, 165, InjectionProfile::webPopupSelection);
    popup.axDescriptionPattern = "popover|popup|autocomplete|suggestion|combo";
    table.push_back(std::move(popup));

    auto figmaRule = rule("figma", N_("Figma"), withLinux({"com.figma.Desktop"}, {{"figma-linux"}}), 200, figma);
    figmaRule.titlePattern = N_("Figma");
    table.push_back(std::move(figmaRule));

    table.push_back(rule("terminals", N_("Terminal / iTerm / Warp"),
                         withLinux({"com.apple.Terminal", "com.googlecode.iterm2", "com.github.wez.wezterm",
                                    "dev.warp.Warp-Stable", "org.alacritty", "net.kovidgoyal.kitty"},
                                   {{"gnome-terminal-server", "gnome-terminal", "Gnome-terminal", "kgx",
                                     "org.gnome.Console", "konsole", "xfce4-terminal", "Xfce4-terminal",
                                     "mate-terminal", "Mate-terminal",
                                     "lxterminal", "Lxterminal", "qterminal", "terminator", "Terminator", "tilix",
                                     "Tilix", "xterm", "XTerm", "uxterm", "UXTerm", "urxvt", "URxvt", "rxvt",
                                     "alacritty", "Alacritty", "kitty", "wezterm-gui", "org.wezfurlong.wezterm",
                                     "foot", "guake", "Guake", "yakuake", "tilda", "sakura", "st", "warp-terminal"}}),
                         180, InjectionProfile::terminal));
    table.push_back(rule("remote-desktop", N_("Remote desktop"),
                         withLinux({"com.carriez.rustdesk", "com.teamviewer.TeamViewer", "com.apple.ScreenSharing"},
                                   {{"remmina", "org.remmina.Remmina", "Remmina", "vinagre", "Vinagre", "krdc",
                                     "gnome-connections", "xfreerdp", "wlfreerdp", "sdl-freerdp", "rdesktop",
                                     "vncviewer", "xtightvncviewer", "xvnc4viewer", "gvncviewer", "remote-viewer",
                                     "virt-viewer", "rustdesk", "RustDesk", "TeamViewer", "anydesk", "Anydesk"}}),
                         170, InjectionProfile::remotePaste));
    table.push_back(rule("spotlight-overlay", N_("Spotlight / Raycast"),
                         withLinux({"com.apple.Spotlight", "com.raycast.macos", "com.runningwithcrayons.Alfred"},
                                   {{"krunner", "ulauncher", "Ulauncher", "albert", "rofi", "Rofi", "wofi",
                                     "synapse", "kupfer", "dmenu"}}),
                         160, InjectionProfile::spotlightAX));
    table.push_back(rule("electron-apps", N_("Electron / Chromium apps"),
                         withLinux({"com.google.Chrome", "com.microsoft.edgemac", "com.brave.Browser",
                                    "com.microsoft.VSCode", "com.todesktop.*", "com.tinyspeck.slackmacgap", "notion.id",
                                    "com.figma.Desktop", "com.jetbrains.intellij", "com.jetbrains.pycharm",
                                    "com.jetbrains.WebStorm", "com.jetbrains.goland", "com.apple.dt.Xcode"},
                                   {{"chromium", "Chromium", "chrome", "google-chrome", "Google-chrome", "brave",
                                     "brave-browser", "Brave-browser", "msedge", "microsoft-edge", "Microsoft-edge"},
                                    codeEditors(), electronApps()}),
                         100, InjectionProfile::electron));
    // The desktop's own toolkit applications.
    table.push_back(rule("native-cocoa", N_("App native macOS"),
                         withLinux({"com.apple.*"},
                                   {{"org.gnome.*", "org.kde.*", "gedit", "Gedit", "gnome-text-editor", "nautilus",
                                     "Nautilus", "kate", "kwrite", "dolphin", "mousepad", "Mousepad", "pluma", "xed",
                                     "thunar", "Thunar", "nemo", "Nemo", "evolution", "Evolution", "soffice.bin",
                                     "libreoffice"}}),
                         50, InjectionProfile::nativeChunked));
    table.push_back(rule("default", N_("Mặc định"), {}, 0, InjectionProfile::defaultProfile));
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
