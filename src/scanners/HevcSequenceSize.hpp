#pragma once
// The coded picture size an HEVC sequence parameter set declares. libheif
// decodes a HEIF picture at this size, whatever the file's own size boxes
// claim, so it goes to the gate as well.
//
//   if (const auto coded = hevcSequenceSize(nal)) consider(coded->width, coded->height);

#include <cstdint>
#include <optional>
#include <span>

namespace zentrel::scanners {

struct HevcPictureSize {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
};

// Whether `nal` (from its two-byte header) is a sequence parameter set.
[[nodiscard]] bool isHevcSequenceParameterSet(std::span<const unsigned char> nal);

// The size in luma samples; none when `nal` is no sequence parameter set or ends before the size.
[[nodiscard]] std::optional<HevcPictureSize> hevcSequenceSize(std::span<const unsigned char> nal);

}  // namespace zentrel::scanners
