#include "platform/concurrency/TaskPool.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "scanners/duplicates/SimilarMediaPass.hpp"
#include "scanners/media/PictureHash.hpp"

#include "doubles/MediaFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace zentrel::scanners {
namespace {

using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

std::vector<std::uint8_t> image32(std::uint8_t (*pixel)(int y, int x)) {
    std::vector<std::uint8_t> pixels(32 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pixels[y * 32 + x] = pixel(y, x);
    return pixels;
}

TEST(PictureHashTest, BitsFollowTheSampledGradients) {
    // Darker to the right: every left sample is brighter than its right partner.
    auto fading = image32([](int, int x) { return static_cast<std::uint8_t>(255 - 8 * x); });
    EXPECT_EQ(perceptualHash(fading, 32, 32), ~std::uint64_t{0});
    EXPECT_EQ(perceptualHashSecondary(fading, 32, 32), 0u);

    // Brighter downwards: no secondary bit; the primary sees no step either.
    auto rising = image32([](int y, int) { return static_cast<std::uint8_t>(8 * y); });
    EXPECT_EQ(perceptualHash(rising, 32, 32), 0u);
    EXPECT_EQ(perceptualHashSecondary(rising, 32, 32), 0u);

    // One bright pixel at row 4, column 8 sets bit 8*1+2 of the primary hash
    // (columns 8 against 12) and bit 8*2+1 of the secondary (rows 4 against 8, column 8).
    auto dot = image32([](int y, int x) { return static_cast<std::uint8_t>(y == 4 && x == 8 ? 200 : 0); });
    EXPECT_EQ(perceptualHash(dot, 32, 32), std::uint64_t{1} << 10);
    EXPECT_EQ(perceptualHashSecondary(dot, 32, 32), std::uint64_t{1} << 17);
    // The last pair of a row compares columns 28 and 31.
    auto edge = image32([](int y, int x) { return static_cast<std::uint8_t>(y == 0 && x == 28 ? 9 : 0); });
    EXPECT_EQ(perceptualHash(edge, 32, 32), std::uint64_t{1} << 7);

    EXPECT_FALSE(fingerprintOf({32, 32, std::vector<std::uint8_t>(32 * 32, 90)}, model::DuplicateKind::perceptualImage));
    auto thumbnail = grayThumbnail({64, 2, std::vector<std::uint8_t>(128, 10)}, 32);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->size(), 1024u);
    EXPECT_EQ((*thumbnail)[1023], 10);
}

class SimilarMediaPassTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    DuplicateScanner::ScanOptions options;
    SimilarMediaPass pass{options};

    ScanCandidate candidate(const std::filesystem::path& path) {
        return {path.string(), static_cast<std::int64_t>(std::filesystem::file_size(path)), std::nullopt, true};
    }
    std::vector<std::set<std::string>> groupPaths(const std::vector<ScanCandidate>& media) {
        std::vector<std::set<std::string>> groups;
        for (const auto& group : pass.findSimilarMedia(media)) {
            std::set<std::string> paths;
            for (const auto& member : group.members) paths.insert(member.path);
            groups.push_back(paths);
            EXPECT_EQ(std::count_if(group.members.begin(), group.members.end(), [](const auto& m) { return m.isKeeper; }), 1);
        }
        return groups;
    }
};

