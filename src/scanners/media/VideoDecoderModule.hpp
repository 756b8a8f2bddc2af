#pragma once
// What the codec module decodes: the first frame of a video, within the
// picture gate's memory and a deadline per file on the platform clock.
//
//   PictureGate gate;
//   auto frame = decodeFirstVideoFrame(path, gate, platform::SystemClock::shared());
//   if (!frame && gate.refusedAsTooLarge()) ++skippedAsTooLarge;

#include "platform/concurrency/Clock.hpp"
#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::scanners {

// The time one video may take to open and give its first frame.
inline constexpr double kSecondsPerVideo = 30.0;

// None when the file is no regular file of a listed container, it has no
// video stream of a declared size, the gate refuses a size (the stream's or
// a frame's), its time runs out, or nothing decodes.
[[nodiscard]] std::optional<GrayImage> decodeFirstVideoFrame(const std::string& path, PictureGate& gate,
                                                             const platform::Clock& clock);
// Whether the video is one the gate refuses for its size; only its headers are read.
[[nodiscard]] bool isVideoTooLarge(const std::string& path);

}  // namespace zentrel::scanners
