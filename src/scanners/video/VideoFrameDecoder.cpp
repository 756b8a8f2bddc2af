// The first frame of a video through FFmpeg's libraries, as grey pixels no
// larger than 512 x 512 (proportions kept), and still pictures of the formats
// that FFmpeg's own decoder reads for the picture pass. Built as a module of
// its own that is loaded on the first video or such picture, so that programs
// start without the codecs. FFmpeg's log stays silent: a damaged file is the
// caller's to skip, not a message on the terminal.

#include "scanners/PictureHash.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <memory>

namespace zentrel::scanners {

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerFreer {
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};

// The frame's size bounded to 512 x 512, proportions kept.
std::pair<int, int> boundedSize(int width, int height) {
    const double scale = std::min(1.0, std::min(static_cast<double>(kVideoFrameBound) / width,
                                                static_cast<double>(kVideoFrameBound) / height));
    return {std::max(1, static_cast<int>(width * scale)), std::max(1, static_cast<int>(height * scale))};
}

// The scaler writes whole vectors: past the end of a row that is not a
// multiple of their width (13 bytes past a picture one pixel wide), so it
// writes into rows of 64-byte multiples, then the rows are copied out.
constexpr int kScalerRowAlignment = 64;

std::optional<GrayImage> toGray(const AVFrame& frame) {
    const auto [width, height] = boundedSize(frame.width, frame.height);
    std::unique_ptr<SwsContext, ScalerFreer> scaler(
        sws_getContext(frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), width, height,
                       AV_PIX_FMT_GRAY8, SWS_AREA, nullptr, nullptr, nullptr));
    if (!scaler) return std::nullopt;
    const int stride = (width + kScalerRowAlignment - 1) / kScalerRowAlignment * kScalerRowAlignment;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * height + kScalerRowAlignment);
    std::uint8_t* destination[4] = {rows.data(), nullptr, nullptr, nullptr};
    int strides[4] = {stride, 0, 0, 0};
    if (sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, destination, strides) != height) {
        return std::nullopt;
    }
    GrayImage image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        std::copy_n(rows.begin() + static_cast<std::ptrdiff_t>(y) * stride, width,
                    image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
    return image;
}

// Pictures and frames larger than this are refused by the decoders.
constexpr std::int64_t kMostFramePixels = std::int64_t{1} << 28;

void silenceLog() {
    static const bool silenced = [] {
        av_log_set_level(AV_LOG_QUIET);
        return true;
    }();
    (void)silenced;
}

std::optional<GrayImage> decodeFrame(const std::string& path) {
    silenceLog();
    AVFormatContext* rawFormat = nullptr;
    if (avformat_open_input(&rawFormat, path.c_str(), nullptr, nullptr) < 0) return std::nullopt;
    std::unique_ptr<AVFormatContext, FormatCloser> format(rawFormat);
    if (avformat_find_stream_info(format.get(), nullptr) < 0) return std::nullopt;
    const AVCodec* codec = nullptr;
    const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (stream < 0 || !codec) return std::nullopt;

    std::unique_ptr<AVCodecContext, CodecFreer> decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), format->streams[stream]->codecpar) < 0) return std::nullopt;
    decoder->max_pixels = kMostFramePixels;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0) return std::nullopt;
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (!packet || !frame) return std::nullopt;

    auto receive = [&]() -> std::optional<GrayImage> {
        if (avcodec_receive_frame(decoder.get(), frame.get()) == 0 && frame->width > 0 && frame->height > 0)
            return toGray(*frame);
        return std::nullopt;
    };
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        const bool ours = packet->stream_index == stream;
        const bool sent = ours && avcodec_send_packet(decoder.get(), packet.get()) >= 0;
        av_packet_unref(packet.get());
        if (!sent) continue;
        if (auto image = receive()) return image;
    }
    avcodec_send_packet(decoder.get(), nullptr);  // drain what the decoder holds back
    return receive();
}

// One still picture, the whole file in `bytes`, through the named decoder only.
std::optional<std::pair<GrayImage, std::pair<int, int>>> decodeStill(const std::uint8_t* bytes, std::size_t size,
                                                                      const char* decoderName, std::int64_t maxPixels) {
    silenceLog();
    const AVCodec* codec = avcodec_find_decoder_by_name(decoderName);
    if (!codec || size > static_cast<std::size_t>(INT32_MAX - AV_INPUT_BUFFER_PADDING_SIZE)) return std::nullopt;
    std::unique_ptr<AVCodecContext, CodecFreer> decoder(avcodec_alloc_context3(codec));
    if (!decoder) return std::nullopt;
    decoder->max_pixels = maxPixels;
    decoder->thread_count = 1;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0) return std::nullopt;
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (!packet || !frame || av_new_packet(packet.get(), static_cast<int>(size)) < 0) return std::nullopt;
    std::copy(bytes, bytes + size, packet->data);
    if (avcodec_send_packet(decoder.get(), packet.get()) < 0 || avcodec_receive_frame(decoder.get(), frame.get()) < 0 ||
        frame->width < 1 || frame->height < 1)
        return std::nullopt;
    auto image = toGray(*frame);
    if (!image) return std::nullopt;
    return std::pair{std::move(*image), std::pair{frame->width, frame->height}};
}

}  // namespace

}  // namespace zentrel::scanners

extern "C" bool zentrelDecodeStillPicture(const std::uint8_t* bytes, std::size_t size, const char* decoder,
                                          std::int64_t maxPixels, zentrel::scanners::DecodedPicture* picture) {
    auto decoded = zentrel::scanners::decodeStill(bytes, size, decoder, maxPixels);
    if (!decoded) return false;
    *picture = {std::move(decoded->first), decoded->second.first, decoded->second.second};
    return true;
}

extern "C" bool zentrelDecodeFirstVideoFrame(const char* path, zentrel::scanners::GrayImage* frame) {
    auto decoded = zentrel::scanners::decodeFrame(path);
    if (!decoded) return false;
    *frame = std::move(*decoded);
    return true;
}
