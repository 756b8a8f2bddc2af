#include "scanners/duplicates/DuplicateScanner.hpp"

#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/ByteCountFormatter.hpp"

#include "doubles/TempDir.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::scanners {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DuplicateScannerTest : public ::testing::Test {
protected:
    testing::TempDir home;
    platform::PosixFileSystem fileSystem;

    std::string file(const std::string& relative, std::size_t size, char fill = 'x') {
        return home.write(relative, std::string(size, fill)).string();
    }
    DuplicateScanner scanner(DuplicateScanner::ScanOptions options = {}) {
        return DuplicateScanner(std::move(options), fileSystem, home.path().string());
    }
    std::vector<std::string> candidatePaths(const DuplicateScanner& s) {
        std::vector<std::string> paths;
        for (const auto& candidate : s.collectCandidates()) paths.push_back(candidate.path);
        return paths;
    }
};

TEST_F(DuplicateScannerTest, TheWalkKeepsLargeEnoughFilesOutsideSkippedPlaces) {
    auto exact = file("Documents/exact.bin", 100000);
    file("Documents/small.bin", 99999);
    file("Documents/node_modules/dep.bin", 200000);
    auto entered = file("Documents/Node_Modules/dep.bin", 200000);
    file("Documents/archive.ZIP", 200000);
    file("Documents/.hidden.bin", 200000);
    file("Pictures/Lib.photoslibrary/original.jpg", 200000);
    file("Desktop/Tool.app/Contents/blob", 200000);
    auto photo = file("Pictures/photo.JPG", 150000);
    file("Elsewhere/not-a-root.bin", 200000);

    auto s = scanner();
    EXPECT_THAT(candidatePaths(s), ::testing::UnorderedElementsAre(exact, entered, photo));
    auto candidates = s.collectCandidates();
    for (const auto& candidate : candidates) EXPECT_EQ(candidate.isMedia, candidate.path == photo) << candidate.path;

    // Given roots replace the defaults, in their order; a missing one is passed over.
    auto given = scanner({.scanRoots = std::vector<std::string>{(home / "Elsewhere").string(), (home / "missing").string()}});
    EXPECT_THAT(candidatePaths(given), ElementsAre((home / "Elsewhere/not-a-root.bin").string()));
    EXPECT_EQ(candidatePaths(scanner({.scanRoots = std::vector<std::string>{}})).size(), 3u);
}

TEST_F(DuplicateScannerTest, TheCandidateLimitStopsTheWholeWalk) {
    for (int i = 0; i < 4; ++i) file("Documents/d" + std::to_string(i), 100000);
    for (int i = 0; i < 4; ++i) file("Pictures/p" + std::to_string(i), 100000);
    home.makeDirectory("Desktop");
    std::optional<CandidateLimitStop> stop;
    EXPECT_EQ(scanner({.maxCandidates = 5}).collectCandidates(&stop).size(), 5u);
    // Pictures comes first; the walk names the entry it stopped at and the folders it never reached.
    EXPECT_EQ(stop, (CandidateLimitStop{5, (home / "Documents/d1").string(), {(home / "Desktop").string()}}));
    EXPECT_THAT(scanner({.maxCandidates = 0}).collectCandidates(), IsEmpty());
    EXPECT_EQ(scanner({.maxCandidates = 8}).scan().candidateLimit, std::nullopt) << "every file was taken";
}

TEST_F(DuplicateScannerTest, IdenticalFilesFormOneGroupWithOneKeeper) {
    auto a = file("Documents/report.pdf", 2 * 1024 * 1024, 'r');
    auto b = file("Downloads/report copy.pdf", 2 * 1024 * 1024, 'r');
    auto c = file("Desktop/report again.pdf", 2 * 1024 * 1024, 'r');
    file("Documents/other.pdf", 2 * 1024 * 1024, 'o');
    file("Pictures/same1.png", 300000, 'p');  // pictures never reach the exact pass
    file("Pictures/same2.png", 300000, 'p');

    auto groups = scanner().scan().groups;
    ASSERT_EQ(groups.size(), 1u);
    const auto& group = groups[0];
    EXPECT_EQ(group.kind, model::DuplicateKind::documentHash);
    EXPECT_EQ(group.members.size(), 3u);
    EXPECT_EQ(std::count_if(group.members.begin(), group.members.end(), [](const auto& m) { return m.isKeeper; }), 1);
    auto keeper = std::find_if(group.members.begin(), group.members.end(), [](const auto& m) { return m.isKeeper; });
    EXPECT_EQ(keeper->path, a);  // Documents keeps over Desktop and Downloads
    EXPECT_EQ(DuplicateScanner::reclaimableBytes(group), 2 * 2 * 1024 * 1024);
    EXPECT_NO_THROW((void)std::stoll(group.id));
    EXPECT_EQ(scanner().scan().groups[0].id, group.id);
    (void)b;
    (void)c;
}

