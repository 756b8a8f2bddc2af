// Videos are decoded by a module of their own that carries the codecs; it is
// loaded on the first video, from the program's folder, where it is
// installed or where the build put it, so that a program that meets no video never loads the codecs.

#include "scanners/PictureHash.hpp"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <mutex>

namespace zentrel::scanners {

namespace {

using DecodeFunction = bool (*)(const char* path, GrayImage* frame);

constexpr const char* kModuleName = "libzentrel_video.so";

std::string programFolder() {
    char self[PATH_MAX];
    const auto length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return {};
    std::string path(self, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/'));
}

DecodeFunction loadDecoder() {
    for (const auto& candidate : {programFolder() + "/" + kModuleName, std::string(ZENTREL_VIDEO_MODULE_INSTALLED_PATH),
                                  std::string(ZENTREL_VIDEO_MODULE_PATH)}) {
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
