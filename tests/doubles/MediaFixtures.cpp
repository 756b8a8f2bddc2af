#include "doubles/MediaFixtures.hpp"

#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <png.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

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
    // Each new pixel averages the old ones whose centres it covers.
    std::vector<std::uint8_t> out(static_cast<std::size_t>(newWidth) * newHeight);
    for (int y = 0; y < newHeight; ++y) {
        const int top = y * height / newHeight, bottom = std::max(top + 1, (y + 1) * height / newHeight);
        for (int x = 0; x < newWidth; ++x) {
            const int left = x * width / newWidth, right = std::max(left + 1, (x + 1) * width / newWidth);
            unsigned sum = 0;
            for (int sy = top; sy < bottom; ++sy)
                for (int sx = left; sx < right; ++sx) sum += pixels[static_cast<std::size_t>(sy) * width + sx];
            const auto count = static_cast<unsigned>((bottom - top) * (right - left));
            out[static_cast<std::size_t>(y) * newWidth + x] = static_cast<std::uint8_t>((sum + count / 2) / count);
        }
    }
    return out;
}

void writeJpeg(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width, int height,
               int quality, bool progressive) {
    std::filesystem::create_directories(path.parent_path());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("could not write " + path.string());
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors{};
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = 1;
    encoder.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, quality, TRUE);
    if (progressive) jpeg_simple_progression(&encoder);
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(pixels.data()) + static_cast<std::size_t>(encoder.next_scanline) * width;
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::fclose(file);
}

void writePng(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width, int height) {
    std::filesystem::create_directories(path.parent_path());
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_GRAY;
    if (!png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), width, nullptr))
        throw std::runtime_error("could not write " + path.string());
}

void writeBmp(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width, int height) {
    std::filesystem::create_directories(path.parent_path());
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string bytes(54 + static_cast<std::size_t>(stride) * height, '\0');
    const auto put = [&](std::size_t at, std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, static_cast<std::uint32_t>(bytes.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                bytes[54 + static_cast<std::size_t>(height - 1 - y) * stride + x * 3 + c] =
                    static_cast<char>(pixels[static_cast<std::size_t>(y) * width + x]);
    std::ofstream(path, std::ios::binary) << bytes;
}

void writeWithImageMagick(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width,
                          int height, int channels) {
    std::filesystem::create_directories(path.parent_path());
    const auto source = path.string() + (channels == 3 ? ".ppm" : ".pgm");
    std::ofstream(source, std::ios::binary) << (channels == 3 ? "P6\n" : "P5\n") << width << " " << height << "\n255\n"
                                            << std::string(pixels.begin(), pixels.end());
    // ImageMagick writes HEIF under the name of its HEIC coder only.
    const auto extension = path.extension().string();
    const std::string coder = extension == ".heif" ? "HEIC:" : "";
    const auto command = "convert '" + source + "' '" + coder + path.string() + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    std::filesystem::remove(source);
    if (status != 0) throw std::runtime_error("could not write " + path.string());
}

void writeMjpegAvi(const std::filesystem::path& path, const std::string& jpeg, int declaredWidth, int declaredHeight) {
    std::filesystem::create_directories(path.parent_path());
    AVFormatContext* format = nullptr;
    if (avformat_alloc_output_context2(&format, nullptr, "avi", path.c_str()) < 0) throw std::runtime_error("avi");
    AVStream* stream = avformat_new_stream(format, nullptr);
    stream->codecpar->codec_type = AVMEDIA_TYPE_VIDEO;
    stream->codecpar->codec_id = AV_CODEC_ID_MJPEG;
    stream->codecpar->width = declaredWidth;
    stream->codecpar->height = declaredHeight;
    stream->time_base = {1, 25};
    if (avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0 || avformat_write_header(format, nullptr) < 0)
        throw std::runtime_error("could not write " + path.string());
    AVPacket* packet = av_packet_alloc();
    if (av_new_packet(packet, static_cast<int>(jpeg.size())) < 0) throw std::runtime_error("packet");
    std::copy(jpeg.begin(), jpeg.end(), packet->data);
    packet->flags |= AV_PKT_FLAG_KEY;
    packet->stream_index = stream->index;
    av_interleaved_write_frame(format, packet);
    av_write_trailer(format);
    avio_closep(&format->pb);
    av_packet_free(&packet);
    avformat_free_context(format);
}

void writeVideo(const std::filesystem::path& path, int width, int height, int seed, const char* container) {
    std::filesystem::create_directories(path.parent_path());
    AVFormatContext* format = nullptr;
    if (avformat_alloc_output_context2(&format, nullptr, container, path.c_str()) < 0) throw std::runtime_error(container);
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
