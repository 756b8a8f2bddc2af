#include "scanners/media/PictureHash.hpp"

#include "scanners/duplicates/Sha256.hpp"
#include "scanners/media/PictureReader.hpp"
#include "scanners/media/ThumbnailBuilder.hpp"

#include <algorithm>

namespace zentrel::scanners {

std::optional<std::vector<std::uint8_t>> grayThumbnail(const GrayImage& image, int side) {
    if (image.width < 1 || image.height < 1 || side < 1 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        return std::nullopt;
    }
    ThumbnailBuilder builder(image.width, image.height, side);
    for (int y = 0; y < image.height; ++y) builder.addRow(image.pixels.data() + static_cast<std::size_t>(y) * image.width);
    return builder.finish();
}

std::uint64_t perceptualHash(const std::vector<std::uint8_t>& pixels, int width, int height) {
    auto at = [&](int y, int x) { return pixels[static_cast<std::size_t>(y) * width + x]; };
    std::uint64_t hash = 0;
    for (int r = 0; r < 8; ++r) {
        const int y = r * height / 8;
        for (int c = 0; c < 8; ++c) {
            const int x0 = std::min(width - 1, c * width / 8);
            const int x1 = std::min(width - 1, (c + 1) * width / 8);
            if (at(y, x0) > at(y, x1)) hash |= std::uint64_t{1} << (8 * r + c);
        }
    }
    return hash;
}

std::uint64_t perceptualHashSecondary(const std::vector<std::uint8_t>& pixels, int width, int height) {
    auto at = [&](int y, int x) { return pixels[static_cast<std::size_t>(y) * width + x]; };
    std::uint64_t hash = 0;
    for (int r = 0; r < 8; ++r) {
        const int x = r * width / 8;
        for (int c = 0; c < 8; ++c) {
            const int y0 = std::min(height - 1, c * height / 8);
            const int y1 = std::min(height - 1, (c + 1) * height / 8);
            if (at(y0, x) > at(y1, x)) hash |= std::uint64_t{1} << (8 * r + c);
        }
    }
    return hash;
}

std::optional<MediaFingerprint> fingerprintOf(const GrayImage& image, model::DuplicateKind kind) {
    return fingerprintOfPicture(DecodedPicture{image, image.width, image.height}, kind);
}

std::optional<MediaFingerprint> fingerprintOfPicture(const DecodedPicture& picture, model::DuplicateKind kind) {
    auto thumbnail = grayThumbnail(picture.image, kThumbnailSide);
    if (!thumbnail) return std::nullopt;
    MediaFingerprint fingerprint;
    fingerprint.perceptualHash = perceptualHash(*thumbnail, kThumbnailSide, kThumbnailSide);
    fingerprint.perceptualHashSecondary = perceptualHashSecondary(*thumbnail, kThumbnailSide, kThumbnailSide);
    if (fingerprint.perceptualHash == 0 && fingerprint.perceptualHashSecondary == 0) return std::nullopt;
    fingerprint.structuralDigest = hexDigest(Sha256::of(
        std::string_view(reinterpret_cast<const char*>(thumbnail->data()), thumbnail->size())));
    fingerprint.pixelWidth = picture.width;
    fingerprint.pixelHeight = picture.height;
    fingerprint.kind = kind;
    return fingerprint;
}

std::optional<MediaFingerprint> imageFingerprint(const std::string& path) {
    auto picture = decodePicture(path);
    if (!picture) return std::nullopt;
    return fingerprintOfPicture(*picture, model::DuplicateKind::perceptualImage);
}

std::optional<MediaFingerprint> videoFingerprint(const std::string& path) {
    auto frame = decodeFirstVideoFrame(path);
    if (!frame) return std::nullopt;
    return fingerprintOf(*frame, model::DuplicateKind::perceptualVideo);
}

}  // namespace zentrel::scanners
