#include "scanners/RunningBrowser.hpp"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <optional>
#include <signal.h>
#include <string_view>
#include <unistd.h>

namespace zentrel::scanners {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> linkText(const fs::path& link) {
    std::error_code error;
    auto target = fs::read_symlink(link, error);
    if (error) return std::nullopt;
    return target.string();
}

bool isAlive(std::string_view pidText) {
    int pid = 0;
    const auto [end, error] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    if (error != std::errc() || end != pidText.data() + pidText.size() || pid <= 0) return false;
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

// "host-PID": a live process of this host.
bool chromiumLockIsLive(const fs::path& folder) {
    const auto text = linkText(folder / "SingletonLock");
    if (!text) return false;
    const auto dash = text->rfind('-');
    if (dash == std::string::npos) return false;
    return text->substr(0, dash) == hostName() && isAlive(std::string_view(*text).substr(dash + 1));
}

// "address:+PID".
bool firefoxLockIsLive(const fs::path& profile) {
    const auto text = linkText(profile / "lock");
    if (!text) return false;
    const auto plus = text->rfind(":+");
    return plus != std::string::npos && isAlive(std::string_view(*text).substr(plus + 2));
}

}  // namespace

bool isHeldByRunningBrowser(const std::string& storePath) {
    const fs::path store(storePath);
    const auto profile = store.parent_path();
    if (firefoxLockIsLive(profile)) return true;
    // "Profile/Cookies" or "Profile/Network/Cookies", under the user-data folder.
    return chromiumLockIsLive(profile.parent_path()) || chromiumLockIsLive(profile.parent_path().parent_path());
}

std::vector<BrowserFolder> browserFolders(const platform::HostTable& table) {
    std::vector<BrowserFolder> folders;
    for (const auto& [raw, userData] : table.chromiumBrowsers) {
        if (auto browser = model::browserKindFromRaw(raw)) folders.push_back({*browser, userData});
    }
    for (const auto& folder : table.firefoxProfileFolders) folders.push_back({model::BrowserKind::firefox, folder});
    return folders;
}

std::optional<model::BrowserKind> browserOfStore(const std::string& storePath, const std::vector<BrowserFolder>& folders) {
    const auto store = fs::path(storePath).lexically_normal();
    for (const auto& [browser, folder] : folders) {
        const auto relative = store.lexically_relative(folder.lexically_normal());
        if (!relative.empty() && *relative.begin() != ".." && relative != ".") return browser;
    }
    return std::nullopt;
}

}  // namespace zentrel::scanners
