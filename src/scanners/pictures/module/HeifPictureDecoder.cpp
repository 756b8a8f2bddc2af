#include "scanners/pictures/module/HeifPictureDecoder.hpp"

#include "scanners/media/ThumbnailBuilder.hpp"
#include "scanners/pictures/HeifCanvas.hpp"
#include "scanners/pictures/PictureGrey.hpp"

#include <libheif/heif.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace zentrel::scanners {

namespace {

constexpr std::uint64_t kFixedDecoderBytes = std::uint64_t{32} << 20;
// The coded planes (up to 16 bits a sample, with the codec's reference
// frames) and the decoded colours, over the largest canvas the file declares.
constexpr std::uint64_t kBytesPerPixel = 10;
// libheif refuses pictures with a longer side before it decodes them.
constexpr int kLongestSide = 1 << 16;

struct ContextFreer {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleReleaser {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageReleaser {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

// libheif reads through the picture file.
const heif_reader kFileReader{
    .reader_api_version = 1,
    .get_position = [](void* file) -> std::int64_t { return ::ftello(static_cast<PictureFile*>(file)->get()); },
    .read = [](void* data, std::size_t size, void* file) -> int {
        return std::fread(data, 1, size, static_cast<PictureFile*>(file)->get()) == size ? 0 : 1;
    },
    .seek = [](std::int64_t position, void* file) -> int {
        return ::fseeko(static_cast<PictureFile*>(file)->get(), position, SEEK_SET);
    },
    .wait_for_file_size = [](std::int64_t size, void* file) {
        return size >= 0 && static_cast<std::uint64_t>(size) <= static_cast<PictureFile*>(file)->sizeBytes()
                   ? heif_reader_grow_status_size_reached
                   : heif_reader_grow_status_size_beyond_eof;
    },
};

}  // namespace

std::optional<DecodedPicture> decodeHeifThumbnail(PictureFile& file, int side, PictureGate& gate) {
    const auto canvas = largestHeifCanvas(file);
    if (!canvas) return std::nullopt;
    std::rewind(file.get());
    std::unique_ptr<heif_context, ContextFreer> context(heif_context_alloc());
    if (!context) return std::nullopt;
    heif_context_set_maximum_image_size_limit(context.get(), kLongestSide);
    // The tiles of a grid decode one after another on this thread, within what the gate admitted.
    heif_context_set_max_decoding_threads(context.get(), 0);
    heif_image_handle* rawHandle = nullptr;
    if (heif_context_read_from_reader(context.get(), &kFileReader, &file, nullptr).code != heif_error_Ok ||
        heif_context_get_primary_image_handle(context.get(), &rawHandle).code != heif_error_Ok)
        return std::nullopt;
    const std::unique_ptr<heif_image_handle, HandleReleaser> handle(rawHandle);
    const int width = heif_image_handle_get_width(handle.get()), height = heif_image_handle_get_height(handle.get());
    if (width < 1 || height < 1) return std::nullopt;
    const auto pixels = canvas->width * canvas->height;
    // The decoder's planes of the largest coded picture, and libheif's copy of them, at their depth and chroma.
    const auto codedBytes = canvas->codedPictureBytes > UINT64_MAX / 4 ? UINT64_MAX / 2 : 2 * canvas->codedPictureBytes;
    if (!gate.admit(canvas->width, canvas->height, kFixedDecoderBytes + pixels * kBytesPerPixel + codedBytes))
        return std::nullopt;
    heif_image* rawImage = nullptr;
    if (heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr).code !=
        heif_error_Ok)
        return std::nullopt;
    const std::unique_ptr<heif_image, ImageReleaser> image(rawImage);
    int stride = 0;
    const std::uint8_t* plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int decodedWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int decodedHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || decodedWidth < 1 || decodedHeight < 1 || stride < decodedWidth * 4) return std::nullopt;
    ThumbnailBuilder builder(decodedWidth, decodedHeight, side);
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(decodedWidth));
    for (int y = 0; y < decodedHeight; ++y) {
        const std::uint8_t* row = plane + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        for (int x = 0; x < decodedWidth; ++x, row += 4) grey[x] = overBlack(luma(row[0], row[1], row[2]), row[3]);
        builder.addRow(grey.data());
    }
    return DecodedPicture{{side, side, builder.finish()}, width, height};
}

}  // namespace zentrel::scanners
