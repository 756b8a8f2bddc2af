#include "platform/ProcessNames.hpp"

#include <fstream>
#include <iterator>

namespace zentrel::platform {

std::optional<std::string> programNameOfProcess(std::int64_t pid, const std::filesystem::path& procRoot) {
    if (pid <= 0) return std::nullopt;
    std::ifstream file(procRoot / std::to_string(pid) / "cmdline", std::ios::binary);
    std::string first;
    if (!file || !std::getline(file, first, '\0') || first.empty()) return std::nullopt;
    const auto name = std::filesystem::path(first).filename().string();
    if (name.empty()) return std::nullopt;
    return name;
}

}  // namespace zentrel::platform
