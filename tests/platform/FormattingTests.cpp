#include "doubles/ScopedDesktopTexts.hpp"
#include "platform/Base64.hpp"
#include "platform/ByteCountFormatter.hpp"
#include "platform/Localization.hpp"
#include "platform/RelativeDateFormatter.hpp"
#include "platform/Uuid.hpp"

#include <gtest/gtest.h>

#include <set>

namespace zentrel::platform {
namespace {

TEST(ByteCountFormatterTest, FileStyleUsesDecimalUnits) {
    const testing::ScopedDesktopTexts english;
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "Zero KB"},
        {1, "1 byte"},
        {999, "999 bytes"},
        {1000, "1 KB"},
        {1499, "1 KB"},
        {1500, "2 KB"},
        {999'499, "999 KB"},
        {999'999, "1 MB"},
        {1'500'000, "1.5 MB"},
        {2'000'000, "2 MB"},
        {1'234'567'890, "1.23 GB"},
        {1'200'000'000, "1.2 GB"},
        {5'000'000'000'000, "5 TB"},
        {-1'500'000, "-1.5 MB"},
    };
    for (auto [bytes, text] : cases) EXPECT_EQ(formatByteCount(bytes), text) << bytes;
}

TEST(ByteCountFormatterTest, MemoryStyleUsesBinaryUnits) {
    EXPECT_EQ(formatByteCount(1024, ByteCountStyle::memory), "1 KB");
    EXPECT_EQ(formatByteCount(1000, ByteCountStyle::memory), "1,000 bytes");
    EXPECT_EQ(formatByteCount(1536LL * 1024, ByteCountStyle::memory), "1.5 MB");
    EXPECT_EQ(formatByteCount(16LL * 1024 * 1024 * 1024, ByteCountStyle::memory), "16 GB");
}

TEST(UuidTest, RandomIdsAreVersion4AndParseBack) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        auto id = Uuid::random();
        auto text = id.string();
        ASSERT_EQ(text.size(), 36u);
        EXPECT_EQ(text[14], '4');
        EXPECT_EQ(Uuid::parse(text), id);
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 100u);
}

TEST(UuidTest, ParseAcceptsLowerCaseAndRejectsMalformedText) {
    auto id = Uuid::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->string(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    EXPECT_FALSE(Uuid::parse("E621E1F8C36C-495A-93FC-0C247A3E6E5F0"));
    EXPECT_FALSE(Uuid::parse("G621E1F8-C36C-495A-93FC-0C247A3E6E5F"));
    EXPECT_FALSE(Uuid::parse(""));
    EXPECT_TRUE(Uuid().isNil());
}

TEST(Base64Test, RoundTripsEveryPaddingLength) {
    for (std::size_t n = 0; n < 8; ++n) {
        Bytes bytes;
        for (std::size_t i = 0; i < n; ++i) bytes.push_back(static_cast<std::uint8_t>(250 + i));
        EXPECT_EQ(base64Decode(base64Encode(bytes)), bytes);
    }
    EXPECT_EQ(base64Encode(bytesOf("Man")), "TWFu");
    EXPECT_EQ(base64Encode(bytesOf("Ma")), "TWE=");
    EXPECT_FALSE(base64Decode("TWF"));
    EXPECT_FALSE(base64Decode("T=Fu"));
    EXPECT_FALSE(base64Decode("TW!u"));
}

TEST(LocalizationTest, MissingTranslationReturnsTheKey) {
    Localization& l10n = Localization::shared();
    l10n.addTranslations("vi", {{"Settings", "Cài đặt"}});
    l10n.setLanguage("vi");
    EXPECT_EQ(localized("Settings"), "Cài đặt");
    EXPECT_EQ(localized("Untranslated"), "Untranslated");
    l10n.setLanguage("en");
    EXPECT_EQ(localized("Settings"), "Settings");
}

TEST(RelativeDateTest, UnderAMinuteIsNowAndLongerTakesTheLargestUnit) {
    const auto now = Date::fromTimeIntervalSince1970(1'700'000'000);
    EXPECT_EQ(formatRelativeAbbreviated(now, now, "en"), "now");
    EXPECT_EQ(formatRelativeFull(now.addingTimeInterval(-42), now, "en"), "now");
    EXPECT_EQ(formatRelativeAbbreviated(now.addingTimeInterval(-2 * 3600), now, "en"), "2 hr. ago");
    EXPECT_EQ(formatRelativeFull(now.addingTimeInterval(23 * 3600 + 5), now, "en"), "in 23 hours");
    EXPECT_NE(formatRelativeAbbreviated(now, now, "vi"), "now") << "Vietnamese has its own word";
    for (const double seconds : {0.0, -59.0, 59.0}) EXPECT_TRUE(isJustNow(now.addingTimeInterval(seconds), now)) << seconds;
    for (const double seconds : {-60.0, 60.0}) EXPECT_FALSE(isJustNow(now.addingTimeInterval(seconds), now)) << seconds;
}

TEST(LocalizationTest, FormatsFillSlotsInOrderOrByNumber) {
    EXPECT_EQ(localizedFormat("%lld items, %@", {"3", "2 MB"}), "3 items, 2 MB");
    EXPECT_EQ(localizedFormat("%1$lld of %2$lld items", {"3", "7"}), "3 of 7 items");
    EXPECT_EQ(localizedFormat("%2$@ / %1$@ costs $5", {"a", "b"}), "b / a costs $5");
    EXPECT_EQ(localizedFormat("$5 for %@", {"you"}), "$5 for you");
}

}  // namespace
}  // namespace zentrel::platform
