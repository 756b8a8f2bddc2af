#pragma once
// The largest picture a HEIF file declares, read from its boxes before
// libheif decodes anything: the size of every image ('ispe') and the canvas
// of every grid and overlay. libheif allocates a grid's or an overlay's
// canvas whole before it decodes the pictures it is made of, whatever size
// the derived image itself claims.
//
//   const auto canvas = largestHeifCanvas(file);
//   if (!canvas || !gate.admit(canvas->width, canvas->height, bytes)) return std::nullopt;

#include "scanners/PictureFile.hpp"

#include <cstdint>
#include <optional>

namespace zentrel::scanners {

struct HeifCanvas {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
};

// None when the file has no readable metadata box, the box is over its
// limit, it declares no size at all, or a derived image is made of items
// that are no pictures (libheif 1.15 aborts on those).
[[nodiscard]] std::optional<HeifCanvas> largestHeifCanvas(PictureFile& file);

}  // namespace zentrel::scanners
