#include "engine/ScanDateFormatter.hpp"
#include "engine/VersionOrder.hpp"

#include <gtest/gtest.h>

namespace zentrel::engine {
namespace {

TEST(VersionOrderTest, DigitRunsCompareByValue) {
    const std::pair<const char*, const char*> ascending[] = {
        {"17.9", "17.10"},
        {"iPhone15,2 9.3", "iPhone15,2 17.0"},
        {"16.4 (20E247)", "16.4 (20E252)"},
        {"16.4", "16.4 (20E247)"},
        {"9", "10"},
        {"a", "b"},
        {"01", "1"},  // equal by value: plain text decides
        {"2.99999999999999999999", "2.100000000000000000000"},
    };
    for (const auto& [lower, higher] : ascending) {
        EXPECT_TRUE(versionOrderLess(lower, higher)) << lower << " < " << higher;
        EXPECT_FALSE(versionOrderLess(higher, lower)) << higher << " !< " << lower;
    }
    EXPECT_FALSE(versionOrderLess("17.0", "17.0"));
}

TEST(ScanDateFormatterTest, MediumDateWithoutTime) {
    ScanDateFormatter formatter("en", "UTC");
    // 2023-11-14 22:13:20 UTC
    EXPECT_EQ(formatter.format(platform::Date::fromTimeIntervalSince1970(1'700'000'000.0)), "Nov 14, 2023");
    ScanDateFormatter tokyo("en", "Asia/Tokyo");
    EXPECT_EQ(tokyo.format(platform::Date::fromTimeIntervalSince1970(1'700'000'000.0)), "Nov 15, 2023");
}

}  // namespace
}  // namespace zentrel::engine