// One colour picture in every listed format: copies in two codings group however near their sizes (the
// uncompressed BMP and TIFF, a JPEG and a HEIF); every copy must join the one group, whatever comes first.
TEST_F(SimilarMediaPassTest, EveryListedFormatGroupsWithItsCopiesInEveryOther) {
    constexpr int kWidth = 400, kHeight = 300;
    std::vector<std::uint8_t> rgb;
    // A scene whose compressed copies differ in size by more than the share that keeps look-alikes apart.
    const auto red = testing::drawScene(kWidth, kHeight, 2), green = testing::drawScene(kWidth, kHeight, 5),
               blue = testing::drawScene(kWidth, kHeight, 8);
    for (std::size_t i = 0; i < red.size(); ++i) rgb.insert(rgb.end(), {red[i], green[i], blue[i]});
    std::vector<ScanCandidate> media;
    std::set<std::string> all;
    for (const char* name : {"lake.bmp", "lake.tiff", "lake.png", "lake.jpg", "lake.webp", "lake.heic", "lake.gif"})
        testing::writeWithImageMagick(dir / name, rgb, kWidth, kHeight, 3);
    // Two lossy copies whose sizes happen to be within that share: the HEIF grows by a free box at its end.
    const auto jpegBytes = std::filesystem::file_size(dir / "lake.jpg"), heifBytes = std::filesystem::file_size(dir / "lake.heic");
    ASSERT_LT(heifBytes + 8, jpegBytes * 99 / 100);
    const auto freeBox = static_cast<std::uint32_t>(jpegBytes * 99 / 100 - heifBytes);
    std::string box(freeBox, '\0');
    for (int i = 0; i < 4; ++i) box[static_cast<std::size_t>(i)] = static_cast<char>(freeBox >> (24 - 8 * i));
    box.replace(4, 4, "free");
    std::ofstream(dir / "lake.heic", std::ios::binary | std::ios::app) << box;
    for (const auto& file : std::filesystem::directory_iterator(dir.path())) {
        media.push_back(candidate(file.path()));
        all.insert(file.path().string());
    }
    for (const bool reversed : {false, true}) {
        if (reversed) std::reverse(media.begin(), media.end());
        EXPECT_THAT(groupPaths(media), UnorderedElementsAre(all)) << (reversed ? "reversed" : "in order");
    }
}

// Two shots of one scene in one coding, near one size, are two pictures: they stay apart, however spelt.
TEST_F(SimilarMediaPassTest, LookAlikesOfOneCodingNearOneSizeStayApart) {
    auto scene = testing::drawScene(400, 300, 1);
    const auto first = dir / "shot-1.jpg", second = dir / "shot-2.JPEG";
    testing::writeJpeg(first, scene, 400, 300, 90);
    for (int y = 100; y < 110; ++y)
        for (int x = 200; x < 210; ++x) scene[static_cast<std::size_t>(y) * 400 + x] ^= 0x40;
    testing::writeJpeg(second, scene, 400, 300, 90);
    const auto firstSize = static_cast<double>(std::filesystem::file_size(first));
    const auto secondSize = static_cast<double>(std::filesystem::file_size(second));
    ASSERT_GE(std::min(firstSize, secondSize) / std::max(firstSize, secondSize), SimilarMediaPass::kSizeRatioLimit);
    EXPECT_THAT(groupPaths({candidate(first), candidate(second)}), IsEmpty());
}

TEST_F(SimilarMediaPassTest, AScaledRecompressedCopyGroupsWithItsOriginalOnly) {
    const auto scene = testing::drawScene(400, 300, 1);
    const auto original = dir / "Pictures/original.jpg";
    const auto copy = dir / "Pictures/copy.JPG";
    const auto half = dir / "Pictures/half.jpg";
    const auto other = dir / "Pictures/other.jpg";
    const auto plain = dir / "Pictures/plain.png";
    testing::writeJpeg(original, scene, 400, 300, 95);
    testing::writeJpeg(copy, testing::resized(scene, 400, 300, 360, 270), 360, 270, 60);
    testing::writeJpeg(half, testing::resized(scene, 400, 300, 200, 150), 200, 150, 60);
    testing::writeJpeg(other, testing::drawScene(400, 300, 7), 400, 300, 95);
    testing::writeJpeg(plain, std::vector<std::uint8_t>(100 * 100, 77), 100, 100, 90);

    auto groups = groupPaths({candidate(original), candidate(copy), candidate(half), candidate(other), candidate(plain)});
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_THAT(groups[0], UnorderedElementsAre(original.string(), copy.string()));

    auto keeper = pass.findSimilarMedia({candidate(original), candidate(copy)})[0];
    EXPECT_EQ(keeper.kind, model::DuplicateKind::perceptualImage);
    EXPECT_TRUE(keeper.members[0].isKeeper);  // the larger picture stays
    EXPECT_EQ(keeper.members[0].pixelWidth, 400);
}

