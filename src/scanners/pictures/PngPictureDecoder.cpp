#include "scanners/pictures/PngPictureDecoder.hpp"

#include "scanners/media/ThumbnailBuilder.hpp"
#include "scanners/pictures/PictureGrey.hpp"

#include <png.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace zentrel::scanners {

namespace {

// The library's state, its inflate window and chunk buffers: well under this.
constexpr std::uint64_t kFixedDecoderBytes = std::uint64_t{4} << 20;

[[noreturn]] void escapeOnError(png_structp decoder, png_const_charp) { png_longjmp(decoder, 1); }

void ignoreWarning(png_structp, png_const_charp) {}

// Colours turn grey at their own depth and 16-bit samples keep their high
// byte afterwards.
void greyRow(const png_byte* row, int channels, int sampleBytes, std::uint8_t* out, png_uint_32 width) {
    const auto sample = [&](png_uint_32 x, int channel) -> unsigned {
        const png_byte* at = row + (static_cast<std::size_t>(x) * channels + channel) * sampleBytes;
        return sampleBytes == 2 ? (at[0] << 8 | at[1]) : at[0];
    };
    const int shift = sampleBytes == 2 ? 8 : 0;
    for (png_uint_32 x = 0; x < width; ++x) {
        const unsigned grey = (channels >= 3 ? luma(sample(x, 0), sample(x, 1), sample(x, 2)) : sample(x, 0)) >> shift;
        const unsigned alpha = channels == 2 || channels == 4 ? sample(x, channels - 1) >> shift : 255;
        out[x] = overBlack(grey, alpha);
    }
}

// Decodes into `picture`; false on any error. The buffers belong to the
// caller, so the jump back from libpng skips no destructor. An interlaced
// picture is held whole (its rows come in seven passes), any other one row
// at a time.
bool decodeInto(png_structp decoder, png_infop info, std::FILE* file, int side, PictureGate& gate,
                DecodedPicture& picture, std::vector<png_byte>& rows, std::vector<png_bytep>& pointers,
                std::vector<std::uint8_t>& grey, std::optional<ThumbnailBuilder>& builder) {
    if (setjmp(png_jmpbuf(decoder))) return false;
    png_init_io(decoder, file);
    png_read_info(decoder, info);
    const bool interlaced = png_get_interlace_type(decoder, info) != PNG_INTERLACE_NONE;
    const png_uint_32 width = png_get_image_width(decoder, info), height = png_get_image_height(decoder, info);
    // The samples of a pixel once expanded: a transparent colour adds an alpha.
    const int colourType = png_get_color_type(decoder, info);
    const int samples = ((colourType & PNG_COLOR_MASK_COLOR) ? 3 : 1) +
                        ((colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(decoder, info, PNG_INFO_tRNS) ? 1 : 0);
    const std::uint64_t rowBytes = std::uint64_t{width} * samples * (png_get_bit_depth(decoder, info) == 16 ? 2 : 1) + 1;
    if (!gate.admit(width, height, kFixedDecoderBytes + rowBytes * (interlaced ? height + 2 : 3) + width))
        return false;
    png_set_chunk_malloc_max(decoder, static_cast<png_alloc_size_t>(gate.memoryLimit()));
    png_set_expand(decoder);
    if (interlaced) png_set_interlace_handling(decoder);
    png_read_update_info(decoder, info);
    const int channels = png_get_channels(decoder, info), sampleBytes = png_get_bit_depth(decoder, info) / 8;
    const auto stride = static_cast<std::size_t>(width) * channels * sampleBytes;
    if (channels < 1 || channels > 4 || sampleBytes < 1 || sampleBytes > 2 || png_get_rowbytes(decoder, info) != stride)
        return false;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    rows.resize(stride * (interlaced ? height : 1));
    grey.resize(width);
    builder.emplace(picture.width, picture.height, side);
    if (interlaced) {
        pointers.resize(height);
        for (png_uint_32 y = 0; y < height; ++y) pointers[y] = rows.data() + y * stride;
        png_read_image(decoder, pointers.data());
    }
    // 8-bit grey without alpha is its own grey.
    const bool plainGrey = channels == 1 && sampleBytes == 1;
    for (png_uint_32 y = 0; y < height; ++y) {
        png_byte* row = rows.data() + (interlaced ? y * stride : 0);
        if (!interlaced) png_read_row(decoder, row, nullptr);
        if (!plainGrey) greyRow(row, channels, sampleBytes, grey.data(), width);
        builder->addRow(plainGrey ? row : grey.data());
    }
    return true;
}

}  // namespace

std::optional<DecodedPicture> decodePngThumbnail(PictureFile& file, int side, PictureGate& gate) {
    static constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!file.startsWith(kPngSignature, sizeof kPngSignature)) return std::nullopt;
    std::rewind(file.get());
    png_structp decoder = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, escapeOnError, ignoreWarning);
    if (!decoder) return std::nullopt;
    png_infop info = png_create_info_struct(decoder);
    DecodedPicture picture;
    std::vector<png_byte> rows;
    std::vector<png_bytep> pointers;
    std::vector<std::uint8_t> grey;
    std::optional<ThumbnailBuilder> builder;
    const bool decoded = info && decodeInto(decoder, info, file.get(), side, gate, picture, rows, pointers, grey, builder);
    png_destroy_read_struct(&decoder, &info, nullptr);
    if (!decoded) return std::nullopt;
    picture.image = {side, side, builder->finish()};
    return picture;
}

}  // namespace zentrel::scanners
