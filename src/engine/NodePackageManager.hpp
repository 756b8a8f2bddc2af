#pragma once
// The package manager of a JavaScript project, told by its lock file.

#include "platform/files/FileSystem.hpp"

#include <string>
#include <string_view>

namespace zentrel::engine {

enum class NodePackageManager { pnpm, yarn, npm, bun, unknown };

// "pnpm", "yarn", "npm", "bun"; empty for unknown.
[[nodiscard]] std::string_view label(NodePackageManager manager);

// The first lock file found, in the order pnpm, yarn, bun, npm.
[[nodiscard]] NodePackageManager packageManagerForProject(const platform::FileSystem& fileSystem,
                                                          const std::string& projectPath);

}  // namespace zentrel::engine