TEST_F(SimilarMediaPassTest, IdenticalFilesMatchAndARepeatedPathStandsOnce) {
    const auto original = dir / "a.jpg";
    testing::writeJpeg(original, testing::drawScene(120, 90, 3), 120, 90, 90);
    std::filesystem::copy_file(original, dir / "b.jpg");
    EXPECT_EQ(groupPaths({candidate(original), candidate(dir / "b.jpg")}).size(), 1u);
    EXPECT_THAT(groupPaths({candidate(original), candidate(original)}), IsEmpty());
}

TEST_F(SimilarMediaPassTest, MediaThatAreAllTheSameBytesFormAnExactGroup) {
    const auto original = dir / "Pictures/a.jpg";
    testing::writeJpeg(original, testing::drawScene(120, 90, 3), 120, 90, 90);
    std::filesystem::create_directories(dir / "Downloads");
    std::filesystem::copy_file(original, dir / "Downloads/a.jpg");
    // Copies of a file no decoder reads are copies all the same.
    const auto damaged = dir.write("Pictures/damaged.png", std::string(5000, 'x'));
    std::filesystem::copy_file(damaged, dir / "Downloads/damaged.png");
    const auto similar = dir / "Pictures/b.jpg";
    testing::writeJpeg(similar, testing::resized(testing::drawScene(120, 90, 5), 120, 90, 110, 82), 110, 82, 60);
    testing::writeJpeg(dir / "Pictures/c.jpg", testing::drawScene(120, 90, 5), 120, 90, 95);

    const auto groups = pass.findSimilarMedia({candidate(original), candidate(dir / "Downloads/a.jpg"),
                                               candidate(damaged), candidate(damaged),
                                               candidate(dir / "Downloads/damaged.png"),
                                               candidate(similar), candidate(dir / "Pictures/c.jpg")});
    std::map<std::set<std::string>, model::DuplicateKind> kinds;
    for (const auto& group : groups) {
        std::set<std::string> names;
        for (const auto& member : group.members) names.insert(member.path.substr(dir.path().string().size()));
        EXPECT_EQ(names.size(), group.members.size()) << "a path given twice stands once";
        kinds[names] = group.kind;
    }
    EXPECT_EQ(kinds, (std::map<std::set<std::string>, model::DuplicateKind>{
                         {{"/Pictures/a.jpg", "/Downloads/a.jpg"}, model::DuplicateKind::exactBytes},
                         {{"/Pictures/damaged.png", "/Downloads/damaged.png"}, model::DuplicateKind::exactBytes},
                         {{"/Pictures/b.jpg", "/Pictures/c.jpg"}, model::DuplicateKind::perceptualImage}}));
}

TEST_F(SimilarMediaPassTest, PicturesOverThePixelLimitAreCounted) {
    // A GIF declaring 65535 x 8191 pixels, named as another format.
    const auto huge = dir.write("huge.png", std::string("GIF89a\xFF\xFF\xFF\x1F\0\0\0", 13));
    const auto damaged = dir.write("damaged.gif", std::string("GIF89a\x10\0\x10\0\0\0\0", 13));
    // Under a video's name it is no picture.
    const auto video = dir.write("huge.avi", std::string("GIF89a\xFF\xFF\xFF\x1F\0\0\0\0", 14));
    // A video whose stream declares 16000 x 16000 frames is refused and counted alike.
    testing::writeMjpegAvi(dir / "huge-frames.avi", std::string(64, '\0'), 16000, 16000);
    const auto hugeFrames = candidate(dir / "huge-frames.avi");
    EXPECT_THAT(pass.findSimilarMedia({candidate(huge), candidate(damaged), candidate(video), hugeFrames}), IsEmpty());
    EXPECT_EQ(pass.picturesTooLarge(), 2u);
}

TEST_F(SimilarMediaPassTest, TheBetterOfSimilarPicturesKeepsWhereverItLies) {
    const auto scene = testing::drawScene(400, 300, 2);
    const auto original = dir / "Downloads/photo.jpg";
    const auto recompressed = dir / "Pictures/photo.jpg";
    testing::writeJpeg(original, scene, 400, 300, 92);
    testing::writeJpeg(recompressed, scene, 400, 300, 70);
    ASSERT_GT(std::filesystem::file_size(original), std::filesystem::file_size(recompressed));
    const auto groups = pass.findSimilarMedia({candidate(recompressed), candidate(original)});
    ASSERT_EQ(groups.size(), 1u);
    for (const auto& member : groups[0].members) EXPECT_EQ(member.isKeeper, member.path == original.string());
}

