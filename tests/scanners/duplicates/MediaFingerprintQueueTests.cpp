#include "scanners/duplicates/MediaFingerprintQueue.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/MediaFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zentrel::scanners {
namespace {

TEST(MediaFingerprintQueueTest, WhoeverAsksFirstComputesAndNothingIsComputedTwice) {
    testing::TempDir dir;
    testing::ManualExecutor pool;
    MediaFingerprintQueue queue(&pool);
    const auto first = dir / "first.jpg", second = dir / "second.jpg";
    testing::writeJpeg(first, testing::drawScene(120, 90, 1), 120, 90, 90);
    testing::writeJpeg(second, testing::drawScene(120, 90, 2), 120, 90, 90);
    queue.add(first.string(), 1);
    queue.add(second.string(), 2);
    queue.add(second.string(), 2);
    EXPECT_EQ(pool.pendingCount(), 2u) << "one job per file";

    // Asked before the pool ran: computed on the asking thread.
    const auto fromCaller = queue.take(first.string());
    ASSERT_TRUE(fromCaller);
    EXPECT_EQ(fromCaller->perceptualHash, mediaFileFingerprint(first.string())->perceptualHash);

    // Computed by the pool, so the file may go before it is asked for.
    const auto expected = mediaFileFingerprint(second.string());
    pool.runAll();
    std::filesystem::remove(second);
    const auto fromPool = queue.take(second.string());
    ASSERT_TRUE(fromPool);
    EXPECT_EQ(fromPool->structuralDigest, expected->structuralDigest);

    queue.clear();
    EXPECT_FALSE(queue.take(second.string())) << "forgotten: computed again, from the missing file";
    EXPECT_FALSE(mediaFileFingerprint(dir.write("notes.txt", "text").string()));
}

TEST(MediaFingerprintQueueTest, AnExactCopyTakesTheFingerprintOfTheFileBeforeIt) {
    testing::TempDir dir;
    testing::ManualExecutor pool;
    MediaFingerprintQueue queue(&pool);
    const auto original = dir / "original.jpg", copy = dir / "copy.jpg", edited = dir / "edited.jpg";
    const auto clip = dir / "clip.mp4";
    testing::writeJpeg(original, testing::drawScene(120, 90, 1), 120, 90, 90);
    std::filesystem::copy_file(original, copy);
    std::filesystem::copy_file(original, clip);
    // The same size, other bytes.
    std::ifstream in(original, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x55);
    dir.write("edited.jpg", bytes);
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(original));
    for (const auto& path : {original, copy, edited, clip}) queue.add(path.string(), size);
    pool.runAll();

    const auto fromOriginal = queue.take(original.string());
    ASSERT_TRUE(fromOriginal);
    EXPECT_EQ(queue.take(copy.string())->structuralDigest, fromOriginal->structuralDigest);
    const auto fromEdited = queue.take(edited.string());
    const auto editedAlone = mediaFileFingerprint(edited.string());
    EXPECT_EQ(fromEdited.has_value(), editedAlone.has_value());
    if (fromEdited && editedAlone) {
        EXPECT_EQ(fromEdited->structuralDigest, editedAlone->structuralDigest);
    }
    // A video is read by another decoder, so a picture's bytes under a video's name are not its copy.
    const auto fromClip = queue.take(clip.string());
    const auto clipAlone = mediaFileFingerprint(clip.string());
    EXPECT_EQ(fromClip.has_value(), clipAlone.has_value());
    if (fromClip && clipAlone) {
        EXPECT_EQ(fromClip->kind, clipAlone->kind);
    }

    // The digests read to find the copy are handed on; the first file of a size needs none of its own.
    const auto digests = queue.wholeDigests();
    ASSERT_TRUE(digests.contains(copy.string()));
    ASSERT_TRUE(digests.contains(original.string()));
    EXPECT_EQ(digests.at(copy.string()), digests.at(original.string()));
    EXPECT_NE(digests.at(edited.string()), digests.at(original.string()));
    EXPECT_FALSE(digests.contains(clip.string()));
}

}  // namespace
}  // namespace zentrel::scanners
