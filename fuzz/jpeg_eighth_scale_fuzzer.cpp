// JPEG pictures of any content through the 1/8-scale decoder: whatever it
// reads must be exactly what the JPEG library reads at that scale.

#include "scanners/pictures/JpegEighthScaleDecoder.hpp"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

// The library's grey pixels at 1/8 scale; none on an error.
std::optional<std::vector<std::uint8_t>> libraryEighth(const std::uint8_t* data, std::size_t size) {
    jpeg_decompress_struct decoder{};
    ErrorManager errors{};
    decoder.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = [](j_common_ptr d) { std::longjmp(reinterpret_cast<ErrorManager*>(d->err)->escape, 1); };
    errors.standard.output_message = [](j_common_ptr) {};
    std::vector<std::uint8_t> pixels;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&decoder);
        return std::nullopt;
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, data, size);
    jpeg_read_header(&decoder, TRUE);
    decoder.out_color_space = JCS_GRAYSCALE;
    decoder.scale_num = 1;
    decoder.scale_denom = 8;
    decoder.do_fancy_upsampling = FALSE;
    jpeg_start_decompress(&decoder);
    pixels.resize(static_cast<std::size_t>(decoder.output_width) * decoder.output_height);
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = pixels.data() + static_cast<std::size_t>(decoder.output_scanline) * decoder.output_width;
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(fmemopen(const_cast<std::uint8_t*>(data), size, "rb"),
                                                         std::fclose);
    if (!file) return 0;
    // Any size of picture, so that small inputs reach the data.
    const auto picture = zentrel::scanners::decodeJpegAtEighthScale(file.get(), 1);
    // Very large pictures cost the library too long to compare.
    if (!picture || picture->image.pixels.size() > (std::size_t{1} << 20)) return 0;
    const auto expected = libraryEighth(data, size);
    if (!expected || *expected != picture->image.pixels) __builtin_trap();
    return 0;
}
