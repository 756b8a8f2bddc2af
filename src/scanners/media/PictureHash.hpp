#pragma once
// Fingerprints of pictures and videos for the similar-media pass: a 32 x 32
// grey copy of the picture (for a video, of its first frame), two 64-bit
// gradient hashes over it and the SHA-256 of its bytes.

#include "model/DuplicateGroup.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::scanners {

inline constexpr int kThumbnailSide = 32;
inline constexpr int kVideoFrameBound = 512;

// One byte per pixel, rows top to bottom, 0 black and 255 white.
struct GrayImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// A picture decoded for its thumbnail: `image` may be scaled down; `width`
// and `height` are the picture's own.
struct DecodedPicture {
    GrayImage image;
    int width = 0;
    int height = 0;
};

struct MediaFingerprint {
    std::uint64_t perceptualHash = 0;
    std::uint64_t perceptualHashSecondary = 0;
    std::string structuralDigest;
    std::int64_t pixelWidth = 0;
    std::int64_t pixelHeight = 0;
    model::DuplicateKind kind = model::DuplicateKind::perceptualImage;
};

// The picture scaled, without keeping its proportions, to side x side by
// averaging the pixels each target pixel covers.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> grayThumbnail(const GrayImage& image, int side);
// Left-to-right brightness steps sampled on an 8 x 8 grid.
[[nodiscard]] std::uint64_t perceptualHash(const std::vector<std::uint8_t>& pixels, int width, int height);
// Top-to-bottom brightness steps, the column as the high part of the bit number.
[[nodiscard]] std::uint64_t perceptualHashSecondary(const std::vector<std::uint8_t>& pixels, int width, int height);

// The fingerprint of a decoded picture; none when both hashes are 0 (one plain colour).
[[nodiscard]] std::optional<MediaFingerprint> fingerprintOf(const GrayImage& image, model::DuplicateKind kind);
[[nodiscard]] std::optional<MediaFingerprint> fingerprintOfPicture(const DecodedPicture& picture, model::DuplicateKind kind);
// A picture file of any format the picture reader reads; none when it is
// not read (see PictureReader.hpp).
[[nodiscard]] std::optional<MediaFingerprint> imageFingerprint(const std::string& path);
// The first frame of a video file, at most 512 x 512; none when there is none.
[[nodiscard]] std::optional<MediaFingerprint> videoFingerprint(const std::string& path);

// The video decoder, exposed for tests.
[[nodiscard]] std::optional<GrayImage> decodeFirstVideoFrame(const std::string& path);

}  // namespace zentrel::scanners
