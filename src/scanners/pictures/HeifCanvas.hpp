#pragma once
// The largest picture a HEIF file declares, read from its boxes before
// libheif decodes anything: the size of every image ('ispe'), the canvas of
// every grid and overlay, and the coded size of every HEVC picture (its
// sequence parameter sets) with its chroma format and bit depth. libheif allocates a grid's or an overlay's
// canvas whole before it decodes the pictures it is made of, and decodes a
// picture at its coded size, whatever size the file's boxes claim.
//
//   const auto canvas = largestHeifCanvas(file);
//   if (!canvas || !gate.admit(canvas->width, canvas->height, bytes)) return std::nullopt;

#include "scanners/media/PictureFile.hpp"

#include <cstdint>
#include <optional>

namespace zentrel::scanners {

struct HeifCanvas {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    // The planes of the largest coded picture, at its chroma format and bit depth.
    std::uint64_t codedPictureBytes = 0;
};

// None when the file has no readable metadata box or more than one, the box
// is over its limit or malformed, it declares no size at all, a size cannot
// be followed (data kept in another item, AV1 pictures), a derived image is
// made of items that are no pictures (libheif 1.15 aborts on those), or a
// coded image holds more than one picture (the decoder would keep each).
// Of the metadata's own boxes the first of each kind is read, as libheif does.
[[nodiscard]] std::optional<HeifCanvas> largestHeifCanvas(PictureFile& file);

}  // namespace zentrel::scanners
