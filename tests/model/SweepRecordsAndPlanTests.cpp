#include "model/PersistedSmartCleanupPlan.hpp"
#include "model/SweepRecord.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zentrel::model {
namespace {

CleanItem item(CategoryType category, std::int64_t size, SafetyLevel level, bool recommended, bool selected = false) {
    CleanItem made;
    made.id = platform::Uuid::random();
    made.category = category;
    made.sizeBytes = size;
    made.safetyLevel = level;
    made.isRecommended = recommended;
    made.isSelected = selected;
    return made;
}

TEST(SmartCleanupPlanTest, OnlyRecommendedSafeItemsWhateverIsTicked) {
    EXPECT_EQ(PersistedSmartCleanupPlan::fromItems({}), PersistedSmartCleanupPlan{});
    EXPECT_EQ(PersistedSmartCleanupPlan::fromItems({item(CategoryType::trash, 10, SafetyLevel::review, true, true),
                                                    item(CategoryType::trash, 10, SafetyLevel::safe, false, true)}),
              PersistedSmartCleanupPlan{});

    auto plan = PersistedSmartCleanupPlan::fromItems({
        item(CategoryType::appCaches, 100, SafetyLevel::safe, true),
        item(CategoryType::trash, 5000, SafetyLevel::safe, true),
        item(CategoryType::devTools, 700, SafetyLevel::safe, true, true),
        item(CategoryType::appCaches, 300, SafetyLevel::safe, true),
        item(CategoryType::largeFiles, 9999, SafetyLevel::review, true),
    });
    EXPECT_EQ(plan.itemCount, 4);
    EXPECT_EQ(plan.totalBytes, 6100.0);
    using Row = PersistedSmartCleanupPlan::CategoryRow;
    EXPECT_EQ(plan.categories, (std::vector<Row>{{"Trash & Downloads", 1, 5000.0}, {"Dev Tools", 1, 700.0},
                                                 {"App Caches", 2, 400.0}}));
}

TEST(SmartCleanupPlanTest, JsonRoundTripAndStrictReading) {
    auto plan = PersistedSmartCleanupPlan::fromItems({item(CategoryType::trash, 5000, SafetyLevel::safe, true)});
    auto json = encodePlan(plan);
    EXPECT_EQ(decodePlan(nlohmann::json::parse(json.dump())), plan);

    auto missing = json;
    missing["categories"][0].erase("itemCount");
    EXPECT_THROW((void)decodePlan(missing), DecodingError);
    auto wrongType = json;
    wrongType["itemCount"] = "1";
    EXPECT_THROW((void)decodePlan(wrongType), DecodingError);
    EXPECT_THROW((void)decodePlan(nlohmann::json::array()), DecodingError);
}

TEST(SweepRecordTest, OptionalTextsAreLeftOutAndReadBackAbsent) {
    SweepAction bare{platform::Uuid::random(), SweepActionKind::pasteboardCleared, "Clipboard", {}, {}, {}, false};
    auto json = encodeSweepAction(bare);
    EXPECT_FALSE(json.contains("detail"));
    EXPECT_FALSE(json.contains("backupPath"));
    EXPECT_FALSE(json.contains("originalPath"));
    EXPECT_EQ(json["kind"], "pasteboardCleared");
    EXPECT_EQ(decodeSweepAction(json), bare);

    json["detail"] = nullptr;
    EXPECT_EQ(decodeSweepAction(json).detail, std::nullopt);
    auto restored = bare;
    restored.isRestored = true;
    EXPECT_NE(restored, bare);
}

TEST(SweepRecordTest, TextsThatAreNotUtf8AreStoredExactlyAndReadAsEscapedText) {
    const std::string host = "tr\xE9" "ck.example";  // a Latin-1 byte from a cookie store
    SweepRecord record{platform::Uuid::random(), platform::Date::fromTimeIntervalSinceReferenceDate(1),
                       platform::Date::fromTimeIntervalSinceReferenceDate(2),
                       {{platform::Uuid::random(), SweepActionKind::cookieDomain, "Chrome: " + host, host,
                         "/b/items/Cookies\xFF", "/h/\xC3(/Cookies", false}},
                       1};
    std::string text;
    ASSERT_NO_THROW(text = encodeSweepRecord(record).dump());
    const auto json = nlohmann::json::parse(text);
    EXPECT_EQ(json["actions"][0]["detail"], "tr\\xE9ck.example") << "readers of the plain key see escaped bytes";
    EXPECT_EQ(json["actions"][0]["label"], "Chrome: tr\\xE9ck.example");
    EXPECT_EQ(decodeSweepRecord(json).actions, record.actions);
    EXPECT_FALSE(json["actions"][0].contains("kindBytes"));
}

TEST(SweepRecordTest, RecordRoundTripKeepsDatesAndRejectsUnknownKinds) {
    SweepRecord record{platform::Uuid::random(), platform::Date::fromTimeIntervalSinceReferenceDate(786000000.123456),
                       platform::Date::fromTimeIntervalSinceReferenceDate(786086400.123456),
                       {{platform::Uuid::random(), SweepActionKind::cookieDomain, "Chrome cookies", "3 trackers",
                         "/b/1/Cookies", "/h/Cookies", false}},
                       4096};
    auto json = nlohmann::json::parse(encodeSweepRecord(record).dump());
    EXPECT_EQ(json["date"].get<double>(), 786000000.123456);
    EXPECT_EQ(json["id"].get<std::string>(), record.id.string());
    auto decoded = decodeSweepRecord(json);
    EXPECT_EQ(decoded.id, record.id);
    EXPECT_EQ(decoded.date, record.date);
    EXPECT_EQ(decoded.expiresAt, record.expiresAt);
    EXPECT_EQ(decoded.actions, record.actions);
    EXPECT_EQ(decoded.freedBytes, 4096);

    EXPECT_TRUE(record.isExpired(record.expiresAt));
    EXPECT_FALSE(record.isExpired(record.expiresAt.addingTimeInterval(-1)));

    for (auto corrupt : {std::pair<const char*, nlohmann::json>{"kind", "cookie"}, {"kind", 1}, {"id", "not-a-uuid"},
                         {"isRestored", "false"}, {"label", nullptr}}) {
        auto bad = json;
        bad["actions"][0][corrupt.first] = corrupt.second;
        EXPECT_THROW((void)decodeSweepRecord(bad), DecodingError) << corrupt.first;
    }
    auto noActions = json;
    noActions.erase("actions");
    EXPECT_THROW((void)decodeSweepRecord(noActions), DecodingError);
}

}  // namespace
}  // namespace zentrel::model
