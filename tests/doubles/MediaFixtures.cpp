#include "doubles/MediaFixtures.hpp"

#include <stb_image_resize.h>
#include <stb_image_write.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zentrel::testing {

std::vector<std::uint8_t> drawScene(int width, int height, int seed) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
            const double value = 128 + 60 * std::sin(6.0 * u + seed) + 50 * std::cos(5.0 * v * (1 + seed % 3)) +
                                 15 * std::sin(20.0 * u * v + seed);
            pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
        }
    }
    return pixels;
}

std::vector<std::uint8_t> resized(const std::vector<std::uint8_t>& pixels, int width, int height, int newWidth,
                                  int newHeight) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(newWidth) * newHeight);
    if (!stbir_resize_uint8(pixels.data(), width, height, 0, out.data(), newWidth, newHeight, 0, 1))
        throw std::runtime_error("resize failed");
    return out;
}

void writeJpeg(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width, int height,
               int quality) {
    std::filesystem::create_directories(path.parent_path());
    if (!stbi_write_jpg(path.c_str(), width, height, 1, pixels.data(), quality))
        throw std::runtime_error("could not write " + path.string());
}

void writeBmp(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width, int height) {
    std::filesystem::create_directories(path.parent_path());
    if (!stbi_write_bmp(path.c_str(), width, height, 1, pixels.data()))
        throw std::runtime_error("could not write " + path.string());
}

void writeVideo(const std::filesystem::path& path, int width, int height, int seed) {
    std::filesystem::create_directories(path.parent_path());
    AVFormatContext* format = nullptr;
    if (avformat_alloc_output_context2(&format, nullptr, "avi", path.c_str()) < 0) throw std::runtime_error("avi");
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!codec) throw std::runtime_error("no MPEG-4 encoder");
    AVStream* stream = avformat_new_stream(format, nullptr);
    AVCodecContext* encoder = avcodec_alloc_context3(codec);
    encoder->width = width;
    encoder->height = height;
    encoder->pix_fmt = AV_PIX_FMT_YUV420P;
    encoder->time_base = {1, 25};
    encoder->framerate = {25, 1};
    encoder->gop_size = 10;
    if (avcodec_open2(encoder, codec, nullptr) < 0) throw std::runtime_error("encoder");
    avcodec_parameters_from_context(stream->codecpar, encoder);
    stream->time_base = encoder->time_base;
    if (avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) throw std::runtime_error("open");
    if (avformat_write_header(format, nullptr) < 0) throw std::runtime_error("header");

    const auto scene = drawScene(width, height, seed);
    AVFrame* frame = av_frame_alloc();
    frame->format = encoder->pix_fmt;
    frame->width = width;
    frame->height = height;
    av_frame_get_buffer(frame, 0);
    AVPacket* packet = av_packet_alloc();
    auto drain = [&] {
        while (avcodec_receive_packet(encoder, packet) == 0) {
            av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            av_interleaved_write_frame(format, packet);
        }
    };
    for (int index = 0; index < 5; ++index) {
        av_frame_make_writable(frame);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) frame->data[0][y * frame->linesize[0] + x] = scene[y * width + x];
        for (int y = 0; y < height / 2; ++y)
            for (int x = 0; x < width / 2; ++x) {
                frame->data[1][y * frame->linesize[1] + x] = 128;
                frame->data[2][y * frame->linesize[2] + x] = 128;
            }
        frame->pts = index;
        avcodec_send_frame(encoder, frame);
        drain();
    }
    avcodec_send_frame(encoder, nullptr);
    drain();
    av_write_trailer(format);
    avio_closep(&format->pb);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    avformat_free_context(format);
}

}  // namespace zentrel::testing
