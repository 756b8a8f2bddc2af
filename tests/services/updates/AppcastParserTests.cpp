#include "services/updates/AppcastParser.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zentrel::services {
namespace {

std::string feed(const std::string& items) {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="urn:example:updates">
  <channel>
    <title>Zentrel</title>
)" + items + R"(
  </channel>
</rss>)";
}

TEST(AppcastParserTest, ReadsItemsInFeedOrder) {
    auto result = parseAppcast(feed(R"(
    <item>
      <title>Version 1.2</title>
      <sparkle:version>120</sparkle:version>
      <sparkle:shortVersionString> 1.2 </sparkle:shortVersionString>
      <enclosure url="https://example.org/Zentrel-1.2.zip" length="10" type="application/octet-stream"/>
    </item>
    <item>
      <title>Version 1.1</title>
      <enclosure url="https://example.org/Zentrel-1.1.zip" sparkle:version="110" sparkle:shortVersionString="1.1"/>
    </item>)"));
    ASSERT_FALSE(result.error) << *result.error;
    ASSERT_EQ(result.items.size(), 2u);
    EXPECT_EQ(result.items[0],
              (AppcastItem{"Version 1.2", "120", "1.2", "https://example.org/Zentrel-1.2.zip"}));
    EXPECT_EQ(result.items[1],
              (AppcastItem{"Version 1.1", "110", "1.1", "https://example.org/Zentrel-1.1.zip"}));
}

TEST(AppcastParserTest, ItemElementsWinOverEnclosureAttributes) {
    auto result = parseAppcast(feed(R"(
    <item><sparkle:version>7</sparkle:version>
      <enclosure url="u" sparkle:version="6" sparkle:shortVersionString="0.6"/></item>)"));
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].versionString, "7");
    EXPECT_EQ(result.items[0].displayVersionString, "0.6");
}

TEST(AppcastParserTest, MissingVersionsReadEmptyAndDisplayFallsBackToTheVersion) {
    auto result = parseAppcast(feed(R"(<item><title>No versions</title></item>
    <item><sparkle:version>5</sparkle:version></item>)"));
    ASSERT_EQ(result.items.size(), 2u);
    EXPECT_EQ(result.items[0].versionString, "");
    EXPECT_EQ(result.items[0].displayVersionString, "");
    EXPECT_EQ(result.items[1].displayVersionString, "5");
}

TEST(AppcastParserTest, IgnoresItemsOutsideTheChannelAndTextOfNestedElements) {
    auto result = parseAppcast(R"(<rss><item><title>stray</title></item><channel>
      <item><title>Real<b>bold</b></title><x><sparkle:version>9</sparkle:version></x></item></channel></rss>)");
    ASSERT_FALSE(result.error) << *result.error;
    ASSERT_EQ(result.items.size(), 1u);
    EXPECT_EQ(result.items[0].title, "Real");
    EXPECT_EQ(result.items[0].versionString, "");
}

TEST(AppcastParserTest, FeedWithoutItemsIsValidAndEmpty) {
    auto result = parseAppcast(feed(""));
    EXPECT_FALSE(result.error);
    EXPECT_TRUE(result.items.empty());
}

struct BadFeed {
    const char* name;
    std::string document;
    const char* errorPart;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const BadFeed& c, std::ostream* out) { *out << c.name; }

class MalformedAppcastTest : public ::testing::TestWithParam<BadFeed> {};

TEST_P(MalformedAppcastTest, GivesAClearErrorAndNoItems) {
    auto result = parseAppcast(GetParam().document);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_NE(result.error->find(GetParam().errorPart), std::string::npos) << *result.error;
    EXPECT_TRUE(result.items.empty());
}

std::string deeplyNested() {
    std::string document = "<rss><channel><item>";
    for (int i = 0; i < 10000; ++i) document += "<a>";
    return document;
}

std::string manyItems() {
    std::string items;
    for (std::size_t i = 0; i <= kMaxAppcastItems; ++i) items += "<item><sparkle:version>1</sparkle:version></item>";
    return feed(items);
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, MalformedAppcastTest,
    ::testing::Values(
        BadFeed{"Empty", "", "malformed"},
        BadFeed{"NotXml", "this is not a feed", "malformed"},
        BadFeed{"Truncated", feed("<item><title>cut").substr(0, 120), "malformed"},
        BadFeed{"Unclosed", "<rss><channel><item><title>x</title></item>", "malformed"},
        BadFeed{"WrongRoot", "<html><body>Not found</body></html>", "not an RSS document"},
        BadFeed{"DeeplyNested", deeplyNested(), "nested too deeply"},
        BadFeed{"TooManyItems", manyItems(), "too many items"},
        BadFeed{"OverlongField", feed("<item><title>" + std::string(kMaxAppcastFieldBytes + 1, 'x') + "</title></item>"),
                "too long"},
        BadFeed{"OverlongAttribute",
                feed("<item><enclosure url=\"" + std::string(kMaxAppcastFieldBytes + 1, 'x') + "\"/></item>"),
                "too long"},
        BadFeed{"EntityExpansion",
                R"(<?xml version="1.0"?><!DOCTYPE rss [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;">]>
                   <rss><channel><item><title>&b;&b;&b;</title></item></channel></rss>)",
                "document type"},
        BadFeed{"TooLarge", std::string(kMaxAppcastBytes + 1, ' '), "too large"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zentrel::services
