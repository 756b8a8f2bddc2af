// Videos are decoded by a module of its own that carries the codecs, loaded
// on the first one (see
// DecoderModules.hpp), so that a program that meets no video never loads them.

#include "scanners/media/PictureHash.hpp"
#include "scanners/media/VideoDecodeLimits.hpp"
#include "scanners/media/VideoDecoderModule.hpp"

#include "scanners/media/DecoderModules.hpp"

#include <dlfcn.h>

#include <string>

namespace zentrel::scanners {

namespace {

using DecodeFunction = bool (*)(const char* path, const VideoDecodeLimits* limits, GrayImage* frame);

constexpr const char* kModuleName = "libzentrel_video.so";

DecodeFunction loadModule() {
    void* module = openDecoderModule(kModuleName, ZENTREL_VIDEO_MODULE_PATH);
    return module ? reinterpret_cast<DecodeFunction>(::dlsym(module, "zentrelDecodeFirstVideoFrame")) : nullptr;
}

DecodeFunction firstFrameDecoder() {
    static const DecodeFunction decode = loadModule();
    return decode;
}

// The gate admits the stream's declared size once, then covers each frame; the deadline is the file's.
struct VideoBudget {
    PictureGate& gate;
    const platform::Clock& clock;
    platform::Date deadline;
    bool admitted = false;
};

bool admitVideo(void* context, std::uint64_t width, std::uint64_t height, std::uint64_t bytes) {
    auto& budget = *static_cast<VideoBudget*>(context);
    if (budget.admitted) return budget.gate.covers(width, height, bytes);
    budget.admitted = budget.gate.admit(width, height, bytes);
    return budget.admitted;
}

bool videoTimeIsUp(void* context) {
    const auto& budget = *static_cast<const VideoBudget*>(context);
    return budget.clock.now() >= budget.deadline;
}

}  // namespace

std::optional<GrayImage> decodeFirstVideoFrame(const std::string& path, PictureGate& gate,
                                               const platform::Clock& clock) {
    const auto decode = firstFrameDecoder();
    if (decode == nullptr) return std::nullopt;
    VideoBudget budget{gate, clock, clock.now().addingTimeInterval(kSecondsPerVideo)};
    const VideoDecodeLimits limits{.admit = admitVideo, .expired = videoTimeIsUp, .context = &budget};
    GrayImage frame;
    if (!decode(path.c_str(), &limits, &frame)) return std::nullopt;
    return frame;
}

std::optional<GrayImage> decodeFirstVideoFrame(const std::string& path) {
    PictureGate gate;
    return decodeFirstVideoFrame(path, gate, platform::SystemClock::shared());
}

bool isVideoTooLarge(const std::string& path) {
    auto gate = PictureGate::probe();
    (void)decodeFirstVideoFrame(path, gate, platform::SystemClock::shared());
    return gate.refusedAsTooLarge();
}

}  // namespace zentrel::scanners
