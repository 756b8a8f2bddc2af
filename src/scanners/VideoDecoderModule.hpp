#pragma once
// What the codec module decodes besides videos: still pictures through one
// named FFmpeg decoder.

#include "scanners/PictureHash.hpp"

#include <cstdint>
#include <optional>
#include <vector>

namespace zentrel::scanners {

// The picture the whole file `bytes` holds, through FFmpeg's decoder of that
// name alone, which refuses pictures of more than `maxPixels`; the image at
// most 512 x 512, the sides the picture's own. None when it does not decode.
[[nodiscard]] std::optional<DecodedPicture> decodeStillWithFfmpeg(const std::vector<unsigned char>& bytes,
                                                                  const char* decoder, std::uint64_t maxPixels);

}  // namespace zentrel::scanners
