#include "model/CookieDomains.hpp"

#include <gtest/gtest.h>

namespace zentrel::model {
namespace {

struct DomainCount {
    std::vector<std::string> hosts;
    std::size_t distinct;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const DomainCount& c, std::ostream* out) { *out << (c.hosts.empty() ? "no hosts" : c.hosts.front()); }

class CookieDomainCountTest : public ::testing::TestWithParam<DomainCount> {};

TEST_P(CookieDomainCountTest, ADomainCountsOnceWithOrWithoutItsLeadingDot) {
    EXPECT_EQ(distinctCookieDomainCount(GetParam().hosts), GetParam().distinct);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, CookieDomainCountTest,
    ::testing::Values(DomainCount{{}, 0}, DomainCount{{".x.com", "x.com"}, 1}, DomainCount{{".X.com", "x.COM"}, 1},
                      DomainCount{{".a.net", "a.net", "b.a.net", ".b.a.net"}, 2},
                      DomainCount{{"..x.com", "x.com"}, 2},  // only one dot is the cookie's own
                      DomainCount{{".doubleclick.net", "doubleclick.net", ".hotjar.com", "hotjar.com", "t.co", ".t.co"}, 3}));

TEST(CookieDomainsTest, EachDomainKeepsItsFirstSpelling) {
    EXPECT_EQ(distinctCookieDomains({".x.com", "y.com", "x.com", ".Y.com"}), (std::vector<std::string>{".x.com", "y.com"}));
}

struct Within {
    const char* host;
    const char* domain;
    bool within;
};
void PrintTo(const Within& c, std::ostream* out) { *out << c.host << " in " << c.domain; }

class CookieHostWithinTest : public ::testing::TestWithParam<Within> {};

TEST_P(CookieHostWithinTest, AHostLiesWithinItsDomainAndItsParents) {
    EXPECT_EQ(cookieHostIsWithin(GetParam().host, GetParam().domain), GetParam().within);
}

INSTANTIATE_TEST_SUITE_P(Hosts, CookieHostWithinTest,
                         ::testing::Values(Within{".x.com", "x.com", true}, Within{"a.x.com", ".x.com", true},
                                           Within{"ax.com", "x.com", false}, Within{"x.com", "a.x.com", false},
                                           Within{"x.com", "", false}));

}  // namespace
}  // namespace zentrel::model
