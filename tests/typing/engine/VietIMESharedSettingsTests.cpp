#include "typing/engine/VietIMESharedSettings.hpp"

#include "platform/files/AtomicFile.hpp"
#include "platform/files/OwnFolderMigration.hpp"
#include "platform/places/HostLayout.hpp"

#include "doubles/RecordingNotificationCenter.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zentrel::typing {
namespace {

namespace shared = VietIMESharedSettings;

class VietIMESharedSettingsTest : public ::testing::Test {
protected:
    testing::TempDir home;
    platform::HostLayout layout = platform::HostLayout::forHome(home.path());
    testing::RecordingNotificationCenter notifications;

    VietIMESharedSnapshot custom() const {
        VietIMEOptions options;
        options.quickTelex = true;
        options.toneRule = VietToneRule::modern;
        return shared::snapshot(true, VietInputMethod::vni, options, {"com.a", "com.b", "com.a"}, false);
    }
};

TEST_F(VietIMESharedSettingsTest, WithoutAFileTypingIsOff) {
    EXPECT_EQ(shared::storageURL(layout), home / ".local/share/zentrel/ime-shared.json");
    auto loaded = shared::load(layout);
    EXPECT_FALSE(loaded.isEnabled);
    EXPECT_EQ(loaded.inputMethod, VietInputMethod::telex);
    EXPECT_EQ(loaded.options, VietIMEOptions::defaultOptions);
    EXPECT_TRUE(loaded.excludedApps.empty());
    EXPECT_TRUE(loaded.useMarkedText);
}

TEST_F(VietIMESharedSettingsTest, SaveCreatesTheFolderWritesSortedCompactJsonAndPosts) {
    ASSERT_TRUE(shared::save({}, layout, notifications));
    auto text = platform::readWholeFile(shared::storageURL(layout));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->find_first_of(" \n"), std::string::npos);
    EXPECT_EQ(text->rfind("{\"excludedApps\":[],\"inputMethod\":\"Telex\",\"isEnabled\":false,"
                          "\"options\":{\"allowRawRestore\":true,",
                          0),
              0u);
    EXPECT_NE(text->find("\"toneRule\":\"classic\"},\"useMarkedText\":true}"), std::string::npos);
    EXPECT_EQ(notifications.posted, std::vector<std::string>{"com.torvane.zentrel.vietIME.settingsDidChange"});
}

TEST_F(VietIMESharedSettingsTest, ASavedSnapshotLoadsBackUnchangedDuplicatesIncluded) {
    ASSERT_TRUE(shared::save(custom(), layout, notifications));
    EXPECT_EQ(shared::load(layout), custom());
}

TEST_F(VietIMESharedSettingsTest, AnIncompleteOrMistypedFileLoadsAsTheDefault) {
    auto full = nlohmann::json::parse(encodeSnapshot(custom()));
    auto withoutOptionKey = full;
    withoutOptionKey["options"].erase("standaloneW");
    auto wrongMethod = full;
    wrongMethod["inputMethod"] = "telex";
    auto wrongListEntry = full;
    wrongListEntry["excludedApps"] = {"com.a", 3};
    auto missingTop = full;
    missingTop.erase("useMarkedText");
    auto withUnknown = full;
    withUnknown["later"] = 1;

    for (const auto& [text, usable] : std::vector<std::pair<std::string, bool>>{
             {withoutOptionKey.dump(), false},
             {wrongMethod.dump(), false},
             {wrongListEntry.dump(), false},
             {missingTop.dump(), false},
             {"{\"excludedApps\":[", false},
             {"[]", false},
             {withUnknown.dump(), true},
         }) {
        home.write(".local/share/zentrel/ime-shared.json", text);
        EXPECT_EQ(shared::load(layout), usable ? custom() : VietIMESharedSnapshot{}) << text;
    }
}

TEST(VietIMESharedSettingsNamesTest, AProgramToSwitchTravelsInItsNotificationsName) {
    EXPECT_EQ(shared::programToToggle(shared::toggleProgramNotification("org.example.Notes")), "org.example.Notes");
    for (const std::string_view other :
         {shared::didChangeNotification, shared::toggleProgramNotificationPrefix, std::string_view("")}) {
        EXPECT_EQ(shared::programToToggle(other), std::nullopt) << other;
    }
}

TEST_F(VietIMESharedSettingsTest, AnUnwritableLocationFailsPostsNothingAndKeepsTheOldFile) {
    home.write(".local/share/zentrel/ime-shared.json", encodeSnapshot(custom()));
    // The file's own path taken by a folder cannot be replaced by a file.
    platform::HostLayout blocked = layout;
    blocked.dataHome = home / "blocked";
    home.makeDirectory("blocked/zentrel/ime-shared.json/inside");
    EXPECT_FALSE(shared::save(custom(), blocked, notifications));

    platform::HostLayout underAFile = layout;
    underAFile.dataHome = home.write("plain-file", "x");
    EXPECT_FALSE(shared::save(custom(), underAFile, notifications));

    EXPECT_TRUE(notifications.posted.empty());
    EXPECT_EQ(shared::load(layout), custom());
}

// The settings an older window wrote are what the input method reads once
// either of them has started.
TEST_F(VietIMESharedSettingsTest, SettingsOfAnOlderRunAreReadFromTheOwnFolderAfterTheMove) {
    home.write(".local/share/com.torvane.zentrel/ime-shared.json", encodeSnapshot(custom()));
    (void)platform::moveLegacyOwnFolders(layout);
    EXPECT_EQ(shared::load(layout), custom());
    EXPECT_EQ(shared::storageURL(layout).parent_path(), layout.ownDataFolder());
}

}  // namespace
}  // namespace zentrel::typing
