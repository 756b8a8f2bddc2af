#include "doubles/CookieStoreFixtures.hpp"
#include "scanners/privacy/BinaryCookieFile.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentrel::scanners {
namespace {

using testing::BinaryCookie;
using testing::binaryCookieFile;
using testing::binaryCookiePage;
using testing::binaryCookieRecord;

std::vector<std::string> sorted(std::vector<std::string> values) {
    std::sort(values.begin(), values.end());
    return values;
}

// The records of every page of an intact file, in order.
std::vector<std::string> recordsOf(const std::string& file) {
    auto be32 = [&](std::size_t at) {
        return (std::uint32_t(std::uint8_t(file[at])) << 24) | (std::uint32_t(std::uint8_t(file[at + 1])) << 16) |
               (std::uint32_t(std::uint8_t(file[at + 2])) << 8) | std::uint32_t(std::uint8_t(file[at + 3]));
    };
    std::vector<std::string> records;
    const std::uint32_t pages = be32(4);
    std::size_t pageStart = 8 + 4 * std::size_t{pages};
    for (std::uint32_t p = 0; p < pages; ++p) {
        const std::uint32_t size = be32(8 + 4 * p);
        std::size_t at = pageStart + 8;
        for (std::uint32_t r = 0, count = be32(pageStart + 4); r < count; ++r) {
            const std::uint32_t length = be32(at);
            records.push_back(file.substr(at + 4, length));
            at += 4 + length;
        }
        pageStart += size;
    }
    return records;
}

const std::string kTwoPages = binaryCookieFile({
    binaryCookiePage(std::vector<BinaryCookie>{{"example.com"}, {".doubleclick.net"}, {"Hotjar.com"}}),
    binaryCookiePage(std::vector<BinaryCookie>{{"doubleclick.net"}, {"news.example.org"}}),
});

TEST(BinaryCookieFileTest, ReadsTheDistinctHostsOfEveryPage) {
    BinaryCookieFile file(kTwoPages);
    EXPECT_TRUE(file.hasMagic());
    EXPECT_TRUE(file.isIntact());
    EXPECT_EQ(sorted(file.hosts()), (std::vector<std::string>{".doubleclick.net", "Hotjar.com", "doubleclick.net",
                                                              "example.com", "news.example.org"}));
}

TEST(BinaryCookieFileTest, RecordsWithoutTheHostFlagOrWithBadFieldsNameNoHost) {
    EXPECT_EQ(BinaryCookieFile::recordHost(binaryCookieRecord({"a.com"})), "a.com");
    EXPECT_EQ(BinaryCookieFile::recordHost(binaryCookieRecord({"a.com", 5})), "a.com");
    EXPECT_EQ(BinaryCookieFile::recordHost(binaryCookieRecord({"a.com", 0})), std::nullopt);
    EXPECT_EQ(BinaryCookieFile::recordHost(binaryCookieRecord({"a.com", 3})), std::nullopt);
    EXPECT_EQ(BinaryCookieFile::recordHost(binaryCookieRecord({"caf\xc3\xa9.fr"})), "caf\xc3\xa9.fr");
    EXPECT_EQ(BinaryCookieFile::recordHost(binaryCookieRecord({"bad\xc3.fr"})), std::nullopt);
    EXPECT_EQ(BinaryCookieFile::recordHost(binaryCookieRecord({"over\xc0\xaflong.fr"})), std::nullopt);
    std::string record = binaryCookieRecord({"a.com"});
    EXPECT_EQ(BinaryCookieFile::recordHost(record.substr(0, record.size() - 1)), std::nullopt);
    EXPECT_EQ(BinaryCookieFile::recordHost(record.substr(0, 27)), std::nullopt);
    record[24] = '\xff';  // the first field's length runs past the record
    EXPECT_EQ(BinaryCookieFile::recordHost(record), std::nullopt);
}

TEST(BinaryCookieFileTest, RoundTripsWhatTheFixtureWrote) {
    BinaryCookieFile file(kTwoPages);
    auto rewrite = file.removingHosts({});
    EXPECT_EQ(rewrite.removedCount, 0);
    EXPECT_EQ(rewrite.contents, kTwoPages);
}

TEST(BinaryCookieFileTest, RemovesMatchingHostsAndKeepsEveryOtherRecordByteForByte) {
    const std::string unflaggedTracker = binaryCookieRecord({"doubleclick.net", 0});
    const std::string original = binaryCookieFile({
        binaryCookiePage({binaryCookieRecord({"example.com"}), binaryCookieRecord({".DoubleClick.net"}),
                          unflaggedTracker, binaryCookieRecord({"x.doubleclick.net"})}),
        binaryCookiePage(std::vector<BinaryCookie>{{"doubleclick.net"}}),
        binaryCookiePage(std::vector<BinaryCookie>{{"..doubleclick.net"}, {"apple.com", 4, "sid", "abc"}}),
    });
    auto rewrite = BinaryCookieFile(original).removingHosts({normalizedCookieDomain(".DOUBLECLICK.net")});
    EXPECT_EQ(rewrite.removedCount, 2);

    BinaryCookieFile rewritten(rewrite.contents);
    ASSERT_TRUE(rewritten.isIntact());
    EXPECT_EQ(recordsOf(rewrite.contents),
              (std::vector<std::string>{binaryCookieRecord({"example.com"}), unflaggedTracker,
                                        binaryCookieRecord({"x.doubleclick.net"}),
                                        binaryCookieRecord({"..doubleclick.net"}),
                                        binaryCookieRecord({"apple.com", 4, "sid", "abc"})}));
    // The emptied second page stays as its header and a count of 0.
    const std::string emptiedPage = binaryCookiePage(std::vector<std::string>{});
    EXPECT_NE(rewrite.contents.find(emptiedPage), std::string::npos);
    EXPECT_EQ(rewrite.contents.substr(4, 4), std::string("\0\0\0\3", 4));
}

TEST(BinaryCookieFileTest, KeepsEachPageHeaderAndDropsWhatFollowsTheLastPage) {
    const std::string header("\xAB\xCD\xEF\x01", 4);
    const std::string page =
        binaryCookiePage({binaryCookieRecord({"a.com"}), binaryCookieRecord({"hotjar.com"})}, header);
    auto rewrite = BinaryCookieFile(binaryCookieFile({page}) + "trailer").removingHosts({"hotjar.com"});
    EXPECT_EQ(rewrite.removedCount, 1);
    EXPECT_EQ(rewrite.contents, binaryCookieFile({binaryCookiePage({binaryCookieRecord({"a.com"})}, header)}));
}

TEST(BinaryCookieFileTest, PagesShorterThanNineBytesComeBackUnchanged) {
    const std::string shortPage("\0\0\1\0\0\0\0\0", 8);
    auto rebuilt = BinaryCookieFile::rebuildPage(shortPage, {"a.com"});
    EXPECT_EQ(rebuilt.contents, shortPage);
    EXPECT_EQ(rebuilt.removedCount, 0);
}

TEST(BinaryCookieFileTest, NormalisedDomainsDropOneDotAndLowerCaseOnly) {
    EXPECT_EQ(normalizedCookieDomain(".Example.COM"), "example.com");
    EXPECT_EQ(normalizedCookieDomain("..a.com"), ".a.com");
    EXPECT_EQ(normalizedCookieDomain(" a.com"), " a.com");
}

struct DamagedFileCase {
    const char* name;
    std::string contents;
    std::vector<std::string> readableHosts;  // what the lenient reader still finds
};
// Failures name the case rather than dump its bytes.
void PrintTo(const DamagedFileCase& c, std::ostream* out) { *out << c.name; }

class DamagedBinaryCookieFileTest : public ::testing::TestWithParam<DamagedFileCase> {};

TEST_P(DamagedBinaryCookieFileTest, IsNotIntactAndReadsOnlyUpToTheDamage) {
    BinaryCookieFile file(GetParam().contents);
    EXPECT_FALSE(file.isIntact());
    EXPECT_EQ(sorted(file.hosts()), GetParam().readableHosts);
}

std::string withByte(std::string bytes, std::size_t at, char value) {
    bytes[at] = value;
    return bytes;
}

const std::string kPageA = binaryCookiePage(std::vector<BinaryCookie>{{"a.com"}, {"b.com"}});
const std::string kPageC = binaryCookiePage(std::vector<BinaryCookie>{{"c.com"}});
const std::string kGood = binaryCookieFile({kPageA, kPageC});
const std::size_t kPageCStart = 16 + kPageA.size();

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedBinaryCookieFileTest,
    ::testing::Values(
        DamagedFileCase{"WrongMagic", "COOK" + kGood.substr(4), {}},
        DamagedFileCase{"NoMagicAtAll", std::string(64, '\0'), {}},
        DamagedFileCase{"EightBytes", kGood.substr(0, 8), {}},
        DamagedFileCase{"TruncatedHeader", kGood.substr(0, 6), {}},
        DamagedFileCase{"TruncatedPageTable", kGood.substr(0, 13), {}},
        DamagedFileCase{"PageCountTooLarge", withByte(kGood, 7, '\x09'), {}},
        DamagedFileCase{"PageCountHuge", withByte(kGood, 4, '\x7f'), {}},
        DamagedFileCase{"FirstPageSizePastTheEnd", withByte(kGood, 8, '\x40'), {}},
        DamagedFileCase{"LastPageTruncated", kGood.substr(0, kGood.size() - 3), {"a.com", "b.com"}},
        DamagedFileCase{"RecordCountTooLarge", withByte(kGood, kPageCStart + 7, '\x05'), {"a.com", "b.com", "c.com"}},
        DamagedFileCase{"RecordLengthPastThePage", withByte(kGood, kPageCStart + 8, '\x70'), {"a.com", "b.com"}},
        DamagedFileCase{"PageShorterThanItsPreamble",
                        binaryCookieFile({kPageA, std::string("\0\0\1", 3)}), {"a.com", "b.com"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BinaryCookieFileTest, SurvivesEveryTruncationAndSingleByteCorruption) {
    const std::string good = binaryCookieFile({kPageA, kPageC, binaryCookiePage(std::vector<BinaryCookie>{})});
    for (std::size_t length = 0; length < good.size(); ++length) {
        BinaryCookieFile file(good.substr(0, length));
        EXPECT_FALSE(file.isIntact()) << length;
        (void)file.hosts();
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (unsigned char value : {0x00, 0x01, 0x7f, 0x80, 0xff}) {
            BinaryCookieFile file(withByte(good, at, static_cast<char>(value)));
            (void)file.hosts();
            if (file.isIntact()) (void)file.removingHosts({"a.com", "c.com"});
        }
    }
}

}  // namespace
}  // namespace zentrel::scanners
