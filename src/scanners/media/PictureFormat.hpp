#pragma once
// The picture formats the duplicate finder reads, told apart by the file's
// first bytes, never by its name: each goes to the decoder of that format.

#include <cstddef>
#include <optional>
#include <span>

namespace zentrel::scanners {

enum class PictureFormat { jpeg, png, gif, webp, tiff, bmp, heif };

// The format whose signature the file's first bytes (at least 12 of them
// for WebP and HEIF) carry; none for any other file.
[[nodiscard]] std::optional<PictureFormat> pictureFormatOf(std::span<const unsigned char> head);

}  // namespace zentrel::scanners
