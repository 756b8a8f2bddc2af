#include "scanners/pictures/module/WebpPictureDecoder.hpp"

#include "scanners/media/ThumbnailBuilder.hpp"
#include "scanners/pictures/PictureGrey.hpp"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace zentrel::scanners {

namespace {

constexpr std::uint64_t kFixedDecoderBytes = std::uint64_t{4} << 20;
// The header, with the chunks that may come before the picture's own.
constexpr std::size_t kHeaderBytes = 64 * 1024;
// Decoded at no more than this a side, then averaged down to the thumbnail.
constexpr int kDecodedSide = 128;
// What the features call a lossy picture (VP8); lossless ones are 2 and an animation's mixed frames 0.
constexpr int kLossyFormat = 1;

struct DemuxCloser {
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};

// The first frame of an animation, or the picture itself.
std::optional<WebPData> pictureData(const std::vector<unsigned char>& bytes, bool animated,
                                    std::unique_ptr<WebPDemuxer, DemuxCloser>& demuxer) {
    const WebPData whole{bytes.data(), bytes.size()};
    if (!animated) return whole;
    demuxer.reset(WebPDemux(&whole));
    WebPIterator frame{};
    if (!demuxer || !WebPDemuxGetFrame(demuxer.get(), 1, &frame)) return std::nullopt;
    const WebPData fragment = frame.fragment;
    WebPDemuxReleaseIterator(&frame);
    return fragment;
}

}  // namespace

std::optional<DecodedPicture> decodeWebpThumbnail(PictureFile& file, int side, PictureGate& gate) {
    std::rewind(file.get());
    std::vector<unsigned char> head(std::min<std::uint64_t>(file.sizeBytes(), kHeaderBytes));
    WebPBitstreamFeatures features{};
    if (std::fread(head.data(), 1, head.size(), file.get()) != head.size() ||
        WebPGetFeatures(head.data(), head.size(), &features) != VP8_STATUS_OK)
        return std::nullopt;
    const auto width = static_cast<std::uint64_t>(features.width), height = static_cast<std::uint64_t>(features.height);
    // The file, an alpha plane and the rows the scaler works on; a lossless picture, or the frames of
    // an animation, which may be lossless, are decoded whole into four bytes a pixel before any scaling.
    const bool lossy = features.format == kLossyFormat && features.has_animation == 0;
    const auto wholePicture = lossy ? 0 : width * height * 4;
    if (!gate.admit(width, height,
                    kFixedDecoderBytes + file.sizeBytes() + width * height + wholePicture + width * 4 * 64))
        return std::nullopt;
    const auto bytes = file.readAll();
    if (!bytes) return std::nullopt;
    std::unique_ptr<WebPDemuxer, DemuxCloser> demuxer;
    const auto data = pictureData(*bytes, features.has_animation != 0, demuxer);
    WebPDecoderConfig config{};
    if (!data || !WebPInitDecoderConfig(&config) || WebPGetFeatures(data->bytes, data->size, &config.input) != VP8_STATUS_OK)
        return std::nullopt;
    config.options.use_scaling = 1;
    config.options.scaled_width = std::min(config.input.width, kDecodedSide);
    config.options.scaled_height = std::min(config.input.height, kDecodedSide);
    config.output.colorspace = MODE_RGBA;
    // The decoded rows are freed whatever the decoding gave.
    const std::unique_ptr<WebPDecBuffer, void (*)(WebPDecBuffer*)> output(&config.output, WebPFreeDecBuffer);
    if (WebPDecode(data->bytes, data->size, &config) != VP8_STATUS_OK) return std::nullopt;
    const auto& rgba = config.output.u.RGBA;
    const int decodedWidth = config.output.width, decodedHeight = config.output.height;
    ThumbnailBuilder builder(decodedWidth, decodedHeight, side);
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(decodedWidth));
    for (int y = 0; y < decodedHeight; ++y) {
        const std::uint8_t* row = rgba.rgba + static_cast<std::size_t>(y) * rgba.stride;
        for (int x = 0; x < decodedWidth; ++x, row += 4) grey[x] = overBlack(luma(row[0], row[1], row[2]), row[3]);
        builder.addRow(grey.data());
    }
    return DecodedPicture{{side, side, builder.finish()}, features.width, features.height};
}

}  // namespace zentrel::scanners
