#include "scanners/pictures/HeifItemData.hpp"

#include <algorithm>

namespace zentrel::scanners {

HeifItemData::HeifItemData(PictureFile& file, std::span<const unsigned char> metadataData, bool inMetadata,
                           Extents extents)
    : file_(file), metadataData_(metadataData), inMetadata_(inMetadata) {
    const std::uint64_t room = inMetadata ? metadataData.size() : file.sizeBytes();
    for (const auto& [offset, length] : extents) {
        if (offset > room) break;
        const auto clipped = length == 0 || length > room - offset ? room - offset : length;
        extents_.emplace_back(offset, clipped);
        size_ += clipped;
    }
}

std::size_t HeifItemData::read(std::uint64_t from, std::span<unsigned char> into) const {
    std::size_t copied = 0;
    std::uint64_t extentStart = 0;
    for (const auto& [offset, length] : extents_) {
        if (copied == into.size()) break;
        const auto at = from + copied;
        if (at >= extentStart + length) {
            extentStart += length;
            continue;
        }
        const auto within = at - extentStart;
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(length - within, into.size() - copied));
        const auto target = into.subspan(copied, count);
        if (inMetadata_) {
            std::copy_n(metadataData_.begin() + static_cast<std::ptrdiff_t>(offset + within), count, target.begin());
        } else if (!file_.readAt(offset + within, target)) {
            return copied;
        }
        copied += count;
        extentStart += length;
    }
    return copied;
}

}  // namespace zentrel::scanners
