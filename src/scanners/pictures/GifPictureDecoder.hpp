#pragma once
// GIF pictures reduced to the picture hash's grey thumbnail through giflib:
// the first image, drawn on the picture's canvas, transparent parts black.
// The canvas size goes to the gate before a pixel is decompressed; the
// decoder holds one byte per canvas pixel and one line.

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is no GIF that decodes, or the gate refuses it.
[[nodiscard]] std::optional<DecodedPicture> decodeGifThumbnail(PictureFile& file, int side, PictureGate& gate);

}  // namespace zentrel::scanners
