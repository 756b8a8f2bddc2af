#include "model/BrowserKind.hpp"
#include "model/DuplicateGroup.hpp"
#include "model/InstalledApp.hpp"
#include "model/PrivacyGroup.hpp"
#include "model/UninstallItem.hpp"

#include "platform/text/ByteCountFormatter.hpp"

#include <gtest/gtest.h>

namespace zentrel::model {
namespace {

DuplicateMember member(std::string id, std::int64_t size, bool keeper) {
    return {.id = std::move(id), .path = "/p", .sizeBytes = size, .modifiedAt = {}, .pixelWidth = {},
            .pixelHeight = {}, .isKeeper = keeper};
}

TEST(DuplicateGroupTest, RemovableMembersAreTheNonKeepersInOrder) {
    DuplicateGroup group{"g", DuplicateKind::exactBytes, {member("a", 1000, false), member("b", 1000, true), member("c", 1000, false)}};
    auto removable = group.removableMembers();
    ASSERT_EQ(removable.size(), 2u);
    EXPECT_EQ(removable[0].id, "a");
    EXPECT_EQ(removable[1].id, "c");
    EXPECT_EQ(group.reclaimableSizeText(), platform::formatByteCount(2000));

    DuplicateGroup allKept{"k", DuplicateKind::exactBytes, {member("a", 10, true), member("b", 10, true)}};
    EXPECT_TRUE(allKept.removableMembers().empty());
    EXPECT_EQ(allKept.reclaimableSizeText(), platform::formatByteCount(0));

    auto dated = member("a", 1000, false);
    dated.modifiedAt = platform::Date::fromTimeIntervalSince1970(0);
    EXPECT_NE(dated, member("a", 1000, false));
}

TEST(KindTextsTest, ExactCaseNamesOnlyAndStrictJson) {
    EXPECT_EQ(browserKindFromRaw("arc"), BrowserKind::arc);
    EXPECT_EQ(browserKindFromRaw("Safari"), std::nullopt);
    EXPECT_EQ(nlohmann::json(BrowserKind::firefox), "firefox");
    EXPECT_EQ(nlohmann::json("perceptualImage").get<DuplicateKind>(), DuplicateKind::perceptualImage);
    EXPECT_EQ(nlohmann::json("recentsList").get<PrivacyKind>(), PrivacyKind::recentsList);
    EXPECT_THROW((void)nlohmann::json("perceptualimage").get<DuplicateKind>(), DecodingError);
    EXPECT_THROW((void)nlohmann::json(3).get<BrowserKind>(), DecodingError);
    EXPECT_THROW((void)nlohmann::json("cookie").get<PrivacyKind>(), DecodingError);
    for (auto kind : kAllBrowserKinds) EXPECT_EQ(browserKindFromRaw(rawValue(kind)), kind);
}

TEST(UninstallRecordsTest, KindLabelsIdentityAndEquality) {
    for (std::size_t i = 0; i < kUninstallItemKinds.size(); ++i) {
        const auto kind = kUninstallItemKinds[i].kind;
        EXPECT_EQ(static_cast<std::size_t>(kind), i);
        EXPECT_EQ(uninstallItemKindFromRaw(rawValue(kind)), kind);
    }
    EXPECT_EQ(displayName(UninstallItemKind::caches), "Bộ nhớ đệm");
    EXPECT_EQ(displayName(UninstallItemKind::webData), "Dữ liệu web");
    EXPECT_EQ(displayName(UninstallItemKind::preferences), "Tuỳ chọn");
    // Precomposed: "ộ" is one code point (three bytes in UTF-8).
    EXPECT_EQ(displayName(UninstallItemKind::caches).size(), std::string_view("B\u1ED9 nh\u1EDB \u0111\u1EC7m").size());
    EXPECT_EQ(icon(UninstallItemKind::launchAgents), "bolt.badge.clock.fill");
    EXPECT_EQ(uninstallItemKindFromRaw("Caches"), std::nullopt);

    InstalledApp noID{"Tool", "", "/Applications/Tool.app", "1"};
    EXPECT_EQ(noID.id(), "/Applications/Tool.app");
    InstalledApp a{"A", "com.a", "/Applications/A.app", "1"};
    InstalledApp b{"A", "com.a", "/home/u/Applications/A.app", "1"};
    EXPECT_EQ(a.id(), b.id());
    EXPECT_NE(a, b);
}

TEST(PrivacyGroupTest, TargetOrderAndBrowserCount) {
    PrivacyTarget one{"1", "Cookies", "/c", {"t.com"}, 10, true};
    PrivacyTarget two{"2", "Cookies", "/d", {}, 20, false};
    PrivacyGroup group{"g", PrivacyKind::trackerCookie, BrowserKind::chrome, "t", "d", {one, two}, 1};
    auto swapped = group;
    std::swap(swapped.targets[0], swapped.targets[1]);
    EXPECT_NE(group, swapped);
    auto noBrowser = group;
    noBrowser.browser.reset();
    EXPECT_NE(group, noBrowser);
}

}  // namespace
}  // namespace zentrel::model
