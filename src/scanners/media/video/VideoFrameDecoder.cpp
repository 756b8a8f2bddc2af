// The first frame of a video through FFmpeg's libraries, as grey pixels no
// larger than 512 x 512 (proportions kept), opened only as one of the listed
// containers from one regular file, within the caller's memory and time.
// Built as a module of its own that is loaded on the first video, so that
// programs start without the codecs. FFmpeg's log stays silent: a damaged file is the
// caller's to skip, not a message on the terminal.

#include "scanners/media/PictureHash.hpp"
#include "scanners/media/VideoDecodeLimits.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// The demuxers of the containers the scan lists: MP4 and QuickTime, Matroska and WebM, AVI. Playlists,
// concatenation lists and the like, which read other files or wait on them, are never opened.
constexpr const char* kContainerWhitelist = "mov,mp4,matroska,webm,avi";
constexpr int kReadBufferBytes = 64 * 1024;

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};
struct IoFreer {
    void operator()(AVIOContext* io) const {
        if (io) av_freep(&io->buffer);
        avio_context_free(&io);
    }
};

// The file and the caller's limits, for FFmpeg's reads and its interrupt checks.
struct OpenedFile {
    int fd;
    const VideoDecodeLimits* limits;
    [[nodiscard]] bool expired() const { return limits->expired(limits->context); }
};

int readFile(void* opaque, std::uint8_t* buffer, int size) {
    const auto& file = *static_cast<OpenedFile*>(opaque);
    if (file.expired()) return AVERROR_EXIT;
    const auto got = ::read(file.fd, buffer, static_cast<std::size_t>(size));
    if (got < 0) return AVERROR(errno);
    return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

std::int64_t seekFile(void* opaque, std::int64_t offset, int whence) {
    const auto& file = *static_cast<OpenedFile*>(opaque);
    if (whence == AVSEEK_SIZE) {
        struct stat status {};
        return ::fstat(file.fd, &status) == 0 ? status.st_size : AVERROR(errno);
    }
    const auto at = ::lseek(file.fd, offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : at;
}

// No demuxer opens a file of its own: references to other files are not followed.
int refuseToOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) { return AVERROR(EPERM); }

// The frame buffers of a size the caller admitted; a frame larger than the stream declared asks again.
int frameBuffer(AVCodecContext* decoder, AVFrame* frame, int flags) {
    const auto& file = *static_cast<const OpenedFile*>(decoder->opaque);
    const auto width = static_cast<std::uint64_t>(std::max(frame->width, 0));
    const auto height = static_cast<std::uint64_t>(std::max(frame->height, 0));
    if (!file.limits->admit(file.limits->context, width, height, kVideoFixedBytes + width * height * kVideoBytesPerPixel))
        return AVERROR(ENOMEM);
    return avcodec_default_get_buffer2(decoder, frame, flags);
}

std::optional<GrayImage> decodeFrame(const std::string& path, const VideoDecodeLimits& limits) {
    silenceLog();
    // Only a regular file: a pipe or a device would wait for a writer or never end.
    Descriptor descriptor{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat status {};
    if (descriptor.fd < 0 || ::fstat(descriptor.fd, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    OpenedFile file{descriptor.fd, &limits};
    auto* buffer = static_cast<unsigned char*>(av_malloc(kReadBufferBytes));
    if (!buffer) return std::nullopt;
    std::unique_ptr<AVIOContext, IoFreer> io(
        avio_alloc_context(buffer, kReadBufferBytes, 0, &file, readFile, nullptr, seekFile));
    if (!io) {
        av_free(buffer);
        return std::nullopt;
    }
    AVFormatContext* rawFormat = avformat_alloc_context();
    if (!rawFormat) return std::nullopt;
    rawFormat->pb = io.get();
    rawFormat->interrupt_callback = {[](void* opaque) { return static_cast<OpenedFile*>(opaque)->expired() ? 1 : 0; },
                                     &file};
    rawFormat->format_whitelist = av_strdup(kContainerWhitelist);
    rawFormat->protocol_whitelist = av_strdup("file");
    rawFormat->io_open = refuseToOpen;
    // On failure the library frees the context it was given.
    if (!rawFormat->format_whitelist || !rawFormat->protocol_whitelist ||
        avformat_open_input(&rawFormat, path.c_str(), nullptr, nullptr) < 0) {
        avformat_free_context(rawFormat);
        return std::nullopt;
    }
    std::unique_ptr<AVFormatContext, FormatCloser> format(rawFormat);
    // The streams' parameters come from the container's headers: probing them further would decode frames
    // before any size is admitted.
    const AVCodec* codec = nullptr;
    const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (stream < 0 || !codec) return std::nullopt;
    const AVCodecParameters& parameters = *format->streams[stream]->codecpar;
    if (parameters.width < 1 || parameters.height < 1) return std::nullopt;
    const auto width = static_cast<std::uint64_t>(parameters.width), height = static_cast<std::uint64_t>(parameters.height);
    if (!limits.admit(limits.context, width, height, kVideoFixedBytes + width * height * kVideoBytesPerPixel))
        return std::nullopt;

    std::unique_ptr<AVCodecContext, CodecFreer> decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), &parameters) < 0) return std::nullopt;
    decoder->max_pixels = kMostFramePixels;
    // One thread: each further one would hold frames of its own.
    decoder->thread_count = 1;
    decoder->opaque = &file;
    decoder->get_buffer2 = frameBuffer;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0) return std::nullopt;
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (!packet || !frame) return std::nullopt;

    auto receive = [&]() -> std::optional<GrayImage> {
        if (avcodec_receive_frame(decoder.get(), frame.get()) == 0 && frame->width > 0 && frame->height > 0)
            return toGray(*frame);
        return std::nullopt;
    };
    while (!file.expired() && av_read_frame(format.get(), packet.get()) >= 0) {
        const bool ours = packet->stream_index == stream;
        const bool sent = ours && avcodec_send_packet(decoder.get(), packet.get()) >= 0;
        av_packet_unref(packet.get());
        if (!sent) continue;
        if (auto image = receive()) return image;
    }
    if (file.expired()) return std::nullopt;
    avcodec_send_packet(decoder.get(), nullptr);  // drain what the decoder holds back
    return receive();
}

}  // namespace

}  // namespace zentrel::scanners

extern "C" bool zentrelDecodeFirstVideoFrame(const char* path, const zentrel::scanners::VideoDecodeLimits* limits,
                                             zentrel::scanners::GrayImage* frame) {
    auto decoded = zentrel::scanners::decodeFrame(path, *limits);
    if (!decoded) return false;
    *frame = std::move(*decoded);
    return true;
}
