#pragma once
// JPEG pictures decoded for the picture hash only: grey, and scaled down by
// 1/2, 1/4 or 1/8 while decoding (the decoder then skips most of its work),
// as far as both sides stay at least as long as the thumbnail's.

#include "scanners/PictureFile.hpp"
#include "scanners/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is not a JPEG that this decoder reads (the caller then
// decodes it whole another way). Reads from the file's start.
[[nodiscard]] std::optional<DecodedPicture> decodeJpegForThumbnail(PictureFile& file, int minimumSide);

}  // namespace zentrel::scanners
