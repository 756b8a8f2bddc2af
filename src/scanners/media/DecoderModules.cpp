#include "scanners/media/DecoderModules.hpp"

#include "platform/places/ProgramFolders.hpp"

#include <dlfcn.h>

#include <string>
#include <vector>

namespace zentrel::scanners {

void* openDecoderModule(const char* fileName, const char* builtPath) {
    std::vector<std::string> candidates;
    for (const auto& folder : platform::moduleFolders(platform::runningProgramFolder()))
        candidates.push_back((folder / fileName).string());
    candidates.emplace_back(builtPath);
    for (const auto& candidate : candidates)
        if (void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return module;
    return nullptr;
}

}  // namespace zentrel::scanners
