#pragma once
// Baseline JPEG pictures decoded grey at one eighth of their sides from the
// DC coefficients alone. At that scale each 8 x 8 block becomes one pixel, its
// average, so the AC coefficients are only stepped over; that is most of the
// work the JPEG library does at the same scale, and done here in about half
// the time. The pixels are exactly the library's at 1/8 scale.
//
// Only the common kind is read: sequential Huffman-coded 8-bit pictures, grey
// or YCbCr in one scan, restart markers allowed. Anything else, or anything
// the library would warn about (damaged data, a missing table, a stray byte
// before the end marker), gives none, and the caller asks the library, which
// then decides. It reads one scan and then wants the end marker, so a file of
// many scans costs it no more than one; the library stops past its scan limit.

#include "scanners/media/PictureHash.hpp"

#include <cstdio>
#include <optional>

namespace zentrel::scanners {

// Reads from the file's current position, which must be the picture's start.
// None when the picture is not of the kind above, or when one eighth of a
// side would be shorter than `minimumSide`.
[[nodiscard]] std::optional<DecodedPicture> decodeJpegAtEighthScale(std::FILE* file, int minimumSide);

}  // namespace zentrel::scanners
