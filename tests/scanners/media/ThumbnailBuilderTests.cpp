// The thumbnail built row by row against the averaging it stands for, on
// pictures larger and smaller than the thumbnail in either direction.

#include "scanners/media/ThumbnailBuilder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zentrel::scanners {
namespace {

// Each thumbnail pixel: the rounded mean of the source rectangle it covers, at least one pixel.
std::vector<std::uint8_t> meanOfRectangles(const std::vector<std::uint8_t>& pixels, int width, int height, int side) {
    std::vector<std::uint8_t> thumbnail;
    for (int ty = 0; ty < side; ++ty) {
        const int y0 = ty * height / side, y1 = std::max(y0 + 1, (ty + 1) * height / side);
        for (int tx = 0; tx < side; ++tx) {
            const int x0 = tx * width / side, x1 = std::max(x0 + 1, (tx + 1) * width / side);
            std::uint64_t sum = 0, count = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x, ++count) sum += pixels[static_cast<std::size_t>(y) * width + x];
            thumbnail.push_back(static_cast<std::uint8_t>((sum + count / 2) / count));
        }
    }
    return thumbnail;
}

TEST(ThumbnailBuilderTest, RowByRowGivesTheMeanOfEachCoveredRectangle) {
    struct Size {
        int width, height;
    };
    for (const auto [width, height] : {Size{1, 1}, Size{5, 70}, Size{32, 32}, Size{37, 23}, Size{100, 33},
                                       Size{640, 480}, Size{31, 1000}}) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height);
        unsigned seed = 5;
        for (auto& pixel : pixels) pixel = static_cast<std::uint8_t>((seed = seed * 1103515245 + 12345) >> 24);
        ThumbnailBuilder builder(width, height, 32);
        for (int y = 0; y < height; ++y) builder.addRow(pixels.data() + static_cast<std::size_t>(y) * width);
        EXPECT_EQ(builder.finish(), meanOfRectangles(pixels, width, height, 32)) << width << " x " << height;
    }
}

}  // namespace
}  // namespace zentrel::scanners
