#include "scanners/BmpPictureDecoder.hpp"

#include "scanners/VideoDecoderModule.hpp"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace zentrel::scanners {

namespace {

constexpr std::uint64_t kFixedDecoderBytes = std::uint64_t{4} << 20;
// The decoded frame, at most four bytes a pixel, and its colours at four more.
constexpr std::uint64_t kBytesPerPixel = 8;

std::uint32_t littleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

struct BmpSize {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
};

// The sides the header declares: the old core header's 16-bit ones or the
// later headers' 32-bit ones (a negative height for rows top down).
std::optional<BmpSize> declaredSize(std::FILE* file) {
    std::array<unsigned char, 26> header{};
    std::rewind(file);
    if (std::fread(header.data(), 1, header.size(), file) != header.size()) return std::nullopt;
    const auto infoBytes = littleEndian(&header[14], 4);
    if (infoBytes == 12) return BmpSize{littleEndian(&header[18], 2), littleEndian(&header[20], 2)};
    if (infoBytes < 40) return std::nullopt;
    const auto width = static_cast<std::int32_t>(littleEndian(&header[18], 4));
    const auto height = static_cast<std::int32_t>(littleEndian(&header[22], 4));
    if (width < 1 || height == 0 || height == INT32_MIN) return std::nullopt;
    return BmpSize{static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(std::abs(height))};
}

}  // namespace

std::optional<DecodedPicture> decodeBmpPicture(PictureFile& file, int side, PictureGate& gate) {
    const auto size = declaredSize(file.get());
    if (!size || !gate.admit(size->width, size->height,
                             kFixedDecoderBytes + file.sizeBytes() + size->width * size->height * kBytesPerPixel))
        return std::nullopt;
    const auto bytes = file.readAll();
    if (!bytes) return std::nullopt;
    return decodeStillWithFfmpeg(*bytes, "bmp", kMostPicturePixels, side);
}

}  // namespace zentrel::scanners
