#include "scanners/pictures/GifPictureDecoder.hpp"

#include "scanners/media/ThumbnailBuilder.hpp"
#include "scanners/pictures/PictureGrey.hpp"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace zentrel::scanners {

namespace {

constexpr std::uint64_t kFixedDecoderBytes = std::uint64_t{1} << 20;

int readFromFile(GifFileType* gif, GifByteType* bytes, int length) {
    return static_cast<int>(std::fread(bytes, 1, static_cast<std::size_t>(length), static_cast<std::FILE*>(gif->UserData)));
}

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using Gif = std::unique_ptr<GifFileType, GifCloser>;

// Reads an extension to its end, keeping the transparent colour index of a graphic control block.
int readExtension(GifFileType* gif, int code, GifByteType* block, int& transparent) {
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
        GraphicsControlBlock control{};
        if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) transparent = control.TransparentColor;
    }
    while (block != nullptr)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return GIF_ERROR;
    return GIF_OK;
}

// Draws the first image's lines on the canvas; false on a damaged file.
bool drawFirstImage(GifFileType* gif, int transparent, std::vector<std::uint8_t>& canvas) {
    const auto& image = gif->Image;
    const ColorMapObject* colours = image.ColorMap ? image.ColorMap : gif->SColorMap;
    if (colours == nullptr || image.Width < 1 || image.Height < 1 ||
        std::uint64_t(image.Width) * std::uint64_t(image.Height) > kMostPicturePixels)
        return false;
    std::array<std::uint8_t, 256> greys{};
    for (int i = 0; i < colours->ColorCount && i < 256; ++i) {
        const auto& colour = colours->Colors[i];
        greys[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(luma(colour.Red, colour.Green, colour.Blue));
    }
    if (transparent >= 0 && transparent < 256) greys[static_cast<std::size_t>(transparent)] = 0;
    std::vector<GifPixelType> line(static_cast<std::size_t>(image.Width));
    // Interlaced images come in four passes of rows.
    constexpr int kPassStart[] = {0, 4, 2, 1}, kPassStep[] = {8, 8, 4, 2};
    const int passes = image.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (int row = image.Interlace ? kPassStart[pass] : 0; row < image.Height; row += image.Interlace ? kPassStep[pass] : 1) {
            if (DGifGetLine(gif, line.data(), image.Width) != GIF_OK) return false;
            const int y = image.Top + row;
            if (y < 0 || y >= gif->SHeight) continue;
            for (int x = std::max(0, -image.Left); x < image.Width && image.Left + x < gif->SWidth; ++x)
                canvas[static_cast<std::size_t>(y) * gif->SWidth + image.Left + x] = greys[line[x]];
        }
    }
    return true;
}

}  // namespace

std::optional<DecodedPicture> decodeGifThumbnail(PictureFile& file, int side, PictureGate& gate) {
    std::rewind(file.get());
    int error = 0;
    Gif gif(DGifOpen(file.get(), readFromFile, &error));
    if (!gif || gif->SWidth < 1 || gif->SHeight < 1) return std::nullopt;
    const auto width = static_cast<std::uint64_t>(gif->SWidth), height = static_cast<std::uint64_t>(gif->SHeight);
    if (!gate.admit(width, height, kFixedDecoderBytes + width * height + 65536)) return std::nullopt;
    std::vector<std::uint8_t> canvas(width * height, 0);
    int transparent = -1;
    for (;;) {
        GifRecordType record{};
        if (DGifGetRecordType(gif.get(), &record) != GIF_OK) return std::nullopt;
        if (record == TERMINATE_RECORD_TYPE) return std::nullopt;
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK ||
                readExtension(gif.get(), code, block, transparent) != GIF_OK)
                return std::nullopt;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif.get()) != GIF_OK || !drawFirstImage(gif.get(), transparent, canvas)) return std::nullopt;
        break;
    }
    ThumbnailBuilder builder(gif->SWidth, gif->SHeight, side);
    for (std::uint64_t y = 0; y < height; ++y) builder.addRow(canvas.data() + y * width);
    return DecodedPicture{{side, side, builder.finish()}, gif->SWidth, gif->SHeight};
}

}  // namespace zentrel::scanners
