#include "scanners/privacy/RunningBrowser.hpp"

#include "platform/files/PosixFileSystem.hpp"

#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>

namespace zentrel::scanners {

namespace {

namespace fs = std::filesystem;
using platform::FileLockState;
using platform::SocketAnswer;

std::optional<std::string> linkText(const fs::path& link) {
    std::error_code error;
    auto target = fs::read_symlink(link, error);
    if (error) return std::nullopt;
    return target.string();
}

// The program names of the browsers' own processes, as /proc shows them.
constexpr std::string_view kFirefoxPrograms[] = {"firefox", "firefox-esr", "firefox-bin", "firefox.real"};
constexpr std::string_view kChromiumPrograms[] = {"chrome", "chromium", "chromium-browser", "brave", "msedge"};

std::optional<std::int64_t> pidOf(std::string_view text) {
    std::int64_t pid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
    return pid;
}

bool runs(const platform::ProcessRecord& process, bool firefox) {
    const auto& programs = firefox ? std::span<const std::string_view>(kFirefoxPrograms)
                                   : std::span<const std::string_view>(kChromiumPrograms);
    return std::find(programs.begin(), programs.end(), process.program) != programs.end();
}

bool isWithin(const fs::path& path, const fs::path& folder) {
    const auto relative = path.lexically_normal().lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// The key/value of one group of a key file ("[Application]" / "name=...").
std::optional<std::string> keyFileValue(std::string_view text, std::string_view group, std::string_view key) {
    bool inGroup = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with('[')) {
            inGroup = line.size() == group.size() + 2 && line.substr(1, group.size()) == group;
        } else if (inGroup && line.starts_with(key) && line.substr(key.size()).starts_with('=')) {
            return std::string(line.substr(key.size() + 1));
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> flatpakAppOfPath(const fs::path& path) {
    bool afterVar = false;
    bool afterApp = false;
    for (const auto& part : path.lexically_normal()) {
        if (afterApp) return part.empty() ? std::nullopt : std::optional(part.string());
        afterApp = afterVar && part == "app";
        afterVar = part == ".var";
    }
    return std::nullopt;
}

RunningBrowsers::RunningBrowsers(const platform::ProcessSystem& system, const platform::FileSystem& fileSystem)
    : system_(system), fileSystem_(fileSystem) {}

const RunningBrowsers& RunningBrowsers::shared() {
    static const RunningBrowsers browsers(platform::LinuxProcessSystem::shared(), platform::PosixFileSystem::shared());
    return browsers;
}

std::optional<bool> RunningBrowsers::flatpakRuns(const std::string& app) const {
    const auto runtime = system_.runtimeFolder();
    if (runtime.empty()) return std::nullopt;
    const auto records = runtime + "/.flatpak";
    if (!fileSystem_.exists(records)) return false;  // no sandbox has run this session
    const auto instances = fileSystem_.contentsOfDirectory(records);
    if (!instances) return std::nullopt;
    for (const auto& instance : *instances) {
        const auto folder = records + "/" + instance;
        const auto info = fileSystem_.readFile(folder + "/info", 64 * 1024);
        if (!info || keyFileValue(*info, "Application", "name") != app) continue;
        // The sandbox keeps ".ref" locked while it runs; a record of older versions has none.
        if (system_.fileLock(folder + "/.ref") != FileLockState::unlocked) return true;
    }
    return false;
}

bool RunningBrowsers::browserHasOpen(const fs::path& folder, bool firefox) const {
    std::vector<fs::path> spellings{folder.lexically_normal()};
    if (auto real = fileSystem_.realPath(folder.string()); real && fs::path(*real) != spellings.front())
        spellings.emplace_back(*real);
    const auto names = [&](const std::string& text) {
        return std::any_of(spellings.begin(), spellings.end(), [&](const fs::path& spelling) {
            if (text.empty() || text.front() != '/') return false;
            auto named = fs::path(text).lexically_normal();
            if (!named.has_filename()) named = named.parent_path();  // "FOLDER/"
            return named == spelling;
        });
    };
    for (const auto& process : system_.processes()) {
        if (!runs(process, firefox)) continue;
        // "--user-data-dir=FOLDER", "--user-data-dir FOLDER", "-profile FOLDER".
        for (const auto& argument : process.arguments) {
            const auto equals = argument.find('=');
            if (names(argument) || (argument.starts_with("--") && equals != std::string::npos && names(argument.substr(equals + 1))))
                return true;
        }
        for (const auto& file : system_.openFiles(process.pid)) {
            if (std::any_of(spellings.begin(), spellings.end(), [&](const fs::path& spelling) { return isWithin(file, spelling); }))
                return true;
        }
    }
    return false;
}

std::optional<BrowserHold> RunningBrowsers::firefoxHold(const fs::path& profile) const {
    if (const auto app = flatpakAppOfPath(profile)) {
        if (const auto runs = flatpakRuns(*app)) return *runs ? std::optional(BrowserHold::running) : std::nullopt;
    }
    if (browserHasOpen(profile, true)) return BrowserHold::running;
    bool settled = false;
    for (const auto* name : {".parentlock", "lock"}) {
        const auto state = system_.fileLock((profile / name).string());
        if (state == FileLockState::locked) return BrowserHold::running;
        settled = settled || state == FileLockState::unlocked;
    }
    if (settled) return std::nullopt;
    // "address:+PID" alone: a Firefox of this system is on another profile.
    const auto text = linkText(profile / "lock");
    const auto plus = text ? text->rfind(":+") : std::string::npos;
    const auto pid = plus == std::string::npos ? std::nullopt : pidOf(std::string_view(*text).substr(plus + 2));
    if (!pid) return std::nullopt;
    const auto process = system_.process(*pid);
    if (process && runs(*process, true)) return std::nullopt;
    return BrowserHold::maybeSandboxed;
}

std::optional<BrowserHold> RunningBrowsers::chromiumHold(const fs::path& userData) const {
    // "host-PID".
    const auto text = linkText(userData / "SingletonLock");
    if (!text) return std::nullopt;
    if (const auto app = flatpakAppOfPath(userData)) {
        if (const auto runs = flatpakRuns(*app)) return *runs ? std::optional(BrowserHold::running) : std::nullopt;
    }
    if (browserHasOpen(userData, false)) return BrowserHold::running;
    switch (system_.connectTo((userData / "SingletonSocket").string())) {
    case SocketAnswer::answers: return BrowserHold::running;
    case SocketAnswer::refused: return std::nullopt;
    case SocketAnswer::unreachable: break;
    }
    const auto dash = text->rfind('-');
    const auto pid = dash == std::string::npos ? std::nullopt : pidOf(std::string_view(*text).substr(dash + 1));
    if (!pid) return std::nullopt;
    const auto process = text->substr(0, dash) == system_.hostName() ? system_.process(*pid) : std::nullopt;
    // A Chromium of this system, on another profile.
    if (process && runs(*process, false)) return std::nullopt;
    return BrowserHold::maybeSandboxed;
}

std::optional<BrowserHold> RunningBrowsers::holdOn(const std::string& storePath) const {
    const fs::path store(storePath);
    const auto profile = store.parent_path();
    // A Firefox profile has its lock beside the store.
    if (fileSystem_.attributes((profile / "lock").string()) || fileSystem_.exists((profile / ".parentlock").string()))
        return firefoxHold(profile);
    // "Profile/Cookies" or "Profile/Network/Cookies", under the user-data folder.
    for (const auto& userData : {profile.parent_path(), profile.parent_path().parent_path()}) {
        if (fileSystem_.attributes((userData / "SingletonLock").string())) return chromiumHold(userData);
    }
    return std::nullopt;
}

std::optional<BrowserHold> runningBrowserHold(const std::string& storePath) {
    return RunningBrowsers::shared().holdOn(storePath);
}

bool isHeldByRunningBrowser(const std::string& storePath) { return runningBrowserHold(storePath).has_value(); }

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
