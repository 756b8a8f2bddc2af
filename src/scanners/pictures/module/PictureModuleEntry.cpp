// The entries of the picture module: the decoders of the formats whose
// libraries are large to load (HEIF with its codecs, WebP, TIFF), called by
// the scan through DecoderModules on the first such picture.

#include "scanners/pictures/module/HeifPictureDecoder.hpp"
#include "scanners/pictures/module/TiffPictureDecoder.hpp"
#include "scanners/pictures/module/WebpPictureDecoder.hpp"

namespace {

using Decoder = std::optional<zentrel::scanners::DecodedPicture> (*)(zentrel::scanners::PictureFile&, int,
                                                                     zentrel::scanners::PictureGate&);

bool decodeWith(Decoder decoder, zentrel::scanners::PictureFile* file, int side, zentrel::scanners::PictureGate* gate,
                zentrel::scanners::DecodedPicture* picture) {
    auto decoded = decoder(*file, side, *gate);
    if (!decoded) return false;
    *picture = std::move(*decoded);
    return true;
}

}  // namespace

// The entries, named as the scan looks them up; everything else in the module stays hidden.
#define ZENTREL_MODULE_ENTRY extern "C" __attribute__((visibility("default")))

using zentrel::scanners::DecodedPicture;
using zentrel::scanners::PictureFile;
using zentrel::scanners::PictureGate;

ZENTREL_MODULE_ENTRY bool zentrelDecodeHeifPicture(PictureFile* file, int side, PictureGate* gate, DecodedPicture* picture) {
    return decodeWith(zentrel::scanners::decodeHeifThumbnail, file, side, gate, picture);
}

ZENTREL_MODULE_ENTRY bool zentrelDecodeWebpPicture(PictureFile* file, int side, PictureGate* gate, DecodedPicture* picture) {
    return decodeWith(zentrel::scanners::decodeWebpThumbnail, file, side, gate, picture);
}

ZENTREL_MODULE_ENTRY bool zentrelDecodeTiffPicture(PictureFile* file, int side, PictureGate* gate, DecodedPicture* picture) {
    return decodeWith(zentrel::scanners::decodeTiffThumbnail, file, side, gate, picture);
}
