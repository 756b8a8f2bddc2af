#include "scanners/JpegPictureDecoder.hpp"

#include "scanners/JpegEighthScaleDecoder.hpp"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace zentrel::scanners {

namespace {

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

[[noreturn]] void escapeOnError(j_common_ptr decoder) {
    std::longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->escape, 1);
}

void ignoreMessage(j_common_ptr) {}

// The largest of 8, 4, 2 and 1 that keeps both sides at least `minimumSide`.
unsigned scaleDenominator(unsigned width, unsigned height, unsigned minimumSide) {
    for (unsigned denominator : {8u, 4u, 2u}) {
        if ((width + denominator - 1) / denominator >= minimumSide &&
            (height + denominator - 1) / denominator >= minimumSide) {
            return denominator;
        }
    }
    return 1;
}

// Decodes into `picture`; false on any error. Holds no object with a
// destructor between the jump point and the decoder's calls.
bool decodeInto(std::FILE* file, int minimumSide, DecodedPicture& picture) {
    jpeg_decompress_struct decoder{};
    ErrorManager errors{};
    decoder.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = escapeOnError;
    errors.standard.output_message = ignoreMessage;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    jpeg_create_decompress(&decoder);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    picture.width = static_cast<int>(decoder.image_width);
    picture.height = static_cast<int>(decoder.image_height);
    decoder.out_color_space = JCS_GRAYSCALE;
    decoder.scale_num = 1;
    decoder.scale_denom = scaleDenominator(decoder.image_width, decoder.image_height,
                                           static_cast<unsigned>(minimumSide));
    decoder.do_fancy_upsampling = FALSE;
    jpeg_start_decompress(&decoder);
    auto& image = picture.image;
    image.width = static_cast<int>(decoder.output_width);
    image.height = static_cast<int>(decoder.output_height);
    image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = image.pixels.data() + static_cast<std::size_t>(decoder.output_scanline) * image.width;
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return true;
}

}  // namespace

std::optional<DecodedPicture> decodeJpegForThumbnail(PictureFile& file, int minimumSide) {
    static constexpr unsigned char kJpegStart[] = {0xFF, 0xD8, 0xFF};
    if (!file.startsWith(kJpegStart, sizeof kJpegStart)) return std::nullopt;
    if (auto eighth = decodeJpegAtEighthScale(file.get(), minimumSide)) return eighth;
    std::rewind(file.get());
    DecodedPicture picture;
    if (!decodeInto(file.get(), minimumSide, picture) || picture.image.width < 1 || picture.image.height < 1)
        return std::nullopt;
    return picture;
}

}  // namespace zentrel::scanners
