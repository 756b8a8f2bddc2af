#include "services/updates/VersionComparator.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

struct VersionCase {
    const char* a;
    const char* b;
    std::strong_ordering order;
};

TEST(VersionComparatorTest, OrdersVersionTexts) {
    const auto less = std::strong_ordering::less;
    const auto equal = std::strong_ordering::equal;
    const auto greater = std::strong_ordering::greater;
    const VersionCase cases[] = {
        {"1.0", "1.0", equal},
        {"1.0", "1.0.0", equal},
        {"1.0.0.0", "1", equal},
        {"1.0.1", "1.0", greater},
        {"1.10", "1.9", greater},
        {"2", "10", less},
        {"1.2.3", "1.2.4", less},
        {"1.0b1", "1.0", less},
        {"1.0-beta", "1.0", less},
        {"1.0b2", "1.0b1", greater},
        {"1.0a9", "1.0b1", less},
        {"1.0.0b1", "1.0", less},
        {"1.0rc1", "1.0.1", less},
        {"010", "10", equal},
        {"123456789012345678901234567890", "123456789012345678901234567889", greater},
        {"", "", equal},
        {"", "0", equal},
        {"", "1", less},
        {"0", "0.0.0", equal},
        {"1.0 (42)", "1.0 (41)", greater},
    };
    VersionComparator comparator;
    for (const auto& c : cases) {
        EXPECT_EQ(comparator.compare(c.a, c.b), c.order) << '"' << c.a << "\" vs \"" << c.b << '"';
        EXPECT_EQ(comparator.compare(c.b, c.a), 0 <=> c.order) << '"' << c.b << "\" vs \"" << c.a << '"';
    }
}

}  // namespace
}  // namespace zentrel::services
