// BMP pictures of every uncompressed layout read alike, and files that are
// compressed or lack their rows are skipped.

#include "scanners/media/PictureReader.hpp"

#include "doubles/MediaFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>

namespace zentrel::scanners {
namespace {

constexpr int kWidth = 37, kHeight = 23;

struct BmpLayout {
    const char* name;
    int infoBytes;  // 12 for the core header
    int bits;
    std::uint32_t compression;
    std::array<std::uint32_t, 4> masks;  // red, green, blue, alpha; for bit fields
    bool topDown;
};

void put(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// The scene in black and white, which every layout holds exactly.
std::string bmpOf(const BmpLayout& layout, const std::vector<std::uint8_t>& scene) {
    const bool core = layout.infoBytes == 12;
    const int maskBytes = layout.compression == 3 && layout.infoBytes == 40 ? 12 : 0;
    const int paletteBytes = layout.bits <= 8 ? 2 * (core ? 3 : 4) : 0;
    const std::size_t pixelsAt = 14 + layout.infoBytes + maskBytes + paletteBytes;
    const std::size_t stride = (kWidth * layout.bits + 31) / 32 * 4;
    std::string bytes(pixelsAt + stride * kHeight, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    put(bytes, 10, static_cast<std::uint32_t>(pixelsAt), 4);
    put(bytes, 14, static_cast<std::uint32_t>(layout.infoBytes), 4);
    if (core) {
        put(bytes, 18, kWidth, 2);
        put(bytes, 20, kHeight, 2);
        put(bytes, 22, 1, 2);
        put(bytes, 24, static_cast<std::uint32_t>(layout.bits), 2);
    } else {
        put(bytes, 18, kWidth, 4);
        put(bytes, 22, static_cast<std::uint32_t>(layout.topDown ? -kHeight : kHeight), 4);
        put(bytes, 26, 1, 2);
        put(bytes, 28, static_cast<std::uint32_t>(layout.bits), 2);
        put(bytes, 30, layout.compression, 4);
        for (int i = 0; i < 4 && 54 + 4 * i < static_cast<int>(pixelsAt); ++i) put(bytes, 54 + 4 * i, layout.masks[i], 4);
    }
    if (paletteBytes) put(bytes, pixelsAt - paletteBytes / 2, 0xFFFFFF, 3);  // black, then white
    const std::uint32_t white = layout.bits <= 8    ? 1
                                : layout.compression == 3 ? layout.masks[0] | layout.masks[1] | layout.masks[2]
                                : layout.bits == 16 ? 0x7FFF
                                                    : 0xFFFFFF;
    for (int y = 0; y < kHeight; ++y) {
        const std::size_t row = pixelsAt + (layout.topDown ? y : kHeight - 1 - y) * stride;
        for (int x = 0; x < kWidth; ++x) {
            const bool light = scene[static_cast<std::size_t>(y) * kWidth + x] >= 128;
            const std::uint32_t pixel = (light ? white : 0) | (layout.bits == 32 ? layout.masks[3] : 0);
            if (layout.bits <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * layout.bits;
                bytes[row + bit / 8] = static_cast<char>(bytes[row + bit / 8] | pixel << (8 - layout.bits - bit % 8));
            } else {
                put(bytes, row + static_cast<std::size_t>(x) * (layout.bits / 8), pixel, layout.bits / 8);
            }
        }
    }
    return bytes;
}

std::optional<DecodedPicture> read(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    PictureGate gate;
    return readPicture(path.string(), gate);
}

TEST(BmpPictureDecoderTest, EveryUncompressedLayoutReadsAlike) {
    testing::TempDir dir;
    const auto scene = testing::drawScene(kWidth, kHeight, 4);
    const BmpLayout reference{"24-bit", 40, 24, 0, {}, false};
    const auto expected = read(dir / "reference.bmp", bmpOf(reference, scene));
    ASSERT_TRUE(expected);
    ASSERT_EQ(expected->width, kWidth);
    ASSERT_EQ(expected->height, kHeight);
    const BmpLayout layouts[] = {
        {"core 8-bit palette", 12, 8, 0, {}, false},
        {"1-bit palette", 40, 1, 0, {}, false},
        {"4-bit palette", 40, 4, 0, {}, false},
        {"8-bit palette, top down", 40, 8, 0, {}, true},
        {"16-bit 555", 40, 16, 0, {}, false},
        {"16-bit 565 masks", 40, 16, 3, {0xF800, 0x07E0, 0x001F, 0}, false},
        {"24-bit top down", 124, 24, 0, {}, true},
        {"32-bit", 40, 32, 0, {}, false},
        {"32-bit masks with alpha", 124, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, false},
    };
    for (const auto& layout : layouts) {
        const auto picture = read(dir / "layout.bmp", bmpOf(layout, scene));
        ASSERT_TRUE(picture) << layout.name;
        EXPECT_EQ(picture->width, kWidth) << layout.name;
        EXPECT_EQ(picture->height, kHeight) << layout.name;
        EXPECT_EQ(picture->image.pixels, expected->image.pixels) << layout.name;
    }
    // A transparent picture is black, as in every other format.
    auto clear = layouts[8];
    clear.masks[3] = 0xFF000000;
    auto bytes = bmpOf(clear, scene);
    for (std::size_t at = bytes.size() - kWidth * kHeight * 4; at < bytes.size(); at += 4) bytes[at + 3] = 0;
    const auto transparent = read(dir / "clear.bmp", bytes);
    ASSERT_TRUE(transparent);
    EXPECT_EQ(transparent->image.pixels, std::vector<std::uint8_t>(transparent->image.pixels.size(), 0));
}

TEST(BmpPictureDecoderTest, CompressedOrCutShortFilesAreSkipped) {
    testing::TempDir dir;
    const auto scene = testing::drawScene(kWidth, kHeight, 4);
    const BmpLayout plain{"24-bit", 40, 24, 0, {}, false};
    auto cut = bmpOf(plain, scene);
    cut.resize(cut.size() - 1);
    EXPECT_FALSE(read(dir / "cut.bmp", cut));
    auto runLengths = bmpOf({"8-bit", 40, 8, 0, {}, false}, scene);
    put(runLengths, 30, 1, 4);
    EXPECT_FALSE(read(dir / "rle.bmp", runLengths));
    auto pastTheEnd = bmpOf(plain, scene);
    put(pastTheEnd, 10, 0xFFFFFFF0, 4);
    EXPECT_FALSE(read(dir / "offset.bmp", pastTheEnd));
}

}  // namespace
}  // namespace zentrel::scanners
