// The PNG decoder against another decoder of PNG: the same grey thumbnail,
// but for rounding, for every kind of PNG.

#include "scanners/media/PictureReader.hpp"
#include "scanners/pictures/PictureGrey.hpp"
#include "scanners/pictures/PngPictureDecoder.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

namespace zentrel::scanners {
namespace {

constexpr int kWidth = 37, kHeight = 23;

struct PngKind {
    const char* name;
    int colorType;
    int bitDepth;
    bool transparentColor = false;
    int interlace = PNG_INTERLACE_NONE;
};

// Writes pseudo-random samples in the given layout.
void writePng(const std::filesystem::path& path, const PngKind& kind) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(writer);
    png_init_io(writer, file);
    png_set_IHDR(writer, info, kWidth, kHeight, kind.bitDepth, kind.colorType, kind.interlace,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (int i = 0; i < 16; ++i)
        palette.push_back(
            {static_cast<png_byte>(i * 16), static_cast<png_byte>(255 - i * 9), static_cast<png_byte>(i * i)});
    const png_byte alphas[] = {0, 80, 160, 255, 10};
    png_color_16 transparent{};
    transparent.gray = transparent.red = transparent.green = transparent.blue = 1;
    if (kind.colorType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(writer, info, palette.data(), 16);
    if (kind.transparentColor) png_set_tRNS(writer, info, alphas, 5, &transparent);
    png_write_info(writer, info);
    std::vector<std::vector<png_byte>> rows(kHeight, std::vector<png_byte>(png_get_rowbytes(writer, info)));
    unsigned seed = 7;
    for (auto& row : rows)
        for (auto& byte : row) {
            seed = seed * 1103515245 + 12345;
            byte = static_cast<png_byte>(seed >> 16);
            // Palette indices stay inside the palette; some samples hit the transparent colour.
            if (kind.colorType == PNG_COLOR_TYPE_PALETTE) byte &= 0x0F;
            if (kind.transparentColor && kind.colorType == PNG_COLOR_TYPE_GRAY && seed % 5 == 0) byte = 1;
        }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    png_write_image(writer, pointers.data());
    png_write_end(writer, nullptr);
    png_destroy_write_struct(&writer, &info);
    std::fclose(file);
}

std::optional<DecodedPicture> decodePngThumbnail(const std::filesystem::path& path) {
    auto file = PictureFile::open(path.string());
    PictureGate gate;
    return file ? scanners::decodePngThumbnail(*file, kThumbnailSide, gate) : std::nullopt;
}

// ImageMagick's pixels, 8-bit RGBA, made grey as every decoder does.
std::vector<std::uint8_t> otherDecodersPixels(const std::filesystem::path& path) {
    const auto raw = path.string() + ".rgba";
    const auto command = "convert '" + path.string() + "' -depth 8 'rgba:" + raw + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(raw, std::ios::binary);
    const std::vector<unsigned char> rgba{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::uint8_t> pixels;
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4)
        pixels.push_back(overBlack(luma(rgba[i], rgba[i + 1], rgba[i + 2]), rgba[i + 3]));
    return pixels;
}

// Whether two thumbnails differ by at most a rounding step in every pixel.
bool sameButForRounding(const std::vector<std::uint8_t>& a, const std::optional<std::vector<std::uint8_t>>& b) {
    if (!b || a.size() != b->size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::abs(int{a[i]} - int{(*b)[i]}) > 2) return false;
    return true;
}

TEST(PngPictureDecoderTest, EveryKindGivesTheThumbnailOfAnotherDecodersPixels) {
    const PngKind kinds[] = {
        {"grey", PNG_COLOR_TYPE_GRAY, 8},
        {"grey-1bit", PNG_COLOR_TYPE_GRAY, 1},
        {"grey-4bit", PNG_COLOR_TYPE_GRAY, 4},
        {"grey-16bit", PNG_COLOR_TYPE_GRAY, 16},
        {"grey-transparent-colour", PNG_COLOR_TYPE_GRAY, 8, true},
        {"grey-alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        {"palette", PNG_COLOR_TYPE_PALETTE, 8},
        {"palette-alpha", PNG_COLOR_TYPE_PALETTE, 8, true},
        {"rgb", PNG_COLOR_TYPE_RGB, 8},
        {"rgb-16bit-transparent-colour", PNG_COLOR_TYPE_RGB, 16, true},
        {"rgba-16bit", PNG_COLOR_TYPE_RGB_ALPHA, 16},
        {"rgba", PNG_COLOR_TYPE_RGB_ALPHA, 8},
        {"interlaced", PNG_COLOR_TYPE_RGB, 8, false, PNG_INTERLACE_ADAM7},
    };
    testing::TempDir dir;
    for (const auto& kind : kinds) {
        const auto path = dir / (std::string(kind.name) + ".png");
        writePng(path, kind);
        const auto decoded = decodePngThumbnail(path);
        ASSERT_TRUE(decoded) << kind.name;
        EXPECT_EQ(decoded->width, kWidth) << kind.name;
        EXPECT_EQ(decoded->height, kHeight) << kind.name;
        EXPECT_TRUE(sameButForRounding(decoded->image.pixels,
                                       grayThumbnail({kWidth, kHeight, otherDecodersPixels(path)}, kThumbnailSide)))
            << kind.name;
    }
}

TEST(PngPictureDecoderTest, DamagedFilesGiveNone) {
    testing::TempDir dir;
    EXPECT_FALSE(decodePngThumbnail(dir.write("cut.png", std::string_view("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16))));
    EXPECT_FALSE(decodePngThumbnail(dir.write("text.png", "not a picture")));
    EXPECT_FALSE(decodePngThumbnail(dir / "missing.png"));
}

}  // namespace
}  // namespace zentrel::scanners
