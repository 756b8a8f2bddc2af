// HEIF, WebP and TIFF pictures are decoded by a module of their own that
// carries their libraries (libheif with its HEVC and AV1 codecs, libwebp,
// libtiff), loaded on the first such picture: a scan that meets none never
// loads them.

#include "scanners/media/DecoderModules.hpp"
#include "scanners/pictures/module/HeifPictureDecoder.hpp"
#include "scanners/pictures/module/TiffPictureDecoder.hpp"
#include "scanners/pictures/module/WebpPictureDecoder.hpp"

#include <dlfcn.h>

namespace zentrel::scanners {

namespace {

using Entry = bool (*)(PictureFile* file, int side, PictureGate* gate, DecodedPicture* picture);

struct PictureModule {
    Entry heif = nullptr;
    Entry webp = nullptr;
    Entry tiff = nullptr;
};

const PictureModule& pictureModule() {
    static const PictureModule module = [] {
        void* handle = openDecoderModule("libzentrel_pictures.so", ZENTREL_PICTURE_MODULE_PATH);
        if (!handle) return PictureModule{};
        const auto entry = [&](const char* name) { return reinterpret_cast<Entry>(::dlsym(handle, name)); };
        return PictureModule{entry("zentrelDecodeHeifPicture"), entry("zentrelDecodeWebpPicture"),
                             entry("zentrelDecodeTiffPicture")};
    }();
    return module;
}

std::optional<DecodedPicture> decodeThrough(Entry entry, PictureFile& file, int side, PictureGate& gate) {
    DecodedPicture picture;
    if (entry == nullptr || !entry(&file, side, &gate, &picture)) return std::nullopt;
    return picture;
}

}  // namespace

std::optional<DecodedPicture> decodeHeifThumbnail(PictureFile& file, int side, PictureGate& gate) {
    return decodeThrough(pictureModule().heif, file, side, gate);
}

std::optional<DecodedPicture> decodeWebpThumbnail(PictureFile& file, int side, PictureGate& gate) {
    return decodeThrough(pictureModule().webp, file, side, gate);
}

std::optional<DecodedPicture> decodeTiffThumbnail(PictureFile& file, int side, PictureGate& gate) {
    return decodeThrough(pictureModule().tiff, file, side, gate);
}

}  // namespace zentrel::scanners
