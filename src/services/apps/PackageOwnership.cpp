#include "services/apps/PackageOwnership.hpp"

namespace zentrel::services {

namespace {

bool startsWithFolder(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() + 1 && path.starts_with(folder) && path[folder.size()] == '/';
}

// dpkg's file list "NAME.list" or "NAME:ARCH.list" -> NAME.
std::string packageOfList(const std::string& listName) {
    auto name = listName.substr(0, listName.size() - 5);
    if (const auto colon = name.find(':'); colon != std::string::npos) name.resize(colon);
    return name;
}

}  // namespace

PackageOwnership::PackageOwnership(const platform::FileSystem& fileSystem, const platform::HostTable& table)
    : table_(table) {
    if (table.dpkgInfo.empty()) return;
    const auto& info = table.dpkgInfo;
    for (const auto& name : fileSystem.contentsOfDirectory(info).value_or(std::vector<std::string>{})) {
        if (name.size() <= 5 || !name.ends_with(".list")) continue;
        const auto text = fileSystem.readFile(info + "/" + name, 16 << 20);
        if (!text) continue;
        // Only desktop entries are asked for.
        std::size_t start = 0;
        while (start < text->size()) {
            auto end = text->find('\n', start);
            if (end == std::string::npos) end = text->size();
            const std::string_view line(text->data() + start, end - start);
            if (line.ends_with(".desktop") && line.find("/applications/") != std::string_view::npos)
                dpkgOwners_.try_emplace(std::string(line), packageOfList(name));
            start = end + 1;
        }
    }
}

std::optional<model::PackageOwner> PackageOwnership::ownerOf(const std::string& entryPath,
                                                             const std::string& desktopID) const {
    using Manager = model::PackageOwner::Manager;
    for (const auto& folder : table_.flatpakExports) {
        if (startsWithFolder(entryPath, folder)) return model::PackageOwner{Manager::flatpak, desktopID};
    }
    if (startsWithFolder(entryPath, table_.snapExports)) {
        // "NAME_APP.desktop": the snap is NAME.
        return model::PackageOwner{Manager::snap, desktopID.substr(0, desktopID.find('_'))};
    }
    const auto& root = table_.systemRoot;
    if (root.empty() || !entryPath.starts_with(root)) return std::nullopt;
    auto below = root == "/" ? entryPath : entryPath.substr(root.size());
    if (below.empty() || below.front() != '/') return std::nullopt;
    if (const auto found = dpkgOwners_.find(below); found != dpkgOwners_.end())
        return model::PackageOwner{Manager::dpkg, found->second};
    return std::nullopt;
}

}  // namespace zentrel::services
