#include "scanners/pictures/JpegPictureDecoder.hpp"

#include "scanners/pictures/JpegEighthScaleDecoder.hpp"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace zentrel::scanners {

namespace {

// Tables, row buffers and the library's own state: well under this.
constexpr std::uint64_t kFixedDecoderBytes = std::uint64_t{8} << 20;

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

[[noreturn]] void escapeOnError(j_common_ptr decoder) {
    std::longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->escape, 1);
}

void ignoreMessage(j_common_ptr) {}

// Each scan of a progressive picture goes over all its coefficients: past this many, far above what any
// camera or encoder writes, a file only costs time.
constexpr int kMostScans = 300;

// Called by the library as it reads, at each scan and row: a picture of more scans stops there.
void stopPastTheScanLimit(j_common_ptr decoder) {
    if (reinterpret_cast<j_decompress_ptr>(decoder)->input_scan_number > kMostScans) escapeOnError(decoder);
}

// What the header says, read before anything is decoded.
struct JpegHeader {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    // The 1/8-scale step may read it: one sequential Huffman-coded scan.
    bool baseline = false;
    // The library holds every coefficient of a picture of several scans.
    std::uint64_t coefficientBytes = 0;
};

// The largest of 8, 4, 2 and 1 that keeps both sides at least `minimumSide`.
unsigned scaleDenominator(std::uint64_t width, std::uint64_t height, unsigned minimumSide) {
    for (unsigned denominator : {8u, 4u, 2u}) {
        if ((width + denominator - 1) / denominator >= minimumSide &&
            (height + denominator - 1) / denominator >= minimumSide) {
            return denominator;
        }
    }
    return 1;
}

void readHeaderFields(const jpeg_decompress_struct& decoder, JpegHeader& header) {
    header.width = decoder.image_width;
    header.height = decoder.image_height;
    const bool severalScans = decoder.progressive_mode || decoder.comps_in_scan < decoder.num_components;
    header.baseline = !severalScans && !decoder.arith_code && decoder.data_precision == 8;
    if (severalScans) {
        for (int i = 0; i < decoder.num_components; ++i) {
            const auto& component = decoder.comp_info[i];
            header.coefficientBytes += std::uint64_t{component.width_in_blocks + 1u} *
                                       (component.height_in_blocks + 1u) * sizeof(JBLOCK);
        }
    }
}

// Reads the header and, with a picture to fill, decodes through the library,
// which may take `memoryLimit` bytes; false on any error. Holds no object
// with a destructor between the jump point and the library's calls.
bool runLibrary(std::FILE* file, std::uint64_t memoryLimit, int minimumSide, JpegHeader& header,
                DecodedPicture* picture) {
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
    jpeg_progress_mgr progress{};
    progress.progress_monitor = stopPastTheScanLimit;
    decoder.progress = &progress;
    // Past this the library refuses to hold a picture's coefficients.
    decoder.mem->max_memory_to_use = static_cast<long>(memoryLimit);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    readHeaderFields(decoder, header);
    if (picture) {
        picture->width = static_cast<int>(decoder.image_width);
        picture->height = static_cast<int>(decoder.image_height);
        decoder.out_color_space = JCS_GRAYSCALE;
        decoder.scale_num = 1;
        decoder.scale_denom = scaleDenominator(decoder.image_width, decoder.image_height,
                                               static_cast<unsigned>(minimumSide));
        decoder.do_fancy_upsampling = FALSE;
        jpeg_start_decompress(&decoder);
        auto& image = picture->image;
        image.width = static_cast<int>(decoder.output_width);
        image.height = static_cast<int>(decoder.output_height);
        image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
        while (decoder.output_scanline < decoder.output_height) {
            JSAMPROW row = image.pixels.data() + static_cast<std::size_t>(decoder.output_scanline) * image.width;
            jpeg_read_scanlines(&decoder, &row, 1);
        }
        jpeg_finish_decompress(&decoder);
    }
    jpeg_destroy_decompress(&decoder);
    return true;
}

}  // namespace

std::optional<DecodedPicture> decodeJpegForThumbnail(PictureFile& file, int minimumSide, PictureGate& gate) {
    static constexpr unsigned char kJpegStart[] = {0xFF, 0xD8, 0xFF};
    if (!file.startsWith(kJpegStart, sizeof kJpegStart)) return std::nullopt;
    std::rewind(file.get());
    JpegHeader header;
    // Only the header is read before the gate: no memory for the picture yet.
    if (!runLibrary(file.get(), kFixedDecoderBytes, minimumSide, header, nullptr)) return std::nullopt;
    const auto denominator = scaleDenominator(header.width, header.height, static_cast<unsigned>(minimumSide));
    const auto outputBytes = (header.width / denominator + 1) * (header.height / denominator + 1);
    // Rows of every component at full width, for the MCU rows in work.
    const auto rowBytes = header.width * 3 * 16 * 2;
    if (!gate.admit(header.width, header.height, kFixedDecoderBytes + header.coefficientBytes + outputBytes + rowBytes))
        return std::nullopt;
    if (header.baseline) {
        std::rewind(file.get());
        if (auto eighth = decodeJpegAtEighthScale(file.get(), minimumSide)) return eighth;
    }
    std::rewind(file.get());
    DecodedPicture picture;
    if (!runLibrary(file.get(), gate.memoryLimit(), minimumSide, header, &picture) || picture.image.width < 1 ||
        picture.image.height < 1)
        return std::nullopt;
    return picture;
}

}  // namespace zentrel::scanners
