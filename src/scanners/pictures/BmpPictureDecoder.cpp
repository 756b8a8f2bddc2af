#include "scanners/pictures/BmpPictureDecoder.hpp"

#include "scanners/media/ThumbnailBuilder.hpp"
#include "scanners/pictures/PictureGrey.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace zentrel::scanners {

namespace {

constexpr std::uint64_t kFixedDecoderBytes = std::uint64_t{1} << 20;
// A row of the file, its grey and the thumbnail's sums of it: under this much a pixel.
constexpr std::uint64_t kBytesPerPixel = 16;

constexpr std::uint32_t kUncompressed = 0, kBitFields = 3, kAlphaBitFields = 6;

std::uint32_t littleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

// One colour of a pixel, cut out by its mask and stretched to 8 bits.
struct Channel {
    std::uint32_t mask = 0;

    [[nodiscard]] unsigned of(std::uint32_t pixel) const {
        if (mask == 0) return 0;
        const auto top = std::uint64_t{mask >> std::countr_zero(mask)};
        return static_cast<unsigned>(((pixel & mask) >> std::countr_zero(mask)) * 255 / top);
    }
};

struct BmpLayout {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint64_t pixelsAt = 0;
    std::array<Channel, 4> channels{};  // red, green, blue, alpha
    bool hasAlpha = false;
    std::array<std::uint8_t, 256> paletteGreys{};
};

// The core header's 16-bit sides or the later headers' 32-bit ones (a
// negative height for rows top down), the depth, the colour masks and the
// palette. Compressed pixels (run lengths, embedded JPEG or PNG) are not read.
std::optional<BmpLayout> layoutOf(PictureFile& file) {
    std::array<unsigned char, 70> header{};
    const std::size_t headerBytes = std::min<std::uint64_t>(header.size(), file.sizeBytes());
    if (headerBytes < 26 || !file.readAt(0, std::span(header.data(), headerBytes))) return std::nullopt;
    BmpLayout layout;
    layout.pixelsAt = littleEndian(&header[10], 4);
    const auto infoBytes = littleEndian(&header[14], 4);
    std::uint32_t compression = kUncompressed, paletteCount = 0;
    int paletteEntryBytes = 4;
    if (infoBytes == 12) {
        layout.width = littleEndian(&header[18], 2);
        layout.height = littleEndian(&header[20], 2);
        layout.bitsPerPixel = static_cast<int>(littleEndian(&header[24], 2));
        paletteEntryBytes = 3;
    } else {
        if (infoBytes < 40 || headerBytes < 54) return std::nullopt;
        const auto width = static_cast<std::int32_t>(littleEndian(&header[18], 4));
        const auto height = static_cast<std::int32_t>(littleEndian(&header[22], 4));
        if (width < 1 || height == 0 || height == INT32_MIN) return std::nullopt;
        layout.width = static_cast<std::uint64_t>(width);
        layout.height = static_cast<std::uint64_t>(std::abs(height));
        layout.topDown = height < 0;
        layout.bitsPerPixel = static_cast<int>(littleEndian(&header[28], 2));
        compression = littleEndian(&header[30], 4);
        paletteCount = littleEndian(&header[46], 4);
    }
    std::uint64_t paletteAt = 14 + std::uint64_t{infoBytes};
    const int depth = layout.bitsPerPixel;
    if (compression == kBitFields || compression == kAlphaBitFields) {
        if ((depth != 16 && depth != 32) || headerBytes < 70) return std::nullopt;
        const int masks = compression == kAlphaBitFields || infoBytes >= 56 ? 4 : 3;
        for (int i = 0; i < masks; ++i) layout.channels[i].mask = littleEndian(&header[54 + 4 * i], 4);
        // The bare header is followed by its masks.
        if (infoBytes == 40) paletteAt += 4 * static_cast<std::uint64_t>(masks);
    } else if (compression != kUncompressed) {
        return std::nullopt;
    } else if (depth == 16) {
        layout.channels = {Channel{0x7C00}, Channel{0x03E0}, Channel{0x001F}, Channel{}};
    } else if (depth == 24 || depth == 32) {
        layout.channels = {Channel{0xFF0000}, Channel{0xFF00}, Channel{0xFF}, Channel{}};
    } else if (depth != 1 && depth != 4 && depth != 8) {
        return std::nullopt;
    }
    layout.hasAlpha = layout.channels[3].mask != 0;
    if (depth <= 8) {
        const std::uint32_t most = 1u << depth;
        // A palette shorter than its depth ends where the pixels start.
        const auto room = layout.pixelsAt > paletteAt ? (layout.pixelsAt - paletteAt) / paletteEntryBytes : 0;
        const auto count = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(paletteCount == 0 || paletteCount > most ? most : paletteCount, room));
        std::vector<unsigned char> palette(std::size_t{count} * static_cast<std::size_t>(paletteEntryBytes));
        if (!file.readAt(paletteAt, palette)) return std::nullopt;
        for (std::uint32_t i = 0; i < count; ++i) {
            const unsigned char* entry = &palette[i * static_cast<std::size_t>(paletteEntryBytes)];
            layout.paletteGreys[i] = static_cast<std::uint8_t>(luma(entry[2], entry[1], entry[0]));
        }
    }
    return layout;
}

// The grey of each pixel of one row as the file stores it.
void greyRow(const BmpLayout& layout, const unsigned char* row, std::uint8_t* out) {
    const int depth = layout.bitsPerPixel;
    for (std::uint64_t x = 0; x < layout.width; ++x) {
        if (depth <= 8) {
            const auto bit = x * static_cast<std::uint64_t>(depth);
            const unsigned index = (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
            out[x] = layout.paletteGreys[index];
            continue;
        }
        const auto pixel = littleEndian(row + x * static_cast<std::uint64_t>(depth / 8), depth / 8);
        const auto& [red, green, blue, alpha] = layout.channels;
        const unsigned grey = luma(red.of(pixel), green.of(pixel), blue.of(pixel));
        out[x] = layout.hasAlpha ? overBlack(grey, alpha.of(pixel)) : static_cast<std::uint8_t>(grey);
    }
}

}  // namespace

std::optional<DecodedPicture> decodeBmpPicture(PictureFile& file, int side, PictureGate& gate) {
    const auto layout = layoutOf(file);
    if (!layout || !gate.admit(layout->width, layout->height,
                               kFixedDecoderBytes + layout->width * kBytesPerPixel))
        return std::nullopt;
    // Rows are padded to four bytes and must all be in the file.
    const auto stride = (layout->width * static_cast<std::uint64_t>(layout->bitsPerPixel) + 31) / 32 * 4;
    if (layout->pixelsAt > file.sizeBytes() || stride * layout->height > file.sizeBytes() - layout->pixelsAt)
        return std::nullopt;
    DecodedPicture picture;
    picture.width = static_cast<int>(layout->width);
    picture.height = static_cast<int>(layout->height);
    ThumbnailBuilder builder(picture.width, picture.height, side);
    std::vector<unsigned char> row(static_cast<std::size_t>(stride));
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(layout->width));
    for (std::uint64_t y = 0; y < layout->height; ++y) {
        const auto stored = layout->topDown ? y : layout->height - 1 - y;
        if (!file.readAt(layout->pixelsAt + stored * stride, row)) return std::nullopt;
        greyRow(*layout, row.data(), grey.data());
        builder.addRow(grey.data());
    }
    picture.image = {side, side, builder.finish()};
    return picture;
}

}  // namespace zentrel::scanners
