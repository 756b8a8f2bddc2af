// Every text the tests of this program looked up is checked at its end: an
// English and a Vietnamese entry, and no other system's words in either.
// The items of a scan in a Vietnamese window read in Vietnamese, texts made
// of names and dates included.

#include "engine/BackupLargeFileAndMailScanners.hpp"
#include "engine/CacheAndTrashScanners.hpp"
#include "engine/DeveloperToolScanners.hpp"
#include "engine/LinuxHomeEngine.hpp"

#include "doubles/FakeFileSystem.hpp"
#include "doubles/ScopedDesktopTexts.hpp"
#include "doubles/TranslationCoverage.hpp"

#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const bool registered = (zentrel::testing::checkLookedUpKeysAtExit(), true);

}  // namespace

namespace zentrel::engine {
namespace {

// The texts a result row shows of an item, as the window shows them: its
// title unless that is the entry's own name (a file, a device, a browser
// profile), its description unless that lists domains, its warning, a
// suggested command's comment; the name of an item that stands for no entry
// is a text too.
std::vector<std::string> shownTexts(const model::CleanItem& item) {
    std::vector<std::string> texts;
    if (item.path.empty()) texts.push_back(item.name);
    const bool cookies = item.privacyBrowser.has_value();
    if (!item.friendlyName.empty() && item.friendlyName != item.name && !cookies) texts.push_back(item.friendlyName);
    if (!item.friendlyDescription.empty() && !cookies) texts.push_back(platform::localized(item.friendlyDescription));
    if (item.warningMessage) texts.push_back(platform::localized(*item.warningMessage));
    if (item.suggestedCommand && item.suggestedCommand->find('#') != std::string::npos)
        texts.push_back(*item.suggestedCommand);  // a command with a comment for the reader
    return texts;
}

void expectVietnamese(const CleanerEngine::Items& items) {
    ASSERT_FALSE(items.empty());
    for (const auto& item : items) {
        for (const auto& text : testing::textsNotIn("vi", shownTexts(item)))
            ADD_FAILURE() << "not Vietnamese, on " << item.name << ": \"" << text << "\"";
    }
}

TEST(VietnameseScanTexts, EveryItemOfALinuxHomeReadsInVietnamese) {
    testing::ScopedDesktopTexts vietnamese("vi");
    testing::LinuxHomeEngine home("vi");
    expectVietnamese(home.engine.runFullScan(true, true, [](double, const std::string&) {}));
    home.main.drain();
}

// Texts made of a device's or a project's name, a date or a count.
TEST(VietnameseScanTexts, TextsMadeOfNamesAndDatesReadInVietnamese) {
    testing::ScopedDesktopTexts vietnamese("vi");
    const auto now = platform::Date::fromTimeIntervalSince1970(1'800'000'000);
    const auto old = now.addingTimeInterval(-400 * 86400.0);
    const std::string home = "/Users/me";
    const auto mac = platform::HostTable::macos(platform::HostLayout::forHome(home, "/"));
    testing::FakeFileSystem fs;
    const auto file = [&fs](const std::string& path, std::int64_t bytes, platform::Date modified) {
        fs.addFile(path, {.size = bytes, .allocatedSize = bytes, .modified = modified, .contents = {}});
    };
    fs.addTextFile(mac.deviceBackups + "/0001/Info.plist",
                   R"(<?xml version="1.0"?><plist version="1.0"><dict><key>Device Name</key><string>Lan's iPhone</string></dict></plist>)");
    for (const char* project : {"/Code/old", "/Code/older"}) {
        fs.addTextFile(home + project + "/package.json", "{}");
        file(home + project + "/node_modules/pkg/index.js", 50'000'000, old);
        fs.setModificationDate(home + project, old);
    }
    file(home + "/Downloads/movie.mkv", 100'000'001, old);
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    CleanerEngine engine(fs, pool, main, "vi");

    expectVietnamese(scanIOSBackups(engine, mac));
    expectVietnamese(scanDevProjects(engine, home, now));
    expectVietnamese(scanTrashAndDownloads(engine, mac, now));
}

}  // namespace
}  // namespace zentrel::engine
