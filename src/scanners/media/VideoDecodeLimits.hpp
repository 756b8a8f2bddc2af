#pragma once
// What the video module asks of the scan while it opens and decodes one
// file: memory for the frames (from the picture gate), and whether the
// file's time is up (from the platform clock). Plain functions and a context
// pointer, since the module is loaded apart from the scan's code.
//
//   VideoDecodeLimits limits{.admit = ..., .expired = ..., .context = &budget};
//   decodeFirstFrame(path, &limits, &frame);

#include <cstdint>

namespace zentrel::scanners {

struct VideoDecodeLimits {
    // Asked with the stream's declared size before the decoder opens, then
    // with each frame's own size; false refuses the file.
    bool (*admit)(void* context, std::uint64_t width, std::uint64_t height, std::uint64_t bytes) = nullptr;
    // Whether the file has used up its time: reading and demuxing stop.
    bool (*expired)(void* context) = nullptr;
    void* context = nullptr;
};

// The decoder's frames (with the codec's reference frames and the scaler's
// rows), and its own state, for a video of this many pixels a frame.
inline constexpr std::uint64_t kVideoFixedBytes = std::uint64_t{32} << 20;
inline constexpr std::uint64_t kVideoBytesPerPixel = 12;

}  // namespace zentrel::scanners
