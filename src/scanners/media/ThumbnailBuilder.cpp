#include "scanners/media/ThumbnailBuilder.hpp"

#include <algorithm>
#include <cstddef>

namespace zentrel::scanners {

ThumbnailBuilder::ThumbnailBuilder(int width, int height, int side)
    : side_(side),
      rows_(spans(height, side)),
      columns_(spans(width, side)),
      sums_(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 0),
      rowSums_(static_cast<std::size_t>(side), 0) {}

std::vector<ThumbnailBuilder::Span> ThumbnailBuilder::spans(int length, int side) {
    std::vector<Span> result;
    for (int t = 0; t < side; ++t) {
        const int first = t * length / side;
        result.push_back({first, std::max(first + 1, (t + 1) * length / side)});
    }
    return result;
}

void ThumbnailBuilder::addRow(const std::uint8_t* row) {
    const int y = row_++;
    if (y >= rows_.back().end) return;
    for (int tx = 0; tx < side_; ++tx) {
        std::uint64_t sum = 0;
        for (int x = columns_[tx].first; x < columns_[tx].end; ++x) sum += row[x];
        rowSums_[tx] = sum;
    }
    // A source row may fall in more than one thumbnail row when the picture is shorter than the side.
    for (int ty = 0; ty < side_; ++ty) {
        if (y < rows_[ty].first || y >= rows_[ty].end) continue;
        std::uint64_t* target = sums_.data() + static_cast<std::size_t>(ty) * side_;
        for (int tx = 0; tx < side_; ++tx) target[tx] += rowSums_[tx];
    }
}

std::vector<std::uint8_t> ThumbnailBuilder::finish() const {
    std::vector<std::uint8_t> thumbnail(sums_.size());
    for (int ty = 0; ty < side_; ++ty) {
        for (int tx = 0; tx < side_; ++tx) {
            const auto count = static_cast<std::uint64_t>(rows_[ty].end - rows_[ty].first) *
                               static_cast<std::uint64_t>(columns_[tx].end - columns_[tx].first);
            const auto at = static_cast<std::size_t>(ty) * side_ + tx;
            thumbnail[at] = static_cast<std::uint8_t>((sums_[at] + count / 2) / count);
        }
    }
    return thumbnail;
}

}  // namespace zentrel::scanners
