#include "platform/places/ProgramFolders.hpp"

#include <system_error>

namespace zentrel::platform {

std::filesystem::path runningProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

std::vector<std::filesystem::path> helperFolders(const std::filesystem::path& programFolder) {
    if (programFolder.empty()) return {};
    return {programFolder, (programFolder / ZENTREL_HELPERS_FROM_PROGRAMS).lexically_normal()};
}

std::vector<std::filesystem::path> moduleFolders(const std::filesystem::path& programFolder) {
    auto folders = helperFolders(programFolder);
    for (auto& folder : folders) folder /= "modules";
    return folders;
}

}  // namespace zentrel::platform
