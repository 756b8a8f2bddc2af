// The DC-only JPEG decoder against the JPEG library it stands in for: the
// same pixels at 1/8 scale for every kind of picture it reads, and nothing for
// the kinds it leaves to the library.

#include "scanners/pictures/JpegEighthScaleDecoder.hpp"
#include "scanners/pictures/JpegPictureDecoder.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace zentrel::scanners {
namespace {

struct Variant {
    const char* name;
    int width;
    int height;
    bool colour = true;
    // Sampling factors of the first component; the others are 1 x 1.
    int horizontal = 1;
    int vertical = 1;
    int quality = 90;
    // Changes to the compressor's settings beyond the above.
    std::function<void(jpeg_compress_struct&)> adjust = nullptr;
};

// Colour gradients, shapes and grain, so that every kind of code occurs.
std::vector<JSAMPLE> drawPicture(int width, int height, int channels) {
    std::vector<JSAMPLE> pixels(static_cast<std::size_t>(width) * height * channels);
    unsigned seed = 11;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) {
                seed = seed * 1103515245 + 12345;
                const double wave = 90 * std::sin((x * (c + 1) + y * 2) / 37.0) + 60 * std::cos(y / (19.0 + c));
                const int shape = (x / 40 + y / 30) % 3 == 0 ? 70 : 0;
                const int value = 128 + static_cast<int>(wave) + shape + static_cast<int>(seed >> 27) - 16;
                pixels[(static_cast<std::size_t>(y) * width + x) * channels + c] =
                    static_cast<JSAMPLE>(std::clamp(value, 0, 255));
            }
    return pixels;
}

std::string encode(const Variant& variant) {
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors{};
    encoder.err = jpeg_std_error(&errors);
    errors.output_message = [](j_common_ptr) {};
    jpeg_create_compress(&encoder);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &bytes, &size);
    const int channels = variant.colour ? 3 : 1;
    encoder.image_width = static_cast<JDIMENSION>(variant.width);
    encoder.image_height = static_cast<JDIMENSION>(variant.height);
    encoder.input_components = channels;
    encoder.in_color_space = variant.colour ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, variant.quality, TRUE);
    encoder.comp_info[0].h_samp_factor = variant.horizontal;
    encoder.comp_info[0].v_samp_factor = variant.vertical;
    for (int c = 1; c < encoder.num_components; ++c)
        encoder.comp_info[c].h_samp_factor = encoder.comp_info[c].v_samp_factor = 1;
    if (variant.adjust) variant.adjust(encoder);
    jpeg_start_compress(&encoder, TRUE);
    auto pixels = drawPicture(variant.width, variant.height, channels);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = pixels.data() + static_cast<std::size_t>(encoder.next_scanline) * variant.width * channels;
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::string result(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    return result;
}

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

// The library's grey pixels at 1/8 scale, decoded as the picture hash asks for them; none on an error.
std::optional<GrayImage> libraryEighth(const std::string& bytes) {
    jpeg_decompress_struct decoder{};
    ErrorManager errors{};
    decoder.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = [](j_common_ptr d) { std::longjmp(reinterpret_cast<ErrorManager*>(d->err)->escape, 1); };
    errors.standard.output_message = [](j_common_ptr) {};
    GrayImage image;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&decoder);
        return std::nullopt;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&decoder, TRUE);
    decoder.out_color_space = JCS_GRAYSCALE;
    decoder.scale_num = 1;
    decoder.scale_denom = 8;
    decoder.do_fancy_upsampling = FALSE;
    jpeg_start_decompress(&decoder);
    image.width = static_cast<int>(decoder.output_width);
    image.height = static_cast<int>(decoder.output_height);
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = image.pixels.data() + static_cast<std::size_t>(decoder.output_scanline) * image.width;
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return image;
}

class JpegEighthScaleDecoderTest : public ::testing::Test {
protected:
    std::optional<DecodedPicture> decodeEighth(const std::string& bytes) {
        const auto path = dir.write("picture.jpg", bytes);
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
        return decodeJpegAtEighthScale(file.get(), kThumbnailSide);
    }
    std::optional<DecodedPicture> decodeForThumbnail(const std::string& bytes) {
        auto file = PictureFile::open(dir.write("picture.jpg", bytes).string());
        PictureGate gate;
        return file ? decodeJpegForThumbnail(*file, kThumbnailSide, gate) : std::nullopt;
    }

    testing::TempDir dir;
};

