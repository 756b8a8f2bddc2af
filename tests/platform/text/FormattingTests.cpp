#include "doubles/ScopedDesktopTexts.hpp"
#include "platform/text/Base64.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "platform/text/RelativeDateFormatter.hpp"
#include "platform/text/Uuid.hpp"

#include <gtest/gtest.h>

#include <set>

namespace zentrel::platform {
namespace {

struct ByteCountCase {
    std::int64_t bytes;
    ByteCountStyle style;
    const char* english;
    const char* vietnamese;
};

// Sizes as the screens get them, in both languages of the window.
TEST(ByteCountFormatterTest, WritesSizesInTheWindowsLanguage) {
    constexpr auto file = ByteCountStyle::file;
    constexpr auto memory = ByteCountStyle::memory;
    const ByteCountCase cases[] = {
        {0, file, "0 KB", "0 KB"},
        {0, memory, "0 KB", "0 KB"},
        {1, file, "1 byte", "1 byte"},
        {999, file, "999 bytes", "999 byte"},
        {1000, file, "1 KB", "1 KB"},
        {1499, file, "1 KB", "1 KB"},
        {1500, file, "2 KB", "2 KB"},
        {999'499, file, "999 KB", "999 KB"},
        {999'999, file, "1 MB", "1 MB"},
        {1'500'000, file, "1.5 MB", "1,5 MB"},
        {2'000'000, file, "2 MB", "2 MB"},
        {17'600'000, file, "17.6 MB", "17,6 MB"},
        {243'000'000, file, "243 MB", "243 MB"},
        {55'060'000'000, file, "55.06 GB", "55,06 GB"},
        {270'550'000'000, file, "270.55 GB", "270,55 GB"},
        {1'234'567'890, file, "1.23 GB", "1,23 GB"},
        {1'200'000'000, file, "1.2 GB", "1,2 GB"},
        {1'234'500'000'000, file, "1.23 TB", "1,23 TB"},
        {5'000'000'000'000, file, "5 TB", "5 TB"},
        {-1'500'000, file, "-1.5 MB", "-1,5 MB"},
        {-17'600'000, file, "-17.6 MB", "-17,6 MB"},
        {1024, memory, "1 KB", "1 KB"},
        {1000, memory, "1,000 bytes", "1.000 byte"},
        {1536LL * 1024, memory, "1.5 MB", "1,5 MB"},
        {2'190'433'321, memory, "2.04 GB", "2,04 GB"},
        {25'275'865'006, memory, "23.54 GB", "23,54 GB"},
        {16LL * 1024 * 1024 * 1024, memory, "16 GB", "16 GB"},
    };
    for (const auto& [language, column] : {std::pair{"en", &ByteCountCase::english}, std::pair{"vi", &ByteCountCase::vietnamese}}) {
        const testing::ScopedDesktopTexts texts(language);
        for (const auto& each : cases) EXPECT_EQ(formatByteCount(each.bytes, each.style), each.*column) << language << " " << each.bytes;
    }
}

struct NumberCase {
    double value;
    int maxFractionDigits;
    const char* english;
    const char* vietnamese;
};

TEST(NumberFormatterTest, GroupsThousandsAndWritesDecimalsInTheWindowsLanguage) {
    const NumberCase cases[] = {
        {0, 0, "0", "0"},
        {1, 0, "1", "1"},
        {999, 0, "999", "999"},
        {1000, 0, "1,000", "1.000"},
        {17.6, 1, "17.6", "17,6"},
        {1234.5, 1, "1,234.5", "1.234,5"},
        {1'234'567, 0, "1,234,567", "1.234.567"},
        {2.5, 0, "3", "3"},
        {-1234.56, 2, "-1,234.56", "-1.234,56"},
        {3.10, 2, "3.1", "3,1"},
    };
    for (const auto& [language, column] : {std::pair{"en", &NumberCase::english}, std::pair{"vi", &NumberCase::vietnamese}}) {
        const testing::ScopedDesktopTexts texts(language);
        for (const auto& each : cases) EXPECT_EQ(formatNumber(each.value, each.maxFractionDigits), each.*column) << language << " " << each.value;
        EXPECT_EQ(formatNumber(5, 1, 1), language == std::string("en") ? "5.0" : "5,0");
        EXPECT_EQ(formatCount(1'234'567), language == std::string("en") ? "1,234,567" : "1.234.567");
        EXPECT_EQ(formatPercent(42), "42%");
    }
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

TEST(LocalizationTest, APartlyTranslatedLanguageShowsEnglishForWhatItLeavesOut) {
    Localization l10n;
    l10n.addTranslations("en", {{"Dọn dẹp", "Clean Up"}, {"Scanning your Mac", "Scanning your computer"}});
    l10n.addTranslations("fr", {{"Dọn dẹp", "Nettoyer"}});
    l10n.setLanguage("fr");
    EXPECT_EQ(l10n.lookup("Dọn dẹp"), "Nettoyer");
    EXPECT_EQ(l10n.lookup("Scanning your Mac"), "Scanning your computer");
    EXPECT_EQ(l10n.lookup("In no catalog"), "In no catalog");
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
