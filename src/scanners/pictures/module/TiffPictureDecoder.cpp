#include "scanners/pictures/module/TiffPictureDecoder.hpp"

#include "scanners/media/ThumbnailBuilder.hpp"
#include "scanners/pictures/PictureGrey.hpp"

#include <tiffio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace zentrel::scanners {

namespace {

constexpr std::uint64_t kFixedDecoderBytes = std::uint64_t{8} << 20;

int ignoreMessage(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
struct OptionsFreer {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct RgbaImageEnder {
    void operator()(TIFFRGBAImage* image) const { TIFFRGBAImageEnd(image); }
};

// Opens a copy of the file's descriptor, which libtiff closes, without
// mapping the file and with no allocation over `mostBytes`.
std::unique_ptr<TIFF, TiffCloser> openTiff(PictureFile& file, std::uint64_t mostBytes) {
    std::unique_ptr<TIFFOpenOptions, OptionsFreer> options(TIFFOpenOptionsAlloc());
    if (!options) return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(mostBytes));
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), ignoreMessage, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreMessage, nullptr);
    const int descriptor = ::dup(::fileno(file.get()));
    if (descriptor < 0) return nullptr;
    ::lseek(descriptor, 0, SEEK_SET);
    TIFF* tiff = TIFFFdOpenExt(descriptor, "picture", "rm", options.get());
    if (!tiff) ::close(descriptor);
    return std::unique_ptr<TIFF, TiffCloser>(tiff);
}

}  // namespace

std::optional<DecodedPicture> decodeTiffThumbnail(PictureFile& file, int side, PictureGate& gate) {
    // Only the header and the first directory are read before the gate.
    auto tiff = openTiff(file, PictureMemoryBudget::shared().capacity());
    std::uint32_t width = 0, height = 0, rowsPerBand = 0;
    if (!tiff || !TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) || width < 1 || height < 1)
        return std::nullopt;
    // A band of rows as the file stores them: a strip, or a row of tiles.
    const bool tiled = TIFFIsTiled(tiff.get()) != 0;
    if (!TIFFGetField(tiff.get(), tiled ? TIFFTAG_TILELENGTH : TIFFTAG_ROWSPERSTRIP, &rowsPerBand) || rowsPerBand < 1)
        rowsPerBand = height;
    rowsPerBand = std::min(rowsPerBand, height);
    const auto stored = static_cast<std::uint64_t>(std::max<tmsize_t>(tiled ? TIFFTileSize(tiff.get()) : TIFFStripSize(tiff.get()), 0));
    const std::uint64_t bandBytes = std::uint64_t{width} * rowsPerBand * 4;
    if (!gate.admit(width, height, kFixedDecoderBytes + bandBytes + width + 2 * stored)) return std::nullopt;
    tiff = openTiff(file, gate.memoryLimit());
    char message[1024] = {};
    TIFFRGBAImage image{};
    if (!tiff || !TIFFRGBAImageOK(tiff.get(), message) || !TIFFRGBAImageBegin(&image, tiff.get(), 1, message))
        return std::nullopt;
    const std::unique_ptr<TIFFRGBAImage, RgbaImageEnder> ender(&image);
    if (image.width != width || image.height != height) return std::nullopt;
    image.req_orientation = ORIENTATION_TOPLEFT;
    std::vector<std::uint32_t> band(static_cast<std::size_t>(bandBytes / 4));
    std::vector<std::uint8_t> grey(width);
    ThumbnailBuilder builder(static_cast<int>(width), static_cast<int>(height), side);
    for (std::uint32_t top = 0; top < height; top += rowsPerBand) {
        const std::uint32_t rows = std::min(rowsPerBand, height - top);
        image.row_offset = static_cast<int>(top);
        image.col_offset = 0;
        if (!TIFFRGBAImageGet(&image, band.data(), width, rows)) return std::nullopt;
        for (std::uint32_t y = 0; y < rows; ++y) {
            const std::uint32_t* row = band.data() + static_cast<std::size_t>(y) * width;
            for (std::uint32_t x = 0; x < width; ++x) {
                const auto pixel = row[x];
                grey[x] = overBlack(luma(TIFFGetR(pixel), TIFFGetG(pixel), TIFFGetB(pixel)), TIFFGetA(pixel));
            }
            builder.addRow(grey.data());
        }
    }
    return DecodedPicture{{side, side, builder.finish()}, static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace zentrel::scanners
