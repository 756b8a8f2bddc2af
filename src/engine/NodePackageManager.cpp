#include "engine/NodePackageManager.hpp"

#include <array>
#include <utility>

namespace zentrel::engine {

std::string_view label(NodePackageManager manager) {
    switch (manager) {
        case NodePackageManager::pnpm: return "pnpm";
        case NodePackageManager::yarn: return "yarn";
        case NodePackageManager::npm: return "npm";
        case NodePackageManager::bun: return "bun";
        case NodePackageManager::unknown: return {};
    }
    return {};
}

NodePackageManager packageManagerForProject(const platform::FileSystem& fileSystem, const std::string& projectPath) {
    constexpr std::array<std::pair<std::string_view, NodePackageManager>, 4> kLockFiles = {{
        {"/pnpm-lock.yaml", NodePackageManager::pnpm},
        {"/yarn.lock", NodePackageManager::yarn},
        {"/bun.lockb", NodePackageManager::bun},
        {"/package-lock.json", NodePackageManager::npm},
    }};
    for (const auto& [file, manager] : kLockFiles)
        if (fileSystem.exists(projectPath + std::string(file))) return manager;
    return NodePackageManager::unknown;
}

}  // namespace zentrel::engine
