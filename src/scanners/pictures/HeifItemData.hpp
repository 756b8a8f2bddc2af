#pragma once
// An item's data in a HEIF file, as one run of bytes over its extents: in
// the file, or in the metadata's own data box.
//
//   HeifItemData data(file, metadataData, /*inMetadata=*/false, extents);
//   std::array<unsigned char, 4> length{};
//   if (data.read(at, length) == length.size()) ...

#include "scanners/media/PictureFile.hpp"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace zentrel::scanners {

class HeifItemData final {
public:
    // Offsets and lengths of the extents; a length of nought reaches the end of the data.
    using Extents = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

    HeifItemData(PictureFile& file, std::span<const unsigned char> metadataData, bool inMetadata, Extents extents);

    [[nodiscard]] std::uint64_t size() const { return size_; }
    // Copies bytes from `from` on into `into`; how many, fewer past the end or when the file cannot be read.
    [[nodiscard]] std::size_t read(std::uint64_t from, std::span<unsigned char> into) const;

private:
    PictureFile& file_;
    std::span<const unsigned char> metadataData_;
    bool inMetadata_;
    Extents extents_;  // clipped to the data they lie in
    std::uint64_t size_ = 0;
};

}  // namespace zentrel::scanners
