// What a scan says a clean frees, and what the clean says it freed, against
// what the disk gives back (`du -sB1`), on a generated Linux home with a
// sparse file, a cache two scanners find, a cache inside another, hard links
// and duplicate groups.

#include "engine/AllCategoryScanners.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/files/PosixFileSystem.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace zentrel::engine {
namespace {

namespace fs = std::filesystem;
using model::CategoryType;

void write(const fs::path& path, std::size_t bytes, std::uintmax_t logicalSize = 0) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(std::string(bytes, 'z').data(), static_cast<std::streamsize>(bytes));
    if (logicalSize > bytes) fs::resize_file(path, logicalSize);  // the rest is a hole
}

std::int64_t diskUsage(const fs::path& folder) {
    const auto command = "du -sB1 '" + folder.string() + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    long long bytes = -1;
    if (pipe) {
        if (std::fscanf(pipe, "%lld", &bytes) != 1) bytes = -1;
        ::pclose(pipe);
    }
    return bytes;
}

class CleanFiguresTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto& h = home;
        write(h / ".config/user-dirs.dirs", 0);
        std::ofstream(h / ".config/user-dirs.dirs") << "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n";
        fs::create_directories(dir / "sys/var/cache");
        // A sparse disk image: 501 MB long, 64 KiB on disk.
        write(h / "Videos/disk.img", 65536, 501'000'000);
        // One file under two names, each a large file.
        write(h / "Videos/film.mkv", 2'000'000, 501'000'000);
        fs::create_hard_link(h / "Videos/film.mkv", h / "Videos/film-link.mkv");
        // pip's cache: an entry of the caches folder and a tool cache.
        write(h / ".cache/pip/wheels/big.whl", 10'100'000);
        // A mail cache inside a caches entry that is itself offered.
        write(h / ".cache/evolution/mail/msg", 300'000);
        write(h / ".cache/evolution/index", 10'100'000);
        // Three copies of a document, and two sparse copies of an image.
        for (const auto* name : {"Documents/thesis-final.pdf", "Documents/thesis-final (copy).pdf", "Downloads/thesis.pdf"})
            write(h / name, 150'000);
        write(h / "Documents/vm.img", 262'144, 30'000'000);
        write(h / "Downloads/vm-copy.img", 262'144, 30'000'000);
        write(h / ".local/share/Trash/files/old.txt", 3000);
        write(h / ".local/share/Trash/info/old.txt.trashinfo", 40);
    }

    testing::TempDir dir;
    fs::path home = dir / "home";
};

TEST_F(CleanFiguresTest, WhatTheScanCountsAndTheCleanFreesIsWhatTheDiskGetsBack) {
    platform::PosixFileSystem fileSystem;
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(home, dir / "sys"), fileSystem,
                                                         static_cast<std::uint32_t>(::getuid()));
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    platform::NoICloudFileStatus icloud;
    platform::MemoryClipboard clipboard;
    auto& clock = platform::SystemClock::shared();
    scanners::SweepJournal journal(home.string(), [](const std::string&) { return std::optional<std::string>(); });
    scanners::PrivacyCookieStore cookies(fileSystem, home.string());
    CleanServices services{fileSystem, journal, cookies, clipboard, icloud, clock, table};
    CleanerEngine engine(fileSystem, pool, main);
    engine.setCleanServices(services);
    registerAllCategoryScanners(engine, {table, clock, icloud, [] { return scanners::PrivacyScanner::ScanOptions{}; },
                                         [] { return scanners::ClipboardInsight{}; }});

    std::vector<model::CleanItem> selected;
    std::int64_t counted = 0;
    std::map<std::string, std::vector<CategoryType>> claims;
    for (auto& item : engine.runFullScan(true, true, {})) {
        claims[fs::relative(item.path, home).string()].push_back(item.category);
        if (item.category == CategoryType::privacy || item.isDuplicateKeeper) continue;
        counted += item.sizeBytes;
        selected.push_back(std::move(item));
    }
    EXPECT_EQ(claims[".cache/pip"], std::vector{CategoryType::devTools}) << "the tool keeps its cache";
    EXPECT_EQ(claims[".cache/evolution"], std::vector{CategoryType::systemCaches});
    EXPECT_FALSE(claims.contains(".cache/evolution/mail")) << "inside a folder already listed";
    EXPECT_EQ(claims["Videos/disk.img"], std::vector{CategoryType::largeFiles});
    EXPECT_EQ(claims["Downloads/vm-copy.img"].size() + claims["Documents/vm.img"].size(), 2U);

    const auto before = diskUsage(home);
    std::optional<DeleteResult> result;
    engine.cleanItems(selected, {}, [&](DeleteResult done) { result = std::move(done); });
    while (!result && pool.runAll() + main.drain() > 0) {
    }
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->failedKeys.empty()) << result->failureMessages.begin()->second;
    const auto given = before - diskUsage(home);
    const auto slack = static_cast<std::int64_t>(4096 * selected.size());
    EXPECT_NEAR(static_cast<double>(result->freed), static_cast<double>(given), static_cast<double>(slack));
    EXPECT_NEAR(static_cast<double>(counted), static_cast<double>(given), static_cast<double>(slack));
    EXPECT_GT(given, 20'000'000) << "the clean did free the caches";
}

}  // namespace
}  // namespace zentrel::engine
