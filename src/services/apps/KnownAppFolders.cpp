#include "services/apps/KnownAppFolders.hpp"

#include "platform/text/AsciiCase.hpp"

#include <algorithm>
#include <array>
#include <string_view>

namespace zentrel::services {

namespace {

using model::UninstallItemKind;

enum class Base { home, config, cache };

struct Folder {
    UninstallItemKind kind;
    Base base;
    std::string_view name;
};

struct KnownApp {
    std::array<std::string_view, 4> names;  // lower-case; empty ones unused
    std::array<Folder, 3> folders;          // empty names unused
};

constexpr KnownApp kKnownApps[] = {
    {{"firefox", "firefox-esr", "org.mozilla.firefox"},
     {{{UninstallItemKind::appSupport, Base::home, ".mozilla"},
       {UninstallItemKind::preferences, Base::config, "mozilla"},
       {UninstallItemKind::caches, Base::cache, "mozilla"}}}},
    {{"thunderbird", "org.mozilla.thunderbird"},
     {{{UninstallItemKind::appSupport, Base::home, ".thunderbird"},
       {UninstallItemKind::caches, Base::cache, "thunderbird"}}}},
    {{"chromium", "chromium-browser", "org.chromium.chromium"},
     {{{UninstallItemKind::appSupport, Base::config, "chromium"}, {UninstallItemKind::caches, Base::cache, "chromium"}}}},
    {{"google-chrome", "google-chrome-stable", "com.google.chrome"},
     {{{UninstallItemKind::appSupport, Base::config, "google-chrome"},
       {UninstallItemKind::caches, Base::cache, "google-chrome"}}}},
    {{"brave-browser", "brave-browser-stable", "com.brave.browser"},
     {{{UninstallItemKind::appSupport, Base::config, "BraveSoftware"},
       {UninstallItemKind::caches, Base::cache, "BraveSoftware"}}}},
    {{"microsoft-edge", "microsoft-edge-stable", "com.microsoft.edge"},
     {{{UninstallItemKind::appSupport, Base::config, "microsoft-edge"},
       {UninstallItemKind::caches, Base::cache, "microsoft-edge"}}}},
};

std::string pathOf(const platform::HostTable& table, const Folder& folder) {
    const auto& base = folder.base == Base::home ? table.home : folder.base == Base::config ? table.configHome : table.cacheHome;
    return base.empty() ? std::string() : base + "/" + std::string(folder.name);
}

}  // namespace

std::vector<std::pair<model::UninstallItemKind, std::string>> knownAppFolders(const platform::HostTable& table,
                                                                              const std::vector<std::string>& names) {
    std::vector<std::pair<model::UninstallItemKind, std::string>> folders;
    for (const auto& app : kKnownApps) {
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return !name.empty() && std::find(app.names.begin(), app.names.end(), platform::asciiLowercased(name)) != app.names.end();
        });
        if (!known) continue;
        for (const auto& folder : app.folders) {
            if (const auto path = folder.name.empty() ? std::string() : pathOf(table, folder); !path.empty())
                folders.emplace_back(folder.kind, path);
        }
    }
    return folders;
}

bool isKnownAppFolder(const platform::HostTable& table, const std::string& path) {
    for (const auto& app : kKnownApps) {
        for (const auto& folder : app.folders) {
            if (!folder.name.empty() && pathOf(table, folder) == path) return true;
        }
    }
    return false;
}

}  // namespace zentrel::services
