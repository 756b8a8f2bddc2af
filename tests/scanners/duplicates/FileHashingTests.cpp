#include "doubles/TempDir.hpp"
#include "scanners/duplicates/FileHashing.hpp"
#include "scanners/duplicates/Sha256.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <regex>
#include <string>
#include <sys/stat.h>

namespace zentrel::scanners {
namespace {

std::string randomBytes(std::size_t size, std::uint64_t seed) {
    std::mt19937_64 generator(seed);
    std::string bytes(size, '\0');
    for (auto& byte : bytes) byte = static_cast<char>(generator() & 0xff);
    return bytes;
}

std::string digestOf(std::string_view bytes) { return hexDigest(Sha256::of(bytes)); }

std::string sampledReference(const std::string& contents) {
    const auto piece = static_cast<std::size_t>(kDigestSampleBytes);
    return digestOf(std::to_string(contents.size()) + contents.substr(0, piece) +
                    contents.substr(contents.size() - piece));
}

TEST(Sha256Test, MatchesKnownVectors) {
    EXPECT_EQ(digestOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(digestOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    Sha256 pieces;
    pieces.update("a");
    pieces.update("");
    pieces.update("bc");
    EXPECT_EQ(hexDigest(pieces.finish()), digestOf("abc"));
}

TEST(FileHashingTest, EmptyFileHasTheDigestOfNoBytes) {
    testing::TempDir dir;
    auto path = dir.write("empty.bin", "").string();
    EXPECT_EQ(contentDigest(path, 0), digestOf(""));
    EXPECT_EQ(sha256OfFile(path), digestOf(""));
}

TEST(FileHashingTest, WholeFileDigestStreamsAcrossChunks) {
    testing::TempDir dir;
    auto contents = randomBytes(3 * kWholeFileChunkBytes + 17, 1);
    auto path = dir.write("big.bin", contents).string();
    EXPECT_EQ(sha256OfFile(path), digestOf(contents));
    EXPECT_EQ(contentDigest(path, static_cast<std::int64_t>(contents.size())), digestOf(contents));
}

TEST(FileHashingTest, SizeBandEdgesChooseWholeOrSampledDigest) {
    struct Case {
        std::int64_t size;
        bool sampled;
    };
    const Case cases[] = {
        {1'048'575, false}, {1'048'576, false}, {1'048'577, true},
        {10'485'759, true}, {10'485'760, false},
    };
    testing::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(isSampledDigestSize(c.size), c.sampled);
        auto contents = randomBytes(static_cast<std::size_t>(c.size), static_cast<std::uint64_t>(c.size));
        auto path = dir.write("band-" + std::to_string(c.size), contents).string();
        EXPECT_EQ(contentDigest(path, c.size), c.sampled ? sampledReference(contents) : digestOf(contents));
    }
}

TEST(FileHashingTest, SampledDigestCoversSizeFirstAndLastPieces) {
    testing::TempDir dir;
    auto contents = randomBytes(2'000'000, 7);
    auto path = dir.write("two-million.bin", contents).string();
    EXPECT_EQ(contentDigest(path, 2'000'000),
              digestOf("2000000" + contents.substr(0, 65'536) + contents.substr(2'000'000 - 65'536)));
}

TEST(FileHashingTest, SampledDigestSeesOnlyTheEdgesOfAFile) {
    struct Case {
        std::size_t changedByte;
        bool sameDigest;
    };
    constexpr std::size_t kSize = 5'000'000;
    const Case cases[] = {
        {1'000'000, true},          // the middle is not sampled
        {65'536, true},             // first byte after the first piece
        {kSize - 65'537, true},     // last byte before the last piece
        {0, false},                 // first byte
        {65'535, false},            // last byte of the first piece
        {kSize - 65'536, false},    // first byte of the last piece
        {kSize - 1, false},         // last byte
    };
    testing::TempDir dir;
    auto original = randomBytes(kSize, 3);
    auto originalDigest = contentDigest(dir.write("original.bin", original).string(), kSize);
    ASSERT_TRUE(originalDigest);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.changedByte);
        auto changed = original;
        changed[c.changedByte] = static_cast<char>(changed[c.changedByte] ^ 0x5a);
        auto path = dir.write("changed-" + std::to_string(c.changedByte), changed).string();
        auto digest = contentDigest(path, kSize);
        ASSERT_TRUE(digest);
        EXPECT_EQ(*digest == *originalDigest, c.sameDigest);
        // The whole-file digest always tells them apart.
        EXPECT_NE(sha256OfFile(path), sha256OfFile(dir.path() / "original.bin"));
    }
}

TEST(FileHashingTest, DigestTextIsSixtyFourLowerCaseHexDigits) {
    testing::TempDir dir;
    const std::regex hex("[0-9a-f]{64}");
    for (std::size_t size : {0u, 1u, 100'000u, 1'500'000u}) {
        auto path = dir.write("f" + std::to_string(size), randomBytes(size, size)).string();
        auto digest = contentDigest(path, static_cast<std::int64_t>(size));
        ASSERT_TRUE(digest);
        EXPECT_TRUE(std::regex_match(*digest, hex)) << *digest;
    }
}

TEST(FileHashingTest, WhatIsNotAReadableRegularFileHasNoDigest) {
    testing::TempDir dir;
    auto target = dir.write("target.bin", "contents").string();
    auto link = (dir / "link.bin").string();
    std::filesystem::create_symlink(target, link);
    auto folder = dir.makeDirectory("folder").string();
    auto fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    for (const auto& path : {(dir / "missing.bin").string(), link, folder, fifo}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(contentDigest(path, 8));
        EXPECT_FALSE(sha256OfFile(path));
    }
    EXPECT_TRUE(contentDigest(target, 8));
}

TEST(FileHashingTest, SampledDigestOfAFileThatShrankStillReadsWhatIsThere) {
    testing::TempDir dir;
    auto contents = randomBytes(100'000, 11);
    auto path = dir.write("shrunk.bin", contents).string();
    // The walk saw 2,000,000 bytes; the file now holds 100,000. The move
    // past the end succeeds and the second piece reads nothing.
    EXPECT_EQ(contentDigest(path, 2'000'000), digestOf("2000000" + contents.substr(0, 65'536)));
}

}  // namespace
}  // namespace zentrel::scanners