TEST_F(SimilarMediaPassTest, SameSizedPicturesThatDifferOnlyInTheMiddleAreNotIdentical) {
    // 1.47 MB each: a size whose content digest samples the first and last 64 KiB only.
    auto pixels = testing::drawScene(700, 700, 4);
    testing::writeBmp(dir / "a.bmp", pixels, 700, 700);
    const auto other = testing::drawScene(700, 700, 9);
    std::copy(other.begin() + 200 * 700, other.begin() + 500 * 700, pixels.begin() + 200 * 700);
    testing::writeBmp(dir / "b.bmp", pixels, 700, 700);
    ASSERT_EQ(std::filesystem::file_size(dir / "a.bmp"), std::filesystem::file_size(dir / "b.bmp"));
    EXPECT_THAT(groupPaths({candidate(dir / "a.bmp"), candidate(dir / "b.bmp")}), IsEmpty());
}

TEST_F(SimilarMediaPassTest, FingerprintingDuringTheWalkGivesTheSameGroupsInTheSameOrder) {
    for (int i = 0; i < 24; ++i) {
        const auto scene = testing::drawScene(240, 180, i % 8);
        const auto name = "Pictures/" + std::to_string(i % 3) + "/p" + std::to_string(i);
        testing::writeJpeg(dir / (name + ".jpg"), testing::resized(scene, 240, 180, 240 - i, 180 - i), 240 - i, 180 - i,
                           60 + i);
    }
    auto smallFiles = options;
    smallFiles.minFileBytes = 1;
    const platform::PosixFileSystem fileSystem;
    platform::TaskPool pool(4);
    SimilarMediaPass pipelined(smallFiles, &pool), afterTheWalk(smallFiles);
    DuplicateScanner scanner(smallFiles, fileSystem, dir.path().string(), &pipelined, &pool);
    auto expected = afterTheWalk.findSimilarMedia(scanner.collectCandidates());
    DuplicateScanner::sortByReclaimableBytes(expected);
    const auto groups = scanner.scan().groups;
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(groups, expected);
}

TEST_F(SimilarMediaPassTest, TheFirstFrameOfAVideoIsFingerprinted) {
    const auto video = dir / "clip.avi";
    testing::writeVideo(video, 160, 120, 2);
    auto fingerprint = videoFingerprint(video.string());
    ASSERT_TRUE(fingerprint);
    EXPECT_EQ(fingerprint->kind, model::DuplicateKind::perceptualVideo);
    EXPECT_EQ(fingerprint->pixelWidth, 160);
    EXPECT_EQ(fingerprint->pixelHeight, 120);
    // The same scene as a picture gives nearly the same hash.
    auto picture = fingerprintOf({160, 120, testing::drawScene(160, 120, 2)}, model::DuplicateKind::perceptualImage);
    ASSERT_TRUE(picture);
    EXPECT_LE(std::popcount(picture->perceptualHash ^ fingerprint->perceptualHash), 8);

    const auto damaged = dir / "damaged.mov";
    std::ofstream(damaged) << "not a video";
    EXPECT_FALSE(videoFingerprint(damaged.string()));
}

TEST_F(SimilarMediaPassTest, ADamagedVideoIsSkippedWithoutAWordOnTheTerminal) {
    const auto video = dir / "clip.avi";
    testing::writeVideo(video, 160, 120, 2);
    // The container's header stands; every frame after it is noise.
    const auto size = static_cast<int>(std::filesystem::file_size(video));
    std::fstream file(video, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(600);
    for (int i = 600; i < size; ++i) file.put(static_cast<char>(i * 7919 % 251));
    file.close();
    const auto errors = dir / "errors.txt";
    const int saved = ::dup(2);
    const int captured = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(captured, 2);
    const auto fingerprint = videoFingerprint(video.string());
    ::dup2(saved, 2);
    ::close(captured);
    ::close(saved);
    EXPECT_FALSE(fingerprint);
    EXPECT_EQ(std::filesystem::file_size(errors), 0u) << std::ifstream(errors).rdbuf();
}

}  // namespace
}  // namespace zentrel::scanners
