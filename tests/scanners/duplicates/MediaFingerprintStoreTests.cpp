#include "scanners/duplicates/MediaFingerprintStore.hpp"

#include "platform/concurrency/TaskPool.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/Warnings.hpp"
#include "scanners/duplicates/MediaFingerprintQueue.hpp"
#include "scanners/duplicates/Sha256.hpp"
#include "scanners/duplicates/SimilarMediaPass.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/MediaFixtures.hpp"
#include "doubles/TempDir.hpp"
#include "doubles/WarningCapture.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace zentrel::scanners {
namespace {

constexpr double kDay = 86400;
const auto kToday = platform::Date::fromTimeIntervalSince1970(20'000 * kDay);

MediaFileKey key(std::uint64_t inode) { return {7, inode, 1000 + static_cast<std::int64_t>(inode), 11, 12}; }

MediaFingerprint fingerprint(std::uint64_t seed, model::DuplicateKind kind = model::DuplicateKind::perceptualImage) {
    return {seed, ~seed, hexDigest(Sha256::of(std::to_string(seed))), 640, 480, kind};
}

bool sameFingerprint(const std::optional<MediaFingerprint>& a, const std::optional<MediaFingerprint>& b) {
    if (!a || !b) return !a && !b;
    return a->perceptualHash == b->perceptualHash && a->perceptualHashSecondary == b->perceptualHashSecondary &&
           a->structuralDigest == b->structuralDigest && a->pixelWidth == b->pixelWidth &&
           a->pixelHeight == b->pixelHeight && a->kind == b->kind;
}

// The store as saved and loaded again, on `clock`.
MediaFingerprintStore reparsed(const MediaFingerprintStore& store, const testing::FakeClock& clock) {
    auto parsed = MediaFingerprintStore::parse(store.serialized(), clock);
    EXPECT_TRUE(parsed);
    return parsed ? std::move(*parsed) : MediaFingerprintStore(clock);
}

// A clock a day ahead of the files' own times, so every fixture counts as settled.
testing::FakeClock aheadOfTheFiles() {
    return testing::FakeClock(platform::SystemClock::shared().now().addingTimeInterval(kDay));
}

TEST(MediaFingerprintStoreTest, KeepsFingerprintsAndFilesWithoutOneExactly) {
    testing::FakeClock clock(kToday);
    MediaFingerprintStore store(clock);
    store.remember(key(1), fingerprint(1), kToday);
    store.remember(key(2), fingerprint(2, model::DuplicateKind::perceptualVideo), kToday);
    store.remember(key(3), std::nullopt, kToday);
    const MediaFileKey changedJustBefore{7, 4, 1004, 11, static_cast<std::int64_t>((20'000 * kDay - 0.5) * 1e9)};
    store.remember(changedJustBefore, fingerprint(4), kToday);
    const auto back = reparsed(store, clock);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_TRUE(sameFingerprint(*back.find(key(1)), fingerprint(1)));
    EXPECT_TRUE(sameFingerprint(*back.find(key(2)), fingerprint(2, model::DuplicateKind::perceptualVideo)));
    ASSERT_TRUE(back.find(key(3))) << "known to have no fingerprint";
    EXPECT_FALSE(*back.find(key(3)));
    EXPECT_FALSE(back.find(changedJustBefore)) << "changed less than a second before the read began";
    // Any part of the key that differs finds nothing.
    for (auto changed : {MediaFileKey{8, 1, 1001, 11, 12}, MediaFileKey{7, 1, 1002, 11, 12},
                         MediaFileKey{7, 1, 1001, 10, 12}, MediaFileKey{7, 1, 1001, 11, 13}})
        EXPECT_FALSE(back.find(changed));
}

TEST(MediaFingerprintStoreTest, EntriesNotSeenForNinetyDaysAreDropped) {
    testing::FakeClock clock(kToday);
    MediaFingerprintStore store(clock);
    store.remember(key(1), fingerprint(1), kToday);
    store.remember(key(2), fingerprint(2), kToday);
    const auto saved = reparsed(store, clock);  // neither is seen after this
    clock.setNow(kToday.addingTimeInterval(89 * kDay));
    auto later = reparsed(saved, clock);
    EXPECT_EQ(later.size(), 2u);
    (void)later.find(key(2));  // seen on day 89
    clock.setNow(kToday.addingTimeInterval(90 * kDay));
    const auto gone = reparsed(later, clock);
    EXPECT_FALSE(gone.find(key(1)));
    EXPECT_TRUE(gone.find(key(2)));
}

TEST(MediaFingerprintStoreTest, PastItsSizeLimitTheEntriesSeenLongestAgoGo) {
    testing::FakeClock clock(kToday);
    MediaFingerprintStore store(clock);
    store.remember(key(1), fingerprint(1), kToday);
    store.remember(key(2), fingerprint(2), kToday);
    auto older = reparsed(store, clock);
    clock.setNow(kToday.addingTimeInterval(kDay));
    older.remember(key(3), fingerprint(3), kToday);  // seen later than the others
    const auto oneEntry = older.serialized(200);
    const auto trimmed = MediaFingerprintStore::parse(oneEntry);
    ASSERT_TRUE(trimmed);
    EXPECT_EQ(trimmed->size(), 1u);
    EXPECT_TRUE(trimmed->find(key(3)));
    EXPECT_LE(oneEntry.size(), 200u);
}

// Replaces the stored form's checksum so that only the edited content is wrong.
std::string resigned(std::string bytes) {
    const auto body = bytes.substr(0, bytes.size() - 32);
    const auto digest = Sha256::of(body);
    return body + std::string(reinterpret_cast<const char*>(digest.data()), digest.size());
}

TEST(MediaFingerprintStoreTest, ADamagedOrForeignStoreIsNeverTrusted) {
    testing::FakeClock clock(kToday);
    MediaFingerprintStore store(clock);
    store.remember(key(1), fingerprint(1), kToday);
    store.remember(key(2), std::nullopt, kToday);
    const auto good = store.serialized();
    constexpr std::size_t kEntries = 24, kEntry = 102;
    // One byte changed: at its offset, to its value, with the checksum made right again or not.
    struct Edit {
        const char* name;
        std::size_t at;
        char value;
        bool resign;
    };
    const Edit edits[] = {
        {"a flipped byte", kEntries + 20, 0x55, false},
        {"another program's file", 0, 'X', true},
        {"another version", 8, 9, true},
        {"a count past the end", 16, 3, true},
        {"unknown flags", kEntries + 44, 3, true},
        {"an unknown kind", kEntries + 45, 0, true},
    };
    std::vector<std::pair<std::string, std::string>> damaged = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() - 1)},
        {"keys out of order", resigned(good.substr(0, kEntries) + good.substr(kEntries + kEntry, kEntry) +
                                       good.substr(kEntries, kEntry) + good.substr(kEntries + 2 * kEntry))},
    };
    for (const auto& edit : edits) {
        auto bytes = good;
        bytes.replace(edit.at, 1, 1, edit.value);
        damaged.emplace_back(edit.name, edit.resign ? resigned(bytes) : bytes);
    }
    ASSERT_TRUE(MediaFingerprintStore::parse(good));
    for (const auto& [name, bytes] : damaged) EXPECT_FALSE(MediaFingerprintStore::parse(bytes)) << name;
}

TEST(MediaFingerprintStoreTest, LoadingWarnsOfADamagedFileAndFollowsNoLink) {
    testing::TempDir dir;
    testing::WarningCapture warnings;
    testing::FakeClock clock(kToday);
    const auto path = mediaFingerprintStorePath(dir.path());
    MediaFingerprintStore store(clock);
    store.remember(key(1), fingerprint(1), kToday);
    EXPECT_FALSE(MediaFingerprintStore(clock).save(path));
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing to keep, nothing written";
    ASSERT_FALSE(store.save(path));
    EXPECT_EQ(MediaFingerprintStore::load(path, clock).size(), 1u);

    std::ofstream(path, std::ios::binary) << "not a store";
    EXPECT_EQ(MediaFingerprintStore::load(path, clock).size(), 0u);
    EXPECT_EQ(warnings.lines().size(), 1u);

    const auto elsewhere = dir / "elsewhere";
    std::ofstream(elsewhere, std::ios::binary) << store.serialized();
    std::filesystem::remove(path);
    std::filesystem::create_symlink(elsewhere, path);
    EXPECT_EQ(MediaFingerprintStore::load(path, clock).size(), 0u);
    EXPECT_TRUE(store.save(path)) << "not written through the link";
    EXPECT_TRUE(std::filesystem::is_symlink(path));

    // Cleared from the settings: the file goes, never what a link names.
    std::filesystem::create_directories(dir / "outside");
    std::filesystem::create_directory_symlink(dir / "outside", dir / "linked-zentrel");
    std::ofstream(dir / "outside/media-fingerprints") << store.serialized();
    EXPECT_FALSE(removeMediaFingerprintStore(dir / "linked-zentrel/media-fingerprints"));
    EXPECT_TRUE(std::filesystem::exists(dir / "outside/media-fingerprints"));
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << store.serialized();
    EXPECT_TRUE(removeMediaFingerprintStore(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

// One picture and a store that knows it by another fingerprint.
class StoredPictureTest : public ::testing::Test {
protected:
    void SetUp() override { testing::writeJpeg(picture, testing::drawScene(120, 90, 1), 120, 90, 90); }
    // The picture's key, stored with fingerprint 42.
    struct stat rememberAnother() {
        struct stat status {};
        EXPECT_EQ(::lstat(picture.c_str(), &status), 0);
        store.remember(MediaFileKey::of(status), fingerprint(42), clock.now());
        return status;
    }

    testing::TempDir dir;
    const std::filesystem::path picture = dir / "a.jpg";
    const testing::FakeClock clock = aheadOfTheFiles();
    MediaFingerprintStore store{clock};
};

TEST_F(StoredPictureTest, AStoredFingerprintStandsUntilTheFileChanges) {
    const auto decoded = mediaFileFingerprint(picture.string(), &store);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(store.size(), 1u);

    rememberAnother();
    EXPECT_TRUE(sameFingerprint(mediaFileFingerprint(picture.string(), &store), fingerprint(42)))
        << "an unchanged file is not decoded again";

    std::filesystem::last_write_time(picture, std::filesystem::last_write_time(picture));  // touched: a new change time
    EXPECT_TRUE(sameFingerprint(mediaFileFingerprint(picture.string(), &store), decoded));
}

TEST_F(StoredPictureTest, KeysAreNotTrustedWhereTheFileSystemKeepsNoChangeTimes) {
    std::vector<std::uint64_t> asked;
    store.setChangeTimeCheck([&](std::uint64_t device) {
        asked.push_back(device);
        return false;  // as on a squashfs image rebuilt with other pictures
    });
    const auto status = rememberAnother();
    int decodes = 0;
    for (int scan = 0; scan < 2; ++scan) {
        const auto found = mediaFileFingerprint(picture.string(), &store, [&] {
            ++decodes;
            return imageFingerprint(picture.string());
        });
        EXPECT_FALSE(sameFingerprint(found, fingerprint(42)));
    }
    EXPECT_EQ(decodes, 2) << "decoded every time";
    EXPECT_EQ(asked, std::vector<std::uint64_t>{status.st_dev}) << "asked once per device";
}

// Groups as a scan without the store finds them, with the store after each change.
class StoredFingerprintScanTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    const platform::PosixFileSystem fileSystem;
    platform::TaskPool pool{4};
    const testing::FakeClock clock = aheadOfTheFiles();
    MediaFingerprintStore store{clock};

    void picture(const std::string& name, int seed, int side, int quality) {
        testing::writeJpeg(dir / "Pictures" / name, testing::resized(testing::drawScene(240, 180, seed), 240, 180, side,
                                                                     side * 3 / 4),
                           side, side * 3 / 4, quality);
    }
    std::vector<model::DuplicateGroup> scan(MediaFingerprintStore* withStore) {
        DuplicateScanner::ScanOptions options;
        options.minFileBytes = 1;
        SimilarMediaPass similar(options, &pool, withStore);
        DuplicateScanner scanner(options, fileSystem, dir.path().string(), &similar, &pool);
        return scanner.scan().groups;
    }
    void expectSameGroupsWithAndWithoutTheStore(const char* after) {
        const auto expected = scan(nullptr);
        const auto first = scan(&store);
        const auto again = scan(&store);
        EXPECT_EQ(first, expected) << after;
        EXPECT_EQ(again, expected) << after << ", from the store";
    }
};

TEST_F(StoredFingerprintScanTest, GroupsOrderAndKeepersMatchAScanWithoutTheStore) {
    for (int i = 0; i < 12; ++i) picture("p" + std::to_string(i) + ".jpg", i % 4, 240 - 4 * i, 60 + 2 * i);
    expectSameGroupsWithAndWithoutTheStore("first scans");
    ASSERT_FALSE(scan(nullptr).empty());
    const auto stored = store.size();

    std::filesystem::last_write_time(dir / "Pictures/p1.jpg", std::filesystem::file_time_type::clock::now());
    expectSameGroupsWithAndWithoutTheStore("a touched picture");
    std::filesystem::rename(dir / "Pictures/p2.jpg", dir / "Pictures/renamed.jpg");
    expectSameGroupsWithAndWithoutTheStore("a renamed picture");
    std::filesystem::remove(dir / "Pictures/p3.jpg");
    picture("p3.jpg", 1, 200, 70);  // another scene under the old name
    expectSameGroupsWithAndWithoutTheStore("a replaced picture");
    std::filesystem::resize_file(dir / "Pictures/p4.jpg", 600);
    expectSameGroupsWithAndWithoutTheStore("a truncated picture");
    EXPECT_GT(store.size(), stored) << "each changed file was stored anew";
}

}  // namespace
}  // namespace zentrel::scanners