TEST_F(JpegEighthScaleDecoderTest, ReadsTheCommonKindsToTheLibrarysPixels) {
    const Variant variants[] = {
        {"grey", 400, 300, false},
        {"colour, odd sides", 517, 389},
        {"colour, 2 x 2 sampling", 641, 483, true, 2, 2},
        {"colour, 2 x 1 sampling", 300, 700, true, 2, 1},
        {"colour, 1 x 2 sampling", 333, 290, true, 1, 2},
        {"restart every 7 MCUs", 641, 483, true, 2, 2, 85, [](auto& e) { e.restart_interval = 7; }},
        {"grey, restart every row", 290, 410, false, 1, 1, 75, [](auto& e) { e.restart_in_rows = 1; }},
        {"optimised tables", 520, 380, true, 2, 2, 95, [](auto& e) { e.optimize_coding = TRUE; }},
        {"best quality", 450, 300, true, 1, 1, 100},
        {"16-bit quantizers", 400, 300, true, 2, 2, 3, [](auto& e) { jpeg_set_quality(&e, 3, FALSE); }},
    };
    for (const auto& variant : variants) {
        const auto bytes = encode(variant);
        const auto expected = libraryEighth(bytes);
        ASSERT_TRUE(expected) << variant.name;
        const auto decoded = decodeEighth(bytes);
        ASSERT_TRUE(decoded) << variant.name;
        EXPECT_EQ(decoded->width, variant.width) << variant.name;
        EXPECT_EQ(decoded->height, variant.height) << variant.name;
        EXPECT_EQ(decoded->image.width, expected->width) << variant.name;
        EXPECT_EQ(decoded->image.height, expected->height) << variant.name;
        EXPECT_EQ(decoded->image.pixels, expected->pixels) << variant.name;
    }
}

TEST_F(JpegEighthScaleDecoderTest, LeavesOtherKindsToTheLibrary) {
    const Variant variants[] = {
        {"progressive", 400, 300, true, 2, 2, 90, [](auto& e) { jpeg_simple_progression(&e); }},
        {"arithmetic coding", 400, 300, true, 1, 1, 90, [](auto& e) { e.arith_code = TRUE; }},
        {"RGB with an Adobe marker", 400, 300, true, 1, 1, 90, [](auto& e) { jpeg_set_colorspace(&e, JCS_RGB); }},
        {"too small for 1/8", 240, 300, false},
    };
    for (const auto& variant : variants) {
        const auto bytes = encode(variant);
        EXPECT_FALSE(decodeEighth(bytes)) << variant.name;
        // The library still reads them, at 1/8 or at the scale the picture allows.
        const auto picture = decodeForThumbnail(bytes);
        ASSERT_TRUE(picture) << variant.name;
        if (const auto expected = libraryEighth(bytes); expected && expected->width >= kThumbnailSide) {
            EXPECT_EQ(picture->image.pixels, expected->pixels) << variant.name;
        }
    }
}

TEST_F(JpegEighthScaleDecoderTest, DamagedDataIsLeftToTheLibrary) {
    const auto bytes = encode({"colour", 400, 320, true, 2, 2});
    const auto scanStart = bytes.find("\xFF\xDA");
    ASSERT_NE(scanStart, std::string::npos);

    EXPECT_FALSE(decodeEighth(bytes.substr(0, bytes.size() * 2 / 3))) << "cut short";
    EXPECT_FALSE(decodeEighth(bytes.substr(0, bytes.size() - 2))) << "no end marker";
    auto marked = bytes;
    marked.replace(marked.size() / 2, 2, "\xFF\xD9");
    EXPECT_FALSE(decodeEighth(marked)) << "a marker inside the data";
    auto noTables = bytes;
    for (auto at = noTables.find("\xFF\xC4"); at != std::string::npos && at < scanStart; at = noTables.find("\xFF\xC4"))
        noTables[at + 1] = '\xFE';  // each table becomes a comment
    EXPECT_FALSE(decodeEighth(noTables)) << "no Huffman tables";
    auto overFull = bytes;
    overFull[overFull.find("\xFF\xC4") + 5] = 5;  // five codes of one bit
    EXPECT_FALSE(decodeEighth(overFull)) << "a Huffman table with more codes than bits allow";

    // Flipped bits inside the data: whatever is read equals the library's reading.
    for (std::size_t at = scanStart + 40; at < bytes.size() - 2; at += 997) {
        auto flipped = bytes;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x5A);
        if (flipped[at] == '\xFF' || flipped[at - 1] == '\xFF') continue;
        const auto decoded = decodeEighth(flipped);
        const auto expected = libraryEighth(flipped);
        if (decoded) {
            ASSERT_TRUE(expected) << at;
            EXPECT_EQ(decoded->image.pixels, expected->pixels) << at;
        }
    }
}

TEST_F(JpegEighthScaleDecoderTest, BytesBeforeTheEndMarkerDoNotChangeThePixels) {
    auto bytes = encode({"grey", 300, 300, false});
    bytes.insert(bytes.size() - 2, "\x12\x34\xFF\x00\x56");
    const auto decoded = decodeEighth(bytes);
    const auto expected = libraryEighth(bytes);
    ASSERT_TRUE(decoded);
    ASSERT_TRUE(expected);
    EXPECT_EQ(decoded->image.pixels, expected->pixels);
}

}  // namespace
}  // namespace zentrel::scanners
