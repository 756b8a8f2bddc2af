#include "scanners/duplicates/DuplicateKeeperHeuristic.hpp"

#include <gtest/gtest.h>

namespace zentrel::scanners {
namespace {

using Candidate = DuplicateKeeperHeuristic::Candidate;

constexpr double kDay = 86'400.0;
// 2020-01-01 00:00:00 UTC, day 18,262.
const platform::Date kNewYear2020 = platform::Date::fromTimeIntervalSince1970(18'262 * kDay);

Candidate file(std::string path, std::optional<platform::Date> modifiedAt = kNewYear2020,
               std::optional<std::int64_t> width = std::nullopt, std::optional<std::int64_t> height = std::nullopt) {
    return Candidate{std::move(path), 1'000, modifiedAt, width, height};
}

TEST(DuplicateKeeperHeuristicTest, EmptyListHasNoKeeperAndOneCandidateKeepsItself) {
    EXPECT_EQ(DuplicateKeeperHeuristic::pickKeeper({}), std::nullopt);
    EXPECT_EQ(DuplicateKeeperHeuristic::pickKeeper({file("/x/Downloads/a")}), "/x/Downloads/a");
}

TEST(DuplicateKeeperHeuristicTest, FolderPartFollowsTheFirstFragmentFound) {
    struct Case {
        const char* path;
        std::int64_t points;
    };
    const Case cases[] = {
        {"/home/u/Pictures/a.bin", 40'000'000},
        {"/home/u/PICTURES/a.bin", 40'000'000},
        {"/home/u/Documents/a.bin", 30'000'000},
        {"/home/u/desktop/a.bin", 20'000'000},
        {"/home/u/Downloads/a.bin", 10'000'000},
        {"/home/u/Music/a.bin", 15'000'000},
        {"/home/u/MyPictures/a.bin", 15'000'000},   // needs a slash on both sides
        {"/home/u/Pictures", 15'000'000},            // no slash after the folder name
        {"/home/u/Downloads/Pictures/a.bin", 40'000'000},  // pictures is searched first
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(DuplicateKeeperHeuristic::folderScore(c.path), c.points);
    }
}

TEST(DuplicateKeeperHeuristicTest, ScoreAddsPixelDayAndFolderParts) {
    EXPECT_EQ(DuplicateKeeperHeuristic::score(file("/h/Music/a", std::nullopt)), 15'000'000);
    EXPECT_EQ(DuplicateKeeperHeuristic::score(file("/h/Music/a")), 15'000'000 + 18'262);
    // Truncated toward zero: the last second of a day still counts that day.
    auto lateInDay = platform::Date::fromTimeIntervalSince1970(18'262 * kDay + kDay - 1);
    EXPECT_EQ(DuplicateKeeperHeuristic::score(file("/h/Music/a", lateInDay)), 15'000'000 + 18'262);
    auto beforeEpoch = platform::Date::fromTimeIntervalSince1970(-1.5 * kDay);
    EXPECT_EQ(DuplicateKeeperHeuristic::score(file("/h/Music/a", beforeEpoch)), 15'000'000 - 1);
    EXPECT_EQ(DuplicateKeeperHeuristic::score(file("/h/Pictures/a", std::nullopt, 4000, 3000)),
              120'000'000 + 40'000'000);
    // A missing height makes the pixel part 0.
    EXPECT_EQ(DuplicateKeeperHeuristic::score(file("/h/Pictures/a", std::nullopt, 4000, std::nullopt)), 40'000'000);
}

TEST(DuplicateKeeperHeuristicTest, PicksTheKeeperOfEachCase) {
    struct Case {
        const char* name;
        std::vector<Candidate> candidates;
        const char* keeper;
    };
    auto nextDay = kNewYear2020.addingTimeInterval(kDay);
    auto laterSameDay = kNewYear2020.addingTimeInterval(3600);
    const Case cases[] = {
        {"equal scores keep the first", {file("/h/Music/a"), file("/h/Music/b")}, "/h/Music/a"},
        {"pictures beats downloads", {file("/h/Downloads/a"), file("/h/pictures/a")}, "/h/pictures/a"},
        {"pictures beats downloads in capitals", {file("/h/DOWNLOADS/a"), file("/h/Pictures/a")}, "/h/Pictures/a"},
        {"music beats downloads", {file("/h/Downloads/a"), file("/h/Music/a")}, "/h/Music/a"},
        {"desktop beats music", {file("/h/Music/a"), file("/h/Desktop/a")}, "/h/Desktop/a"},
        {"MyPictures is no pictures folder", {file("/h/Desktop/a"), file("/h/MyPictures/a")}, "/h/Desktop/a"},
        {"the later day keeps", {file("/h/Music/a"), file("/h/Music/b", nextDay)}, "/h/Music/b"},
        {"the same day keeps the first", {file("/h/Music/a"), file("/h/Music/b", laterSameDay)}, "/h/Music/a"},
        {"a date beats none", {file("/h/Music/a", std::nullopt), file("/h/Music/b")}, "/h/Music/b"},
        {"4000x3000 in downloads beats 3400x2550 in pictures",
         {file("/h/Pictures/p", kNewYear2020, 3400, 2550), file("/h/Downloads/d", kNewYear2020, 4000, 3000)},
         "/h/Downloads/d"},
        {"4000x3000 in downloads beats 3000x2250 in pictures",
         {file("/h/Pictures/p", kNewYear2020, 3000, 2250), file("/h/Downloads/d", kNewYear2020, 4000, 3000)},
         "/h/Downloads/d"},
        {"4000x3000 in downloads loses to 4000x3000 in pictures",
         {file("/h/Downloads/d", kNewYear2020, 4000, 3000), file("/h/Pictures/p", kNewYear2020, 4000, 3000)},
         "/h/Pictures/p"},
        {"on a tie a name without a copy marker keeps",
         {file("/h/Documents/thesis-final (copy).pdf"), file("/h/Documents/thesis-final.pdf")},
         "/h/Documents/thesis-final.pdf"},
        {"on a tie the shorter path keeps", {file("/h/Music/long-name"), file("/h/Music/short")}, "/h/Music/short"},
        {"a copy marker loses even to a longer path",
         {file("/h/Music/a copy.mp3"), file("/h/Music/album/a.mp3")}, "/h/Music/album/a.mp3"},
        {"a marked name still keeps on a higher score",
         {file("/h/Downloads/a.pdf"), file("/h/Documents/a (1).pdf")}, "/h/Documents/a (1).pdf"},
        {"the best of three wins wherever it stands",
         {file("/h/Downloads/a"), file("/h/Documents/b"), file("/h/Desktop/c")}, "/h/Documents/b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DuplicateKeeperHeuristic::pickKeeper(c.candidates), c.keeper);
    }
}

TEST(DuplicateKeeperHeuristicTest, CopyMarkersStandBeforeTheExtensionOrInFront) {
    for (const auto* marked : {"/h/a (copy).pdf", "/h/a copy.pdf", "/h/a (1).pdf", "/h/a (9)", "/h/Copy of a.pdf",
                               "/h/a-1.jpg", "/h/a-9.tar", "/h/A COPY.PDF"}) {
        EXPECT_TRUE(DuplicateKeeperHeuristic::hasCopyMarker(marked)) << marked;
    }
    for (const auto* plain : {"/h/a.pdf", "/h/a (10).pdf", "/h/a-0.jpg", "/h/a (copy)/b.pdf", "/h/scopy.pdf",
                              "/h/a1.pdf", "/h/a (x).pdf"}) {
        EXPECT_FALSE(DuplicateKeeperHeuristic::hasCopyMarker(plain)) << plain;
    }
}

TEST(DuplicateKeeperHeuristicTest, SizeInBytesPlaysNoPart) {
    auto small = file("/h/Music/small");
    auto large = file("/h/Music/large");
    large.sizeBytes = 1'000'000'000;
    EXPECT_EQ(DuplicateKeeperHeuristic::pickKeeper({small, large}), "/h/Music/small");
}

TEST(DuplicateKeeperHeuristicTest, AmongSimilarPicturesTheMostPixelsThenTheLargestFileKeep) {
    const auto picture = [](std::string path, std::int64_t side, std::int64_t bytes, double day) {
        auto candidate = file(std::move(path), platform::Date::fromTimeIntervalSince1970(day * kDay), side, side);
        candidate.sizeBytes = bytes;
        return candidate;
    };
    struct Case {
        const char* name;
        std::vector<Candidate> candidates;
        std::string keeper;
    } cases[] = {
        {"the original against a later recompression in Pictures",
         {picture("/h/Pictures/photo.jpg", 1000, 425'000, 18'300), picture("/h/Downloads/photo.jpg", 1000, 888'000, 18'262)},
         "/h/Downloads/photo.jpg"},
        {"more pixels before a larger file",
         {picture("/h/Downloads/big.jpg", 1000, 400'000, 18'262), picture("/h/Pictures/small.png", 900, 2'000'000, 18'262)},
         "/h/Downloads/big.jpg"},
        {"equal pictures and sizes fall back to the folder",
         {picture("/h/Downloads/a.jpg", 1000, 500'000, 18'262), picture("/h/Pictures/a.jpg", 1000, 500'000, 18'262)},
         "/h/Pictures/a.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DuplicateKeeperHeuristic::pickKeeperOfSimilarPictures(c.candidates), c.keeper) << c.name;
    EXPECT_EQ(DuplicateKeeperHeuristic::pickKeeperOfSimilarPictures({}), std::nullopt);
}

}  // namespace
}  // namespace zentrel::scanners
