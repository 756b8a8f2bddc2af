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
    // 0 for grey, 1 for 4:2:0, 2 for 4:2:2, 3 for 4:4:4 (or its planes apart).
    unsigned chromaFormat = 1;
    // The deeper of the luma and chroma samples, in bits.
    unsigned bitDepth = 8;
};

// The bytes one decoded picture of that size takes in the decoder's planes.
[[nodiscard]] std::uint64_t hevcPictureBytes(const HevcPictureSize& size);

// Whether `nal` (from its two-byte header) is a sequence parameter set.
[[nodiscard]] bool isHevcSequenceParameterSet(std::span<const unsigned char> nal);

// The size in luma samples, the chroma format and the bit depth; none when
// `nal` is no sequence parameter set or ends before its bit depths.
[[nodiscard]] std::optional<HevcPictureSize> hevcSequenceSize(std::span<const unsigned char> nal);

}  // namespace zentrel::scanners
