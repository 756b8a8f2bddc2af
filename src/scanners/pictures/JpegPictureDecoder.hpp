#pragma once
// JPEG pictures decoded for the picture hash only: grey, and scaled down by
// 1/2, 1/4 or 1/8 while decoding (the decoder then skips most of its work),
// as far as both sides stay at least as long as the thumbnail's. The header
// is read first and the gate asked with what the decoding needs; baseline
// pictures then go to the 1/8-scale step, the others (and what that step
// does not read) to the JPEG library under the gate's memory limit.

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is no JPEG that decodes, or the gate refuses it. Reads
// from the file's start.
[[nodiscard]] std::optional<DecodedPicture> decodeJpegForThumbnail(PictureFile& file, int minimumSide,
                                                                   PictureGate& gate);

}  // namespace zentrel::scanners
