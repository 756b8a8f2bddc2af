// Videos are decoded by a module of their own that carries the codecs; it is
// loaded on the first video, from the program's module folders (beside it, or
// in the install tree's helper folder) or where the build put it, so that a program that meets
// no video never loads the codecs.

#include "scanners/PictureHash.hpp"

#include "platform/ProgramFolders.hpp"

#include <dlfcn.h>

#include <string>
#include <vector>

namespace zentrel::scanners {

namespace {

using DecodeFunction = bool (*)(const char* path, GrayImage* frame);

constexpr const char* kModuleName = "libzentrel_video.so";

DecodeFunction loadDecoder() {
    std::vector<std::string> candidates;
    for (const auto& folder : platform::moduleFolders(platform::runningProgramFolder()))
        candidates.push_back((folder / kModuleName).string());
    candidates.emplace_back(ZENTREL_VIDEO_MODULE_PATH);
    for (const auto& candidate : candidates) {
        if (void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (auto* decode = reinterpret_cast<DecodeFunction>(::dlsym(module, "zentrelDecodeFirstVideoFrame")))
                return decode;
            ::dlclose(module);
        }
    }
    return nullptr;
}

}  // namespace

std::optional<GrayImage> decodeFirstVideoFrame(const std::string& path) {
    static const DecodeFunction decode = loadDecoder();
    GrayImage frame;
    if (decode == nullptr || !decode(path.c_str(), &frame)) return std::nullopt;
    return frame;
}

}  // namespace zentrel::scanners
