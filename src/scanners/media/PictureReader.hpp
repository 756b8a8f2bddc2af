#pragma once
// The one entry through which the duplicate finder reads a picture file:
// the format comes from the file's signature (its name plays no part) and
// the file goes to that format's decoder alone, which reads the declared
// size, asks the gate and decodes within its memory limit. A file of any
// other format, a damaged one or one the gate refuses gives none.
//
//   PictureGate gate;
//   auto picture = readPicture(path, gate);
//   if (!picture && gate.refusedAsTooLarge()) ++skippedAsTooLarge;

#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <optional>
#include <string>

namespace zentrel::scanners {

// The picture, its image reduced for the thumbnail (to the thumbnail's side,
// or for JPEG pictures to a few times that).
[[nodiscard]] std::optional<DecodedPicture> readPicture(const std::string& path, PictureGate& gate);
// The same with the image reduced to `side` (for JPEG pictures to at least
// that), for the window's thumbnails.
[[nodiscard]] std::optional<DecodedPicture> readPictureAtSide(const std::string& path, PictureGate& gate, int side);
// The same with a gate of the shared budget.
[[nodiscard]] std::optional<DecodedPicture> decodePicture(const std::string& path);
// Whether the file is a picture that the pixel limit or the memory budget
// refuses; only its header is read.
[[nodiscard]] bool isPictureTooLarge(const std::string& path);

}  // namespace zentrel::scanners