TEST_F(DuplicateScannerTest, OnlyTheFirstFilesOfASizeAreHashed) {
    std::vector<ScanCandidate> candidates;
    for (int i = 0; i < 20; ++i) {
        // Distinct contents except the last two, which are a pair.
        auto path = file("Documents/f" + std::to_string(i), 100000, static_cast<char>(i < 18 ? 'a' + i : 'z'));
        candidates.push_back({path, 100000, std::nullopt, false});
    }
    EXPECT_THAT(scanner().findExactDuplicates(candidates), IsEmpty());
    EXPECT_EQ(scanner({.maxPerSizeBucket = 20}).findExactDuplicates(candidates).size(), 1u);
    EXPECT_THAT(scanner({.maxPerSizeBucket = 0}).findExactDuplicates(candidates), IsEmpty());

    // A file gone since the walk leaves its partner alone: no group.
    std::filesystem::remove(candidates[19].path);
    EXPECT_THAT(scanner({.maxPerSizeBucket = 20}).findExactDuplicates(candidates), IsEmpty());
}

TEST_F(DuplicateScannerTest, ASizeSharedByMoreFilesThanAreComparedIsCounted) {
    // Twelve unrelated files of one size and, walked after them, a copied pair of that size.
    constexpr std::size_t kSize = 200'000;
    for (int i = 0; i < 12; ++i) file("Documents/f" + std::to_string(i), kSize, static_cast<char>('a' + i));
    file("Documents/other-size", kSize + 1);
    const std::vector pair{file("Downloads/copy-1", kSize, 'z'), file("Downloads/copy-2", kSize, 'z')};

    const auto capped = scanner().scan();
    EXPECT_THAT(capped.groups, IsEmpty()) << "the pair is past the files compared";
    EXPECT_EQ(capped.cappedSizes, (std::vector<CappedSizeGroup>{{kSize, 14, 12}}));

    const auto whole = scanner({.maxPerSizeBucket = 14}).scan();
    ASSERT_EQ(whole.groups.size(), 1u);
    EXPECT_EQ(whole.groups[0].members.size(), 2u);
    EXPECT_THAT(whole.cappedSizes, IsEmpty()) << "every file of the size was compared";
}

TEST_F(DuplicateScannerTest, FilesThatDifferOnlyInTheMiddleAreNeverGrouped) {
    std::string content(5'000'000, 'm');
    home.write("Documents/one.bin", content);
    content[2'500'000] = 'X';
    home.write("Documents/two.bin", content);
    content[2'500'000] = 'm';
    home.write("Desktop/three.bin", content);  // the same as one.bin
    auto groups = scanner().scan().groups;
    ASSERT_EQ(groups.size(), 1u);
    std::vector<std::string> paths;
    for (const auto& member : groups[0].members) paths.push_back(member.path);
    EXPECT_THAT(paths, ::testing::UnorderedElementsAre((home / "Documents/one.bin").string(),
                                                       (home / "Desktop/three.bin").string()));
}

TEST_F(DuplicateScannerTest, OneFileReachedTwiceIsNeverItsOwnDuplicate) {
    auto original = file("Documents/deep/original.bin", 200000);
    home.makeDirectory("Desktop");
    std::filesystem::create_hard_link(original, home / "Desktop/hard-link.bin");
    // Overlapping roots: the folder and its parent.
    auto overlapping = scanner({.scanRoots = std::vector<std::string>{(home / "Documents").string(),
                                                                      (home / "Documents/deep").string(),
                                                                      (home / "Desktop").string()}});
    EXPECT_EQ(overlapping.collectCandidates().size(), 1u);
    EXPECT_THAT(overlapping.scan().groups, IsEmpty());
}

TEST_F(DuplicateScannerTest, ACopyWhoseFileHasOtherLinksFreesNothing) {
    auto kept = file("Documents/report.bin", 200000);
    auto linked = file("Downloads/report.bin", 200000);
    home.makeDirectory("Backup");
    std::filesystem::create_hard_link(linked, home / "Backup/report.bin");  // outside the scanned folders
    auto groups = scanner().scan().groups;
    ASSERT_EQ(groups.size(), 1u);
    for (const auto& member : groups[0].members) EXPECT_EQ(member.isKeeper, member.path == kept) << member.path;
    EXPECT_EQ(DuplicateScanner::reclaimableBytes(groups[0]), 0);
    EXPECT_EQ(groups[0].reclaimableSizeText(), platform::formatByteCount(0, platform::ByteCountStyle::file));
}

TEST(DuplicateGroupOrderTest, LargerReclaimFirstAndEqualOnesKeepTheirOrder) {
    auto group = [](std::string id, std::int64_t removable) {
        return model::DuplicateGroup{std::move(id), model::DuplicateKind::documentHash,
                                     {{"k", "/k", 999, {}, {}, {}, true}, {"r", "/r", removable, {}, {}, {}, false}}};
    };
    std::vector<model::DuplicateGroup> groups = {group("a", 10), group("b", 30), group("c", 10), group("d", 30)};
    DuplicateScanner::sortByReclaimableBytes(groups);
    std::vector<std::string> ids;
    for (const auto& g : groups) ids.push_back(g.id);
    EXPECT_THAT(ids, ElementsAre("b", "d", "a", "c"));

    EXPECT_EQ(DuplicateScanner::makeGroup({}, model::DuplicateKind::documentHash), std::nullopt);
}

}  // namespace
}  // namespace zentrel::scanners
