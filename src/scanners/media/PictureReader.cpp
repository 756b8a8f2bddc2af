#include "scanners/media/PictureReader.hpp"

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureFormat.hpp"
#include "scanners/pictures/BmpPictureDecoder.hpp"
#include "scanners/pictures/GifPictureDecoder.hpp"
#include "scanners/pictures/JpegPictureDecoder.hpp"
#include "scanners/pictures/PngPictureDecoder.hpp"
#include "scanners/pictures/module/HeifPictureDecoder.hpp"
#include "scanners/pictures/module/TiffPictureDecoder.hpp"
#include "scanners/pictures/module/WebpPictureDecoder.hpp"

namespace zentrel::scanners {

std::optional<DecodedPicture> readPicture(const std::string& path, PictureGate& gate) {
    return readPictureAtSide(path, gate, kThumbnailSide);
}

std::optional<DecodedPicture> readPictureAtSide(const std::string& path, PictureGate& gate, int side) {
    auto file = PictureFile::open(path);
    if (!file) return std::nullopt;
    const auto format = pictureFormatOf(file->head());
    if (!format) return std::nullopt;
    switch (*format) {
    case PictureFormat::jpeg: return decodeJpegForThumbnail(*file, side, gate);
    case PictureFormat::png: return decodePngThumbnail(*file, side, gate);
    case PictureFormat::gif: return decodeGifThumbnail(*file, side, gate);
    case PictureFormat::webp: return decodeWebpThumbnail(*file, side, gate);
    case PictureFormat::tiff: return decodeTiffThumbnail(*file, side, gate);
    case PictureFormat::bmp: return decodeBmpPicture(*file, side, gate);
    case PictureFormat::heif: return decodeHeifThumbnail(*file, side, gate);
    }
    return std::nullopt;
}

std::optional<DecodedPicture> decodePicture(const std::string& path) {
    PictureGate gate;
    return readPicture(path, gate);
}

bool isPictureTooLarge(const std::string& path) {
    auto gate = PictureGate::probe();
    (void)readPicture(path, gate);
    return gate.refusedAsTooLarge();
}

}  // namespace zentrel::scanners
