// zentrel-cli scan, clean and undo over a generated Linux desktop home: every
// category finds its junk where the desktop keeps it, a clean deletes exactly
// the selection, and undo puts the privacy changes back byte for byte.

#include "CliRunner.hpp"

#include "doubles/LinuxHomeFixture.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace zentrel::testing {
namespace {

namespace fs = std::filesystem;

// Every entry below `root` with its contents (links by their target, large
// files by their size), leaving out what the program keeps for itself
// (settings, sweep backups).
std::map<std::string, std::string> tree(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const auto path = it->path().string();
        if (it->path() == root / ".config/zentrel" || it->path() == root / ".local/share/zentrel") {
            it.disable_recursion_pending();
            continue;
        }
        std::string contents;
        if (it->is_symlink()) {
            contents = "-> " + fs::read_symlink(it->path()).string();
        } else if (it->is_regular_file() && it->file_size() > 1'000'000) {
            contents = "size " + std::to_string(it->file_size());  // the sparse large files
        } else if (it->is_regular_file()) {
            std::ifstream in(it->path(), std::ios::binary);
            std::ostringstream out;
            out << in.rdbuf();
            contents = out.str();
        }
        entries[path] = contents;
    }
    return entries;
}

bool isWithin(const std::string& path, const std::string& folder) {
    return path == folder || path.starts_with(folder + "/");
}

class LinuxHomeCommandsTest : public ::testing::Test {
protected:
    LinuxHomeCommandsTest() : fixture(generateLinuxHome(dir.path())) {}

    CliOutcome cli(std::vector<std::string> args) {
        args.insert(args.begin() + 1, {"--home", fixture.home.string(), "--system-root", fixture.systemRoot.string()});
        return runCli(args);
    }
    std::map<std::string, std::string> everything() {
        auto entries = tree(fixture.home);
        entries.merge(tree(fixture.systemRoot));
        return entries;
    }

    TempDir dir;
    LinuxHomeFixture fixture;
};

TEST_F(LinuxHomeCommandsTest, ScanListsEveryCategoryWhereTheDesktopKeepsIt) {
    const auto before = everything();
    const auto scan = cli({"scan", "--json"});
    ASSERT_EQ(scan.status, 0) << scan.out;
    std::map<std::string, std::set<std::string>> found;
    for (const auto& item : nlohmann::json::parse(scan.out)) {
        if (!item["path"].get<std::string>().empty()) found[item["category"]].insert(item["path"]);
    }
    EXPECT_EQ(found, fixture.expectedPaths) << scan.out;
    EXPECT_EQ(everything(), before);

    // The Mac's table looks elsewhere and finds none of it.
    const auto mac = cli({"scan", "--layout", "macos", "--category", "App Caches", "--json"});
    EXPECT_EQ(nlohmann::json::parse(mac.out).size(), 0u) << mac.out;
    EXPECT_EQ(cli({"scan", "--layout", "windows"}).status, 2);
}

