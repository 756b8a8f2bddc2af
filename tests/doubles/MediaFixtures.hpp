#pragma once
// Pictures and a small video for the similar-media tests, drawn from a
// formula so no sample file is needed.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zentrel::testing {

// A grey scene of soft shapes, `width` x `height`, varied by `seed`.
[[nodiscard]] std::vector<std::uint8_t> drawScene(int width, int height, int seed);
// The scene resized to new sides.
[[nodiscard]] std::vector<std::uint8_t> resized(const std::vector<std::uint8_t>& pixels, int width, int height,
                                                int newWidth, int newHeight);
// Writes grey pixels as a JPEG of the given quality (1 to 100), baseline or progressive.
void writeJpeg(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width, int height,
               int quality, bool progressive = false);
// Writes grey pixels as an 8-bit grey PNG.
void writePng(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width, int height);
// Writes grey pixels as an uncompressed 24-bit BMP, rows bottom up.
void writeBmp(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width, int height);
// Writes grey pixels (or RGB ones, three channels) in the format the path's
// extension names (GIF, WebP, TIFF, HEIC...) through ImageMagick's convert.
void writeWithImageMagick(const std::filesystem::path& path, const std::vector<std::uint8_t>& pixels, int width,
                          int height, int channels = 1);
// Writes one MJPEG frame, the given JPEG file's bytes, in an AVI file whose stream declares the given size.
void writeMjpegAvi(const std::filesystem::path& path, const std::string& jpeg, int declaredWidth, int declaredHeight);
// Writes a few frames of the scene as an MPEG-4 video in an AVI file (or in the container named).
void writeVideo(const std::filesystem::path& path, int width, int height, int seed, const char* container = "avi");

}  // namespace zentrel::testing
