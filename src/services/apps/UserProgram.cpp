#include "services/apps/UserProgram.hpp"

#include "platform/text/AsciiCase.hpp"

#include "services/apps/SharedDesktopPlaces.hpp"

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

// Where `path` leads through the links below the home, spelled from the home
// as the table has it (the home's own path may pass through a link); a path
// that leaves the home, or leads nowhere, keeps its resolved spelling or none.
std::optional<std::string> resolvedInHome(const std::string& path, const platform::HostTable& table,
                                          const platform::FileSystem& fileSystem) {
    const auto resolved = fileSystem.realPath(path);
    const auto home = fileSystem.realPath(table.home);
    if (!resolved || !home) return resolved;
    if (*resolved == *home) return table.home;
    if (resolved->starts_with(*home + "/")) return table.home + resolved->substr(home->size());
    return resolved;
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

ProgramUser programUserOf(const std::string& entryPath, const DesktopEntry& entry, const platform::HostTable& table,
                          const platform::FileSystem& fileSystem) {
    ProgramUser user{.entryPath = entryPath, .name = entry.name, .paths = {}, .bareProgram = {}};
    const auto& exec = entry.execPath;
    std::vector<std::string> written{exec, entry.tryExec};
    if (!entry.workingFolder.empty()) {
        written.push_back(entry.workingFolder);
        if (!exec.empty() && exec.front() != '/') {
            written.push_back(entry.workingFolder + "/" + (exec.starts_with("./") ? exec.substr(2) : exec));
            written.push_back(entry.workingFolder + "/" + std::filesystem::path(exec).filename().string());
        }
    }
    if (!exec.empty() && exec.find('/') == std::string::npos) user.bareProgram = exec;
    for (const auto& path : written) {
        if (path.empty() || path.front() != '/') continue;
        auto plain = std::filesystem::path(path).lexically_normal().string();
        while (plain.size() > 1 && plain.back() == '/') plain.pop_back();
        user.paths.push_back(plain);
        if (auto resolved = resolvedInHome(plain, table, fileSystem); resolved && *resolved != plain) user.paths.push_back(*resolved);
    }
    return user;
}

namespace {

// The first other application that runs `path`, or, for a folder, keeps a
// program or its working folder inside it.
const ProgramUser* userOf(const std::string& path, bool folder, const std::vector<ProgramUser>& others) {
    const auto name = path.substr(path.rfind('/') + 1);
    for (const auto& other : others) {
        for (const auto& used : other.paths) {
            if (used == path || (folder && used.starts_with(path + "/"))) return &other;
        }
        if (!folder && other.bareProgram == name) return &other;
    }
    return nullptr;
}

// A dotfile, or a file of the home's settings and keys.
bool isSettingsFile(const std::string& path, const platform::HostTable& table) {
    if (path.substr(path.rfind('/') + 1).starts_with('.')) return true;
    for (const auto& folder : {table.configHome, table.home + "/.ssh", table.home + "/.gnupg", table.home + "/.pki"}) {
        if (!table.home.empty() && holds(folder, path)) return true;
    }
    return false;
}

}  // namespace

ProgramOffer offerUserProgram(const std::string& program, const std::vector<std::string>& names,
                              const std::vector<ProgramUser>& others, const platform::HostTable& table,
                              const platform::FileSystem& fileSystem) {
    ProgramOffer offer;
    const auto keep = [&](const std::string& path, model::KeptBackReason reason, std::string detail = {}) {
        offer.keptBack.push_back({.path = path, .reason = reason, .detail = std::move(detail)});
    };
    using Reason = model::KeptBackReason;
    if (isSettingsFile(program, table)) {
        keep(program, Reason::settingsFile);
        return offer;
    }
    // A link, or a path through one, goes as the link alone, and only when
    // it leads to a program of the home.
    const auto slash = program.rfind('/');
    const auto folder = program.substr(0, slash);
    if (const auto reached = resolvedInHome(folder, table, fileSystem); reached && *reached != folder) {
        keep(program, Reason::throughLinkedFolder);
        return offer;
    }
    const auto target = resolvedInHome(program, table, fileSystem);
    const bool throughLink = target && *target != program;
    if (throughLink && (!isOwnablePlace(*target, table) || isSettingsFile(*target, table))) {
        keep(program, Reason::linkOutsideHome);
        return offer;
    }
    const auto attributes = target ? fileSystem.attributes(*target) : std::nullopt;
    if (!attributes || !attributes->isRegularFile() || (attributes->permissions & 0111) == 0) {
        keep(program, Reason::notAProgram);
        return offer;
    }
    for (const auto& path : {program, *target}) {
        if (const auto* other = userOf(path, false, others)) {
            keep(program, Reason::usedByAnotherApp, other->name);
            return offer;
        }
    }
    offer.item = program;
    if (throughLink) return offer;

    if (!isOwnablePlace(folder, table)) return offer;
    const auto folderName = folder.substr(folder.rfind('/') + 1);
    auto programName = program.substr(slash + 1);
    if (const auto dot = programName.find('.'); dot != std::string::npos && dot > 0) programName.resize(dot);
    const bool named = isNamedAfter(folderName, programName) || std::any_of(names.begin(), names.end(), [&](const auto& name) {
                           return isNamedAfter(folderName, name);
                       });
    if (!named) return offer;
    const auto& userFolders = table.userFolders;
    if (const auto mine = std::find_if(userFolders.begin(), userFolders.end(),
                                       [&](const std::string& user) { return holds(user, folder); });
        mine != userFolders.end()) {
        keep(folder, Reason::insideUserFolder, *mine);
        return offer;
    }
    if (const auto* other = userOf(folder, true, others)) {
        keep(folder, Reason::usedByAnotherApp, other->name);
        return offer;
    }
    offer.item = folder;
    return offer;
}

}  // namespace zentrel::services
