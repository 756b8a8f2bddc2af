// Videos, and pictures of the formats FFmpeg's decoders read, are decoded by
// a module of its own that carries the codecs; it is loaded on the first one, from the program's module folders (beside it, or
// in the install tree's helper folder) or where the build put it, so that a program that meets
// no video never loads the codecs.

#include "scanners/PictureHash.hpp"
#include "scanners/VideoDecoderModule.hpp"

#include "platform/places/ProgramFolders.hpp"

#include <dlfcn.h>

#include <string>
#include <vector>

namespace zentrel::scanners {

namespace {

using DecodeFunction = bool (*)(const char* path, GrayImage* frame);
using DecodeStillFunction = bool (*)(const std::uint8_t* bytes, std::size_t size, const char* decoder,
                                     std::int64_t maxPixels, DecodedPicture* picture);

constexpr const char* kModuleName = "libzentrel_video.so";

struct VideoModule {
    DecodeFunction decodeFirstFrame = nullptr;
    DecodeStillFunction decodeStill = nullptr;
};

VideoModule loadModule() {
    std::vector<std::string> candidates;
    for (const auto& folder : platform::moduleFolders(platform::runningProgramFolder()))
        candidates.push_back((folder / kModuleName).string());
    candidates.emplace_back(ZENTREL_VIDEO_MODULE_PATH);
    for (const auto& candidate : candidates) {
        if (void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            const VideoModule found{
                reinterpret_cast<DecodeFunction>(::dlsym(module, "zentrelDecodeFirstVideoFrame")),
                reinterpret_cast<DecodeStillFunction>(::dlsym(module, "zentrelDecodeStillPicture"))};
            if (found.decodeFirstFrame && found.decodeStill) return found;
            ::dlclose(module);
        }
    }
    return {};
}

const VideoModule& videoModule() {
    static const VideoModule module = loadModule();
    return module;
}

}  // namespace

std::optional<GrayImage> decodeFirstVideoFrame(const std::string& path) {
    const auto decode = videoModule().decodeFirstFrame;
    GrayImage frame;
    if (decode == nullptr || !decode(path.c_str(), &frame)) return std::nullopt;
    return frame;
}

std::optional<DecodedPicture> decodeStillWithFfmpeg(const std::vector<unsigned char>& bytes, const char* decoder,
                                                    std::uint64_t maxPixels) {
    const auto decode = videoModule().decodeStill;
    DecodedPicture picture;
    if (decode == nullptr || !decode(bytes.data(), bytes.size(), decoder, static_cast<std::int64_t>(maxPixels), &picture))
        return std::nullopt;
    return picture;
}

}  // namespace zentrel::scanners
