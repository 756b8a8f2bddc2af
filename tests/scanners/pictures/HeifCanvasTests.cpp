// The largest canvas a HEIF file declares, read from its boxes: the derived
// image's own canvas and the coded size count wherever their data lies, and
// a layout that cannot be followed, or parts that are no pictures, give no
// size at all.

#include "scanners/pictures/HeifCanvas.hpp"

#include "doubles/HeifBoxes.hpp"
#include "doubles/MediaFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace zentrel::scanners {
namespace {

using testing::derivedHeif;

TEST(HeifCanvasTest, TheLargestDeclaredCanvasIsFound) {
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<std::pair<std::uint64_t, std::uint64_t>> canvas;
    };
    testing::TempDir dir;
    // A coded picture of 640 x 480 whose size box says 64 x 64.
    testing::writeWithImageMagick(dir / "coded.heic", testing::drawScene(640, 480, 1), 640, 480);
    std::ifstream in(dir / "coded.heic", std::ios::binary);
    std::string coded{std::istreambuf_iterator<char>(in), {}};
    const auto size = coded.find("ispe");
    ASSERT_NE(size, std::string::npos);
    coded.replace(size + 8, 8, testing::bigEndian(64, 4) + testing::bigEndian(64, 4));
    const std::string overlay = derivedHeif({.canvasWidth = 3000, .canvasHeight = 2000});
    // A second data box whose grid is small: libheif reads the first.
    const std::string smallGrid = testing::heifBox("idat", std::string("\0\0\0\0\0\x40\0\x40", 8));
    // Coded units with a 4-byte length: a slice that starts a picture, and a sequence parameter set's header.
    const std::string picture = testing::bigEndian(3, 4) + std::string("\x02\x01\x80", 3);
    const Case cases[] = {
        {"an overlay's canvas in the metadata", overlay, std::pair{3000, 2000}},
        {"a coded picture larger than its size box", coded, std::pair{640, 480}},
        {"a grid's canvas in the file, sides in 32 bits",
         derivedHeif({.type = "grid", .canvasWidth = 70000, .canvasHeight = 5, .wideSizes = true, .locationMethod = 0}),
         std::pair{70000, 5}},
        {"a metadata box whose size takes 64 bits",
         derivedHeif({.type = "grid", .canvasWidth = 500, .canvasHeight = 400, .metadataSizeIn64Bits = true}),
         std::pair{500, 400}},
        {"a canvas smaller than the image's own size", derivedHeif({.canvasWidth = 10, .canvasHeight = 10}),
         std::pair{64, 64}},
        {"an overlay made of an item that is no picture", derivedHeif({.partType = "Exif"}), std::nullopt},
        {"derived data kept in another item", derivedHeif({.canvasWidth = 3000, .locationMethod = 2}), std::nullopt},
        {"a metadata box cut short", overlay.substr(0, 120), std::nullopt},
        {"no boxes", std::string("not a picture at all"), std::nullopt},
        {"two data boxes, the first of a large grid",
         derivedHeif({.type = "grid", .canvasWidth = 20000, .canvasHeight = 20000, .laterMetadata = smallGrid}),
         std::pair{20000, 20000}},
        {"two metadata boxes", derivedHeif({.laterTopLevel = testing::firstBox(overlay, "meta")}), std::nullopt},
        {"a coded image of one picture", derivedHeif({.codedData = picture}), std::pair{64, 64}},
        {"a coded image of two pictures", derivedHeif({.codedData = picture + picture}), std::nullopt},
        {"a picture in the coding configuration",
         derivedHeif({.codingConfiguration = testing::heifBox(
                          "hvcC", std::string(22, '\0') + std::string("\x01\x01\0\x01\0\x03\x02\x01\x80", 9))}),
         std::nullopt},
    };
    for (const auto& [name, bytes, expected] : cases) {
        dir.write("picture.heic", bytes);
        auto file = PictureFile::open((dir / "picture.heic").string());
        ASSERT_TRUE(file) << name;
        const auto canvas = largestHeifCanvas(*file);
        ASSERT_EQ(canvas.has_value(), expected.has_value()) << name;
        if (canvas) {
            EXPECT_EQ(std::pair(canvas->width, canvas->height), *expected) << name;
        }
    }
}

}  // namespace
}  // namespace zentrel::scanners
