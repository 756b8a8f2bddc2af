#include "scanners/media/PictureFormat.hpp"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

namespace zentrel::scanners {

namespace {

template <typename Byte>
bool startsWith(std::span<const unsigned char> head, std::span<const Byte> signature, std::size_t at = 0) {
    return head.size() >= at + signature.size() &&
           std::equal(signature.begin(), signature.end(), head.begin() + static_cast<std::ptrdiff_t>(at),
                      [](Byte a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
}
bool startsWith(std::span<const unsigned char> head, std::string_view signature, std::size_t at = 0) {
    return startsWith(head, std::span<const char>(signature.data(), signature.size()), at);
}

constexpr unsigned char kJpeg[] = {0xFF, 0xD8, 0xFF};
constexpr unsigned char kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Classic and big TIFF, in either byte order.
constexpr unsigned char kTiffs[][4] = {{'I', 'I', 42, 0}, {'M', 'M', 0, 42}, {'I', 'I', 43, 0}, {'M', 'M', 0, 43}};

// The brands of HEIF files whose pictures are HEVC-coded (the still-picture
// brands, their sequences and the general one cameras and phones write).
constexpr std::array<std::string_view, 8> kHeifBrands = {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1"};

}  // namespace

std::optional<PictureFormat> pictureFormatOf(std::span<const unsigned char> head) {
    if (startsWith(head, std::span<const unsigned char>(kJpeg))) return PictureFormat::jpeg;
    if (startsWith(head, std::span<const unsigned char>(kPng))) return PictureFormat::png;
    if (startsWith(head, "GIF87a") || startsWith(head, "GIF89a")) return PictureFormat::gif;
    if (startsWith(head, "RIFF") && startsWith(head, "WEBP", 8)) return PictureFormat::webp;
    if (std::any_of(std::begin(kTiffs), std::end(kTiffs), [&](const auto& tiff) { return startsWith(head, std::span<const unsigned char>(tiff)); }))
        return PictureFormat::tiff;
    if (startsWith(head, "BM")) return PictureFormat::bmp;
    if (startsWith(head, "ftyp", 4) &&
        std::any_of(kHeifBrands.begin(), kHeifBrands.end(), [&](auto brand) { return startsWith(head, brand, 8); }))
        return PictureFormat::heif;
    return std::nullopt;
}

}  // namespace zentrel::scanners
