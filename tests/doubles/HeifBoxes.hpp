#pragma once
// HEIF files built box by box: a primary image derived from one coded image
// (a grid of one tile, or an overlay), on a canvas the test chooses. The
// coded image holds no picture; the files test what a reader makes of the
// sizes they declare.

#include <cstdint>
#include <string>
#include <string_view>

namespace zentrel::testing {

struct DerivedHeif {
    std::string_view type = "iovl";  // or "grid"
    std::uint32_t canvasWidth = 64;
    std::uint32_t canvasHeight = 64;
    bool wideSizes = false;          // sides in 32 bits rather than 16
    int locationMethod = 1;          // the derived data: 0 in the file, 1 in the metadata, 2 in another item
    bool metadataSizeIn64Bits = false;
    std::string_view partType = "hvc1";  // the item the derived image is made of
    int gridColumns = 1;                 // a grid of one row: every tile is the coded image
    std::uint32_t primaryWidth = 64;     // the size the derived image declares for itself
    std::uint32_t primaryHeight = 64;
    // The coded image: its configuration box and data; by default a configuration without
    // parameter sets and data that decode to nothing.
    std::string_view codingConfiguration;
    std::string_view codedData;
    // Boxes the metadata holds after its own (a second data box), and boxes after the file's.
    std::string_view laterMetadata;
    std::string_view laterTopLevel;
};

inline std::string bigEndian(std::uint64_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i));
    return out;
}

inline std::string heifBox(std::string_view type, std::string_view body) {
    return bigEndian(8 + body.size(), 4) + std::string(type) + std::string(body);
}

inline std::string heifFullBox(std::string_view type, int version, std::uint32_t flags, std::string_view body) {
    return heifBox(type, bigEndian(version, 1) + bigEndian(flags, 3) + std::string(body));
}

// The first box of `type` in `bytes`, whole; empty when there is none.
inline std::string firstBox(const std::string& bytes, std::string_view type) {
    const auto at = bytes.find(type);
    if (at == std::string::npos || at < 4) return {};
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i) size = size << 8 | static_cast<unsigned char>(bytes[at - 4 + i]);
    return bytes.substr(at - 4, size);
}

// Item 1, the primary, is derived from item 2, a coded image 64 x 64.
inline std::string derivedHeif(const DerivedHeif& file) {
    const int side = file.wideSizes ? 4 : 2;
    std::string derived = bigEndian(0, 1) + bigEndian(file.wideSizes ? 1 : 0, 1);
    derived += file.type == "grid" ? bigEndian(0, 1) + bigEndian(file.gridColumns - 1, 1)
                                   : std::string(8, '\xff');  // one row of tiles, or a white fill
    derived += bigEndian(file.canvasWidth, side) + bigEndian(file.canvasHeight, side);
    if (file.type == "iovl") derived += std::string(2 * side, '\0');  // the coded image at the origin
    const std::string coded = file.codedData.empty() ? std::string(16, '\0') : std::string(file.codedData);
    const std::string fileType = heifBox("ftyp", "heic" + bigEndian(0, 4) + "mif1heic");

    const auto metadata = [&](std::uint64_t dataStart) {
        const bool derivedInFile = file.locationMethod != 1;
        const auto location = [&](int id, int method, std::uint64_t offset, std::uint64_t length) {
            return bigEndian(id, 2) + bigEndian(method, 2) + bigEndian(0, 2) + bigEndian(1, 2) + bigEndian(offset, 4) +
                   bigEndian(length, 4);
        };
        const std::string locations =
            heifFullBox("iloc", 1, 0,
                        bigEndian(0x44, 1) + bigEndian(0, 1) + bigEndian(2, 2) +
                            location(1, file.locationMethod, derivedInFile ? dataStart : 0, derived.size()) +
                            location(2, 0, dataStart + (derivedInFile ? derived.size() : 0), coded.size()));
        const std::string items = heifFullBox(
            "iinf", 0, 0,
            bigEndian(2, 2) + heifFullBox("infe", 2, 0, bigEndian(1, 2) + bigEndian(0, 2) + std::string(file.type) + '\0') +
                heifFullBox("infe", 2, 0, bigEndian(2, 2) + bigEndian(0, 2) + std::string(file.partType) + '\0'));
        const std::string size = heifFullBox("ispe", 0, 0, bigEndian(64, 4) + bigEndian(64, 4));
        const std::string primarySize =
            heifFullBox("ispe", 0, 0, bigEndian(file.primaryWidth, 4) + bigEndian(file.primaryHeight, 4));
        const std::string codingConfiguration =
            !file.codingConfiguration.empty()
                ? std::string(file.codingConfiguration)
                : heifBox("hvcC", std::string("\x01\x01\x60\0\0\0\x90\0\0\0\0\0\x5a\xf0\0\xfc\xfd\xf8\xf8\0\0\x0f\0", 23));
        // Item 1 has the third property, item 2 the first two.
        const std::string properties =
            heifBox("iprp", heifBox("ipco", size + codingConfiguration + primarySize) +
                                heifFullBox("ipma", 0, 0,
                                            bigEndian(2, 4) + bigEndian(1, 2) + bigEndian(1, 1) + bigEndian(0x83, 1) +
                                                bigEndian(2, 2) + bigEndian(2, 1) + bigEndian(0x81, 1) + bigEndian(0x82, 1)));
        std::string parts;
        for (int i = 0; i < (file.type == "grid" ? file.gridColumns : 1); ++i) parts += bigEndian(2, 2);
        std::string body = bigEndian(0, 4) + heifFullBox("hdlr", 0, 0, bigEndian(0, 4) + "pict" + std::string(13, '\0')) +
                           heifFullBox("pitm", 0, 0, bigEndian(1, 2)) + items + locations +
                           heifFullBox("iref", 0, 0, heifBox("dimg", bigEndian(1, 2) + bigEndian(parts.size() / 2, 2) + parts)) +
                           properties + (derivedInFile ? "" : heifBox("idat", derived)) + std::string(file.laterMetadata);
        return file.metadataSizeIn64Bits ? bigEndian(1, 4) + "meta" + bigEndian(16 + body.size(), 8) + body
                                         : heifBox("meta", body);
    };
    const std::uint64_t dataStart = fileType.size() + metadata(0).size() + 8;
    const bool derivedInFile = file.locationMethod != 1;
    return fileType + metadata(dataStart) + heifBox("mdat", (derivedInFile ? derived : "") + coded) +
           std::string(file.laterTopLevel);
}

}  // namespace zentrel::testing
