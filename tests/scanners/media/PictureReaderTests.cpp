// The picture entry of the duplicate finder: every listed format read by its
// signature, and hostile files (damaged, or declaring huge pictures) skipped
// within a memory limit.

#include "scanners/media/PictureFormat.hpp"
#include "scanners/media/PictureReader.hpp"

#include "doubles/HeifBoxes.hpp"
#include "doubles/LimitedChild.hpp"
#include "doubles/MediaFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zentrel::scanners {
namespace {

constexpr int kWidth = 240, kHeight = 180;

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void putBigEndian(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * (count - 1 - i)));
}

void putLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

TEST(PictureReaderTest, EveryListedFormatIsReadAndHashesAlike) {
    testing::TempDir dir;
    const auto scene = testing::drawScene(kWidth, kHeight, 3);
    const auto reference = dir / "reference.png";
    testing::writePng(reference, scene, kWidth, kHeight);
    const auto expected = imageFingerprint(reference.string());
    ASSERT_TRUE(expected);
    const std::vector<std::filesystem::path> files = {
        dir / "a.jpg", dir / "b.jpeg", dir / "c.png", dir / "d.gif", dir / "e.webp",
        dir / "f.tiff", dir / "g.tif", dir / "h.bmp", dir / "i.heic", dir / "j.heif"};
    testing::writeJpeg(files[0], scene, kWidth, kHeight, 90);
    testing::writeJpeg(files[1], scene, kWidth, kHeight, 90, true);
    testing::writePng(files[2], scene, kWidth, kHeight);
    testing::writeBmp(files[7], scene, kWidth, kHeight);
    for (const auto index : {3, 4, 5, 6, 8, 9}) testing::writeWithImageMagick(files[index], scene, kWidth, kHeight);
    for (const auto& file : files) {
        const auto fingerprint = imageFingerprint(file.string());
        ASSERT_TRUE(fingerprint) << file.filename();
        EXPECT_EQ(fingerprint->pixelWidth, kWidth) << file.filename();
        EXPECT_EQ(fingerprint->pixelHeight, kHeight) << file.filename();
        EXPECT_LE(std::popcount(fingerprint->perceptualHash ^ expected->perceptualHash), 4) << file.filename();
        EXPECT_LE(std::popcount(fingerprint->perceptualHashSecondary ^ expected->perceptualHashSecondary), 4)
            << file.filename();
        // The signature decides, not the name.
        const auto renamed = dir / ("renamed-" + file.extension().string().substr(1) + ".png");
        std::filesystem::copy_file(file, renamed);
        EXPECT_TRUE(decodePicture(renamed.string())) << file.filename();
    }
    EXPECT_FALSE(pictureFormatOf(std::span<const unsigned char>()));
}

// FFmpeg's scaler writes past rows narrower than its vectors; the heap around a narrow picture stays whole.
TEST(PictureReaderTest, NarrowPicturesDecodeWithoutWritingPastTheirRows) {
    testing::TempDir dir;
    for (const auto& [width, height] : {std::pair{1, 24}, std::pair{1, 40}, std::pair{3, 8}, std::pair{5, 11}}) {
        const auto path = dir / ("narrow-" + std::to_string(width) + "x" + std::to_string(height) + ".bmp");
        testing::writeBmp(path, testing::drawScene(width, height, 2), width, height);
        // In a child: a damaged heap ends it when the allocator next looks.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int round = 0; round < 20; ++round) {
                PictureGate gate;
                const auto picture = readPicture(path.string(), gate);
                if (!picture || picture->width != width || picture->height != height) ::_exit(1);
            }
            ::_exit(0);
        }
        int result = 0;
        ASSERT_EQ(::waitpid(child, &result, 0), child);
        EXPECT_TRUE(WIFEXITED(result) && WEXITSTATUS(result) == 0) << path.filename() << " ended with " << result;
    }
}

// Phones store a HEIF picture as a grid of coded tiles: the checks of its declared sizes let it through whole.
TEST(PictureReaderTest, AHeifGridOfTilesReadsAsOnePicture) {
    testing::TempDir dir;
    const auto scene = testing::drawScene(64, 64, 5);
    testing::writeWithImageMagick(dir / "tile.heic", scene, 64, 64);
    const auto tile = bytesOf(dir / "tile.heic");
    const auto data = testing::firstBox(tile, "mdat");
    ASSERT_GT(data.size(), 8u);
    dir.write("grid.heic", testing::derivedHeif({.type = "grid",
                                                  .canvasWidth = 128,
                                                  .canvasHeight = 64,
                                                  .gridColumns = 2,
                                                  .primaryWidth = 128,
                                                  .primaryHeight = 64,
                                                  .codingConfiguration = testing::firstBox(tile, "hvcC"),
                                                  .codedData = std::string_view(data).substr(8)}));
    std::vector<std::uint8_t> twice;
    for (int y = 0; y < 64; ++y)
        for (int copy = 0; copy < 2; ++copy) twice.insert(twice.end(), scene.begin() + y * 64, scene.begin() + (y + 1) * 64);
    testing::writePng(dir / "twice.png", twice, 128, 64);
    const auto expected = imageFingerprint((dir / "twice.png").string());
    const auto grid = imageFingerprint((dir / "grid.heic").string());
    ASSERT_TRUE(expected && grid);
    EXPECT_EQ(grid->pixelWidth, 128);
    EXPECT_EQ(grid->pixelHeight, 64);
    EXPECT_LE(std::popcount(grid->perceptualHash ^ expected->perceptualHash), 4);
}

