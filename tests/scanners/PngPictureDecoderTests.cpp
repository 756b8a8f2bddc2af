// The PNG decoder against the general decoder it stands in for: the same
// grey thumbnail for every kind of PNG, so pictures fingerprint as before.

#include "scanners/PngPictureDecoder.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>
#include <png.h>
#include <stb_image.h>

#include <cstdio>
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
    return file ? scanners::decodePngThumbnail(*file, kThumbnailSide) : std::nullopt;
}

// The general decoder's pixels: grey with alpha, transparent parts black.
std::vector<std::uint8_t> generalDecoderPixels(const std::filesystem::path& path) {
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> data(stbi_load(path.c_str(), &width, &height, &channels, 2),
                                                   stbi_image_free);
    std::vector<std::uint8_t> pixels;
    if (!data) return pixels;
    for (int i = 0; i < width * height; ++i)
        pixels.push_back(static_cast<std::uint8_t>((data.get()[2 * i] * data.get()[2 * i + 1] + 127) / 255));
    return pixels;
}

TEST(PngPictureDecoderTest, EveryKindGivesTheThumbnailOfTheGeneralDecodersPixels) {
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
    };
    testing::TempDir dir;
    for (const auto& kind : kinds) {
        const auto path = dir / (std::string(kind.name) + ".png");
        writePng(path, kind);
        const auto decoded = decodePngThumbnail(path);
        ASSERT_TRUE(decoded) << kind.name;
        EXPECT_EQ(decoded->width, kWidth) << kind.name;
        EXPECT_EQ(decoded->height, kHeight) << kind.name;
        EXPECT_EQ(decoded->image.pixels, grayThumbnail({kWidth, kHeight, generalDecoderPixels(path)}, kThumbnailSide))
            << kind.name;
    }
}

TEST(PngPictureDecoderTest, WhatItDoesNotReadIsLeftToTheGeneralDecoder) {
    testing::TempDir dir;
    const auto interlaced = dir / "interlaced.png";
    writePng(interlaced, {"interlaced", PNG_COLOR_TYPE_RGB, 8, false, PNG_INTERLACE_ADAM7});
    EXPECT_FALSE(decodePngThumbnail(interlaced));
    const auto picture = decodePicture(interlaced.string());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image.pixels, generalDecoderPixels(interlaced));

    EXPECT_FALSE(decodePngThumbnail(dir.write("cut.png", std::string_view("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16))));
    EXPECT_FALSE(decodePngThumbnail(dir.write("text.png", "not a picture")));
    EXPECT_FALSE(decodePngThumbnail(dir / "missing.png"));
}

}  // namespace
}  // namespace zentrel::scanners