TEST_F(LinuxHomeCommandsTest, CleanDeletesExactlyTheSelectionAndUndoRestoresThePrivacyChanges) {
    const auto& h = fixture.home;
    const auto before = everything();
    const std::vector<std::string> removed = {(h / ".config/Code/CachedData").string(),
                                              (h / ".cache/google-chrome").string(),
                                              (h / ".cache/evolution/mail").string(),
                                              (h / "Downloads/installer.iso").string(),
                                              (h / ".config/autostart/sync.desktop").string(),
                                              (fixture.systemRoot / "var/tmp/build-cache").string(),
                                              (h / ".local/share/recently-used.xbel").string(),
                                              (h / ".cache/thumbnails").string()};
    const std::string trash = (h / ".local/share/Trash").string();
    const std::vector<std::string> changed = {
        (h / ".config/google-chrome/Default/Network/Cookies").string(),
        (h / ".config/BraveSoftware/Brave-Browser/Profile 1/Cookies").string(),
        (h / ".mozilla/firefox/abc.default-release/cookies.sqlite").string(), (h / ".bash_history").string(),
        (h / ".local/share/fish/fish_history").string()};

    std::vector<std::string> args = {"clean", "--select", "category:App Caches", "--select", "category:Privacy",
                                     "--select", "category:Trash & Downloads"};
    for (const auto& path : {removed[4], removed[5]}) args.insert(args.end(), {"--select", path});
    const auto cleaned = cli(args);
    ASSERT_EQ(cleaned.status, 0) << cleaned.out;

    const auto after = everything();
    for (const auto& [path, contents] : before) {
        // The Trash keeps its own folders.
        const bool trashFolder = path == trash + "/files" || path == trash + "/info";
        const bool gone = std::any_of(removed.begin(), removed.end(), [&](const auto& r) { return isWithin(path, r); }) ||
                          (path != trash && !trashFolder && isWithin(path, trash));
        const bool inPlace = std::find(changed.begin(), changed.end(), path) != changed.end();
        if (gone) {
            EXPECT_FALSE(after.contains(path)) << path;
        } else if (inPlace) {
            EXPECT_NE(after.at(path), contents) << path;
        } else {
            EXPECT_EQ(after.contains(path) ? after.at(path) : "(missing)", contents) << path;
        }
    }
    for (const auto& [path, contents] : after) EXPECT_TRUE(before.contains(path)) << "new: " << path;

    // The system-wide autostart entry is listed but never selected nor removed.
    const auto systemEntry = (fixture.systemRoot / "etc/xdg/autostart/indexer.desktop").string();
    EXPECT_EQ(cli({"clean", "--select", systemEntry}).status, 2);
    EXPECT_TRUE(fs::exists(systemEntry));

    std::smatch sweep;
    ASSERT_TRUE(std::regex_search(cleaned.out, sweep, std::regex("--sweep ([0-9A-F-]{36})"))) << cleaned.out;
    const auto undone = cli({"undo", "--sweep", sweep[1]});
    ASSERT_EQ(undone.status, 0) << undone.out;
    const auto restored = everything();
    for (const auto& path : changed) EXPECT_EQ(restored.at(path), before.at(path)) << path;
    for (const auto& path : {removed[6], removed[7]}) {
        for (const auto& [entry, contents] : before) {
            if (!isWithin(entry, path)) continue;
            EXPECT_EQ(restored.contains(entry) ? restored.at(entry) : "(missing)", contents) << entry;
        }
    }
}

// Entries started for every user are listed apart, counted nowhere, and a
// clean of their category leaves them alone and succeeds.
TEST_F(LinuxHomeCommandsTest, TheComputersStartupEntriesAreListedApartAndNeverCleaned) {
    const auto systemEntry = (fixture.systemRoot / "etc/xdg/autostart/indexer.desktop").string();
    const auto userEntry = (fixture.home / ".config/autostart/sync.desktop").string();
    const auto text = cli({"scan", "--category", "Startup Items"});
    ASSERT_EQ(text.status, 0) << text.out;
    const auto apart = text.out.find("only an administrator can remove these:");
    ASSERT_NE(apart, std::string::npos) << text.out;
    EXPECT_LT(text.out.find(userEntry), apart);
    EXPECT_GT(text.out.find(systemEntry), apart);
    EXPECT_EQ(text.out.find("[ ] Indexer"), std::string::npos) << text.out;

    for (const auto& item : nlohmann::json::parse(cli({"scan", "--category", "Startup Items", "--json"}).out)) {
        const bool computers = item["path"] == systemEntry;
        EXPECT_EQ(item.value("readOnly", false), computers) << item.dump();
        EXPECT_FALSE(item["selected"].get<bool>());
    }

    const auto cleaned = cli({"clean", "--select", "category:Startup Items"});
    EXPECT_EQ(cleaned.status, 0) << cleaned.out;
    EXPECT_NE(cleaned.out.find("0 items failed"), std::string::npos) << cleaned.out;
    EXPECT_FALSE(fs::exists(userEntry));
    EXPECT_TRUE(fs::exists(systemEntry));
}

// With --home, the machine's own folders are out of reach unless --system-root names them.
TEST(LinuxHomeSystemRootTest, AGivenHomeNeverReachesTheMachinesSharedFolders) {
    TempDir dir;
    const auto home = dir.makeDirectory("home");
    char pattern[] = "/var/tmp/zentrel-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path shared(pattern);
    {
        std::ofstream(shared / "blob").put('x');
        fs::resize_file(shared / "blob", 10'000'100);
    }
    const auto scan = runCli({"scan", "--home", home.string(), "--category", "System Caches", "--json"});
    const auto clean = runCli({"clean", "--home", home.string(), "--select", shared.string()});
    const bool stillThere = fs::exists(shared / "blob");
    fs::remove_all(shared);
    EXPECT_EQ(scan.out.find(shared.string()), std::string::npos) << scan.out;
    EXPECT_EQ(clean.status, 2);
    EXPECT_TRUE(stillThere);
}

}  // namespace
}  // namespace zentrel::testing