// Files that once ended a scan or exhausted memory, made here: small, and
// declaring pictures far over the pixel limit.
struct CraftedFile {
    std::string name;
    std::string bytes;
    // Refused for its size before anything is decoded.
    bool tooLarge;
};

std::vector<CraftedFile> craftedFiles(const testing::TempDir& dir) {
    std::vector<CraftedFile> files;
    // A truncated picture of an old format (Softimage PIC) under picture names.
    std::string pic(100 * 1024, '\x7F');
    pic.replace(0, 4, "\x53\x80\xF6\x34");
    pic.replace(88, 4, "PICT");
    putBigEndian(pic, 92, 4000, 2);
    putBigEndian(pic, 94, 3000, 2);
    for (const char* name : {"pic.png", "pic.jpg", "pic.gif", "pic.bmp"}) files.push_back({name, pic, false});

    const auto scene = testing::drawScene(64, 64, 1);
    // A small progressive JPEG declaring 65500 x 65500.
    testing::writeJpeg(dir / "small.jpg", scene, 64, 64, 90, true);
    auto jpeg = bytesOf(dir / "small.jpg");
    const auto frame = jpeg.find("\xFF\xC2");
    putBigEndian(jpeg, frame + 5, 65500, 2);
    putBigEndian(jpeg, frame + 7, 65500, 2);
    files.push_back({"progressive.jpg", jpeg, true});
    // A baseline one of 16384 x 16383 pictures' worth of blocks the file does not hold.
    testing::writeJpeg(dir / "baseline.jpg", scene, 64, 64, 90);
    auto baseline = bytesOf(dir / "baseline.jpg");
    const auto baselineFrame = baseline.find("\xFF\xC0");
    putBigEndian(baseline, baselineFrame + 5, 16383, 2);
    putBigEndian(baseline, baselineFrame + 7, 16384, 2);
    files.push_back({"baseline.jpg", baseline, false});

    // A GIF declaring 65535 x 8191 with an image as large and a little data.
    std::string gif = "GIF89a";
    gif += std::string("\xFF\xFF\xFF\x1F\x80\x00\x00", 7) + std::string(6, '\0');
    gif += std::string("\x2C\0\0\0\0\xFF\xFF\xFF\x1F\0\x08", 11);
    for (int block = 0; block < 400; ++block) gif += '\xFF' + std::string(255, '\0');
    files.push_back({"huge.gif", gif, true});
    // A GIF of 16384 x 16383 pixels: under the limit, but held whole.
    auto wide = gif;
    putLittleEndian(wide, 6, 16384, 2);
    putLittleEndian(wide, 8, 16383, 2);
    putLittleEndian(wide, 18, 16384, 2);
    putLittleEndian(wide, 20, 16383, 2);
    files.push_back({"wide.gif", wide, false});

    // A PNG of 20000 x 20000 pixels and one of 16384 x 16383, interlaced.
    testing::writePng(dir / "small.png", scene, 64, 64);
    for (const auto& [name, width, height, interlaced] :
         {std::tuple{"huge.png", 20000u, 20000u, false}, std::tuple{"interlaced.png", 16384u, 16383u, true}}) {
        auto png = bytesOf(dir / "small.png");
        putBigEndian(png, 16, width, 4);
        putBigEndian(png, 20, height, 4);
        png[28] = interlaced ? 1 : 0;
        putBigEndian(png, 29, crc32(std::string_view(png).substr(12, 17)), 4);
        files.push_back({name, png, !interlaced && width * height > kMostPicturePixels});
    }

    // BMP, TIFF, WebP and HEIF pictures that declare far more than they hold.
    testing::writeBmp(dir / "small.bmp", scene, 64, 64);
    auto bmp = bytesOf(dir / "small.bmp");
    putLittleEndian(bmp, 18, 30000, 4);
    putLittleEndian(bmp, 22, 30000, 4);
    files.push_back({"huge.bmp", bmp, true});
    auto tallBmp = bmp;
    putLittleEndian(tallBmp, 18, 8000, 4);
    putLittleEndian(tallBmp, 22, 8000, 4);
    files.push_back({"tall.bmp", tallBmp, false});
    for (const char* name : {"small.tiff", "small.webp", "small.heic"})
        testing::writeWithImageMagick(dir / name, scene, 64, 64);
    auto tiff = bytesOf(dir / "small.tiff");
    files.push_back({"huge.tiff", tiff, true});
    auto webp = bytesOf(dir / "small.webp");
    files.push_back({"huge.webp", webp, true});
    auto heif = bytesOf(dir / "small.heic");
    for (auto at = heif.find("ispe"); at != std::string::npos; at = heif.find("ispe", at + 1)) {
        putBigEndian(heif, at + 8, 60000, 4);
        putBigEndian(heif, at + 12, 60000, 4);
    }
    files.push_back({"huge.heic", heif, true});
    // HEIF images of 64 x 64 derived from an overlay over 47000 x 47000, a grid of 12000 x 12000,
    // and an overlay made of something that is no picture.
    files.push_back({"overlay.heic", testing::derivedHeif({.canvasWidth = 47000, .canvasHeight = 47000}), true});
    files.push_back(
        {"grid.heic", testing::derivedHeif({.type = "grid", .canvasWidth = 12000, .canvasHeight = 12000}), true});
    files.push_back({"overlay-of-exif.heic", testing::derivedHeif({.partType = "Exif"}), false});
    return files;
}

