#include "scanners/MediaFingerprintQueue.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/MediaFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::scanners {
namespace {

TEST(MediaFingerprintQueueTest, WhoeverAsksFirstComputesAndNothingIsComputedTwice) {
    testing::TempDir dir;
    testing::ManualExecutor pool;
    MediaFingerprintQueue queue(&pool);
    const auto first = dir / "first.jpg", second = dir / "second.jpg";
    testing::writeJpeg(first, testing::drawScene(120, 90, 1), 120, 90, 90);
    testing::writeJpeg(second, testing::drawScene(120, 90, 2), 120, 90, 90);
    queue.add(first.string());
    queue.add(second.string());
    queue.add(second.string());
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

}  // namespace
}  // namespace zentrel::scanners
