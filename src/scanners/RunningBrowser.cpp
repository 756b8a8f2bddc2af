#include "scanners/RunningBrowser.hpp"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
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

// The program names of the browsers' own processes, as /proc shows them.
constexpr std::string_view kFirefoxPrograms[] = {"firefox", "firefox-esr", "firefox-bin", "firefox.real"};
constexpr std::string_view kChromiumPrograms[] = {"chrome", "chromium", "chromium-browser", "brave", "msedge"};

std::optional<std::string> firstLine(const fs::path& path, std::string_view key = {}) {
    std::ifstream file(path);
    std::string line;
    while (file && std::getline(file, line)) {
        if (key.empty()) return line;
        if (line.starts_with(key)) return line.substr(key.size());
    }
    return std::nullopt;
}

// The file name of the program `pid` runs: its executable, or where that
// cannot be read (another user's process) the name the kernel keeps.
std::optional<std::string> programOf(const fs::path& process) {
    std::error_code error;
    auto exe = fs::read_symlink(process / "exe", error).string();
    if (!error) {
        // A program replaced by an upgrade while it runs.
        if (exe.ends_with(" (deleted)")) exe.resize(exe.size() - 10);
        return fs::path(exe).filename().string();
    }
    return firstLine(process / "comm");
}

}  // namespace

bool isProcessOfProgram(std::string_view pidText, std::span<const std::string_view> programs,
                        const std::filesystem::path& procRoot) {
    int pid = 0;
    const auto [end, error] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    if (error != std::errc() || end != pidText.data() + pidText.size() || pid <= 0) return false;
    const auto process = procRoot / std::to_string(pid);
    // /proc also answers for a thread's id; a thread's group is another process.
    const auto group = firstLine(process / "status", "Tgid:");
    if (!group) return false;
    const auto first = group->find_first_not_of(" \t");
    if (first == std::string::npos || group->substr(first) != std::to_string(pid)) return false;
    const auto program = programOf(process);
    return program && std::find(programs.begin(), programs.end(), *program) != programs.end();
}

namespace {

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
    return text->substr(0, dash) == hostName() &&
           isProcessOfProgram(std::string_view(*text).substr(dash + 1), kChromiumPrograms);
}

// "address:+PID".
bool firefoxLockIsLive(const fs::path& profile) {
    const auto text = linkText(profile / "lock");
    if (!text) return false;
    const auto plus = text->rfind(":+");
    return plus != std::string::npos && isProcessOfProgram(std::string_view(*text).substr(plus + 2), kFirefoxPrograms);
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