// TIFF and WebP pictures keep their sizes in their own structures: patched where the writer put them.
void declareHugeSizes(std::vector<CraftedFile>& files) {
    for (auto& file : files) {
        if (file.name == "huge.tiff") {
            // Little-endian classic TIFF: the first directory's width and length entries.
            const auto directory = static_cast<unsigned char>(file.bytes[4]) | static_cast<unsigned char>(file.bytes[5]) << 8 |
                                   static_cast<unsigned char>(file.bytes[6]) << 16;
            const auto entries = static_cast<unsigned char>(file.bytes[directory]);
            for (unsigned i = 0; i < entries; ++i) {
                const auto entry = directory + 2 + 12 * i;
                const auto tag = static_cast<unsigned char>(file.bytes[entry]) | static_cast<unsigned char>(file.bytes[entry + 1]) << 8;
                if (tag == 256 || tag == 257) {
                    putLittleEndian(file.bytes, entry + 2, 4, 2);  // a long
                    putLittleEndian(file.bytes, entry + 8, 60000, 4);
                }
            }
        } else if (file.name == "huge.webp") {
            // An extended header (VP8X) of an animation on a canvas of 30000 x 30000.
            std::string extended = "VP8X";
            extended += std::string("\x0A\0\0\0\x02", 5) + std::string(9, '\0');
            putLittleEndian(extended, 12, 30000 - 1, 3);
            putLittleEndian(extended, 15, 30000 - 1, 3);
            file.bytes.insert(12, extended);
            putLittleEndian(file.bytes, 4, static_cast<std::uint32_t>(file.bytes.size() - 8), 4);
        }
    }
}

TEST(PictureReaderTest, HostileFilesAreSkippedWithinAMemoryLimit) {
    testing::TempDir dir;
    auto files = craftedFiles(dir);
    declareHugeSizes(files);
    for (const auto& file : files) dir.write(file.name, file.bytes);
    // The child's room: the decodes' budget and the libraries' own.
    const int code = testing::runInLimitedChild(PictureMemoryBudget::kSharedBytes + (std::size_t{384} << 20), 0, [&] {
        for (std::size_t i = 0; i < files.size(); ++i) {
            PictureGate gate;
            // A truncated picture under the limit may decode to what it holds.
            const auto picture = readPicture((dir / files[i].name).string(), gate);
            if (gate.refusedAsTooLarge() != files[i].tooLarge || (picture && files[i].tooLarge))
                return static_cast<int>(1 + i);
        }
        return 0;
    });
    ASSERT_GE(code, 0) << "ended by signal " << -code;
    EXPECT_EQ(code, 0) << (code >= 1 && code <= static_cast<int>(files.size()) ? files[code - 1].name : "the set-up");
}

TEST(PictureReaderTest, AProgressiveJpegHoldsItsCoefficientsOnlyWithinTheBudget) {
    testing::TempDir dir;
    const auto path = dir / "progressive.jpg";
    testing::writeJpeg(path, testing::drawScene(3000, 3000, 2), 3000, 3000, 90, true);
    PictureMemoryBudget small(std::uint64_t{16} << 20);
    PictureGate refused(small);
    EXPECT_FALSE(readPicture(path.string(), refused));
    EXPECT_TRUE(refused.refusedAsTooLarge()) << "3000 x 3000 coefficients take 18 MB";
    PictureMemoryBudget enough(std::uint64_t{64} << 20);
    PictureGate admitted(enough);
    const auto picture = readPicture(path.string(), admitted);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 3000);
    EXPECT_FALSE(isPictureTooLarge(path.string()));
}

}  // namespace
}  // namespace zentrel::scanners
