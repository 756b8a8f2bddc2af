#include "services/UserProgram.hpp"

#include "platform/text/AsciiCase.hpp"

#include "services/SharedDesktopPlaces.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace zentrel::services {

namespace {

// `text` as a plain absolute path: no "." or ".." on the way, no empty step.
std::optional<std::string> plainAbsolute(std::string path) {
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos) return std::nullopt;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    for (std::size_t start = 1; start <= path.size();) {
        const auto end = std::min(path.find('/', start), path.size());
        const auto step = std::string_view(path).substr(start, end - start);
        if (step.empty() || step == "." || step == "..") return std::nullopt;
        start = end + 1;
    }
    return path;
}

bool holds(const std::string& folder, const std::string& path) {
    return !path.empty() && (path == folder || path.starts_with(folder + "/"));
}

// Strictly inside the home, neither a main folder nor a shared place, nor
// inside one (a folder on the way that holds the XDG folders or is a main
// folder is no shared place of its own).
bool isOwnablePlace(const std::string& path, const platform::HostTable& table) {
    if (table.home.empty() || !path.starts_with(table.home + "/")) return false;
    const auto& main = table.protectedFolders;
    if (std::find(main.begin(), main.end(), path) != main.end()) return false;
    for (auto at = path; at.size() > table.home.size(); at = at.substr(0, at.rfind('/'))) {
        const bool holdsXdgFolder = holds(at, table.configHome) || holds(at, table.dataHome) ||
                                    holds(at, table.cacheHome) || holds(at, table.stateHome);
        const bool isMain = std::find(main.begin(), main.end(), at) != main.end();
        if (!holdsXdgFolder && !isMain && isSharedDesktopPlace(table, at)) return false;
    }
    return true;
}

// "inkpad", "Inkpad-2.1" or "inkpad_x64" for the name "inkpad".
bool isNamedAfter(const std::string& folderName, const std::string& name) {
    const auto folder = platform::asciiLowercased(folderName);
    const auto wanted = platform::asciiLowercased(name);
    if (wanted.size() < 3 || !folder.starts_with(wanted)) return false;
    return folder.size() == wanted.size() || !std::isalnum(static_cast<unsigned char>(folder[wanted.size()]));
}

}  // namespace

std::optional<std::string> userProgramOf(const DesktopEntry& entry, const platform::FileSystem& fileSystem,
                                         const platform::HostTable& table) {
    std::vector<std::string> candidates;
    const auto& exec = entry.execPath;
    const auto folder = plainAbsolute(entry.workingFolder);
    if (!exec.empty() && exec.front() == '/') {
        candidates.push_back(exec);
    } else if (folder && exec.find('/') != std::string::npos) {
        candidates.push_back(*folder + "/" + (exec.starts_with("./") ? exec.substr(2) : exec));
    }
    candidates.push_back(entry.tryExec);
    if (folder && !exec.empty()) candidates.push_back(*folder + "/" + std::filesystem::path(exec).filename().string());
    for (const auto& candidate : candidates) {
        const auto path = plainAbsolute(candidate);
        if (!path || !isOwnablePlace(*path, table)) continue;
        // A link there is the user's too, and goes as a link.
        const auto attributes = fileSystem.attributes(*path);
        if (attributes && !attributes->isDirectory()) return path;
    }
    return std::nullopt;
}

std::string userProgramItem(const std::string& program, const std::vector<std::string>& names,
                            const std::vector<std::string>& otherPrograms, const platform::HostTable& table) {
    const auto slash = program.rfind('/');
    const auto folder = program.substr(0, slash);
    if (!isOwnablePlace(folder, table)) return program;
    const auto folderName = folder.substr(folder.rfind('/') + 1);
    auto programName = program.substr(slash + 1);
    if (const auto dot = programName.find('.'); dot != std::string::npos && dot > 0) programName.resize(dot);
    const bool named = isNamedAfter(folderName, programName) || std::any_of(names.begin(), names.end(), [&](const auto& name) {
                           return isNamedAfter(folderName, name);
                       });
    const bool shared = std::any_of(otherPrograms.begin(), otherPrograms.end(),
                                    [&](const std::string& other) { return other.starts_with(folder + "/"); });
    return named && !shared ? folder : program;
}

}  // namespace zentrel::services
