#include "scanners/privacy/TrackerHosts.hpp"

#include <gtest/gtest.h>

#include <thread>

namespace zentrel::scanners {
namespace {

TEST(TrackerHostsTest, KnownDomainsAreSixtyOneLowerCaseRegistrableNames) {
    const auto& domains = knownTrackerDomains();
    EXPECT_EQ(domains.size(), 61u);
    for (const auto& domain : domains) {
        SCOPED_TRACE(domain);
        EXPECT_FALSE(domain.starts_with('.'));
        EXPECT_FALSE(domain.ends_with('.'));
        EXPECT_NE(domain.find('.'), std::string::npos);
        EXPECT_EQ(normalizedCookieHost(domain), domain);
    }
    EXPECT_TRUE(domains.contains("doubleclick.net"));
}

TEST(TrackerHostsTest, KnownDomainsAreBuiltOnceForConcurrentFirstCallers) {
    const std::unordered_set<std::string>* seen[4] = {};
    {
        std::jthread threads[4];
        for (int i = 0; i < 4; ++i) threads[i] = std::jthread([&seen, i] { seen[i] = &knownTrackerDomains(); });
    }
    for (auto* set : seen) EXPECT_EQ(set, &knownTrackerDomains());
}

struct NormalizationCase {
    const char* host;
    const char* normalized;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const NormalizationCase& c, std::ostream* out) { *out << c.host; }

class NormalizedCookieHostTest : public ::testing::TestWithParam<NormalizationCase> {};

TEST_P(NormalizedCookieHostTest, Normalizes) {
    EXPECT_EQ(normalizedCookieHost(GetParam().host), GetParam().normalized);
}

INSTANTIATE_TEST_SUITE_P(Cases, NormalizedCookieHostTest,
                         ::testing::Values(NormalizationCase{"example.com", "example.com"},
                                           NormalizationCase{"  .WWW.Example.COM \n", "example.com"},
                                           NormalizationCase{".example.com", "example.com"},
                                           NormalizationCase{"..example.com", ".example.com"},
                                           NormalizationCase{"www.www.example.com", "www.example.com"},
                                           NormalizationCase{"wwwexample.com", "wwwexample.com"},
                                           NormalizationCase{"www", "www"},
                                           NormalizationCase{"\t", ""}));

struct TrackerCase {
    const char* host;
    bool tracker;
};
void PrintTo(const TrackerCase& c, std::ostream* out) { *out << c.host; }

class IsTrackerHostTest : public ::testing::TestWithParam<TrackerCase> {};

TEST_P(IsTrackerHostTest, Decides) {
    EXPECT_EQ(isTrackerHost(GetParam().host), GetParam().tracker) << GetParam().host;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsTrackerHostTest,
    ::testing::Values(
        // Members, also written with capitals, blanks, a leading dot and a "www" label.
        TrackerCase{"doubleclick.net", true}, TrackerCase{" .WWW.DoubleClick.NET ", true},
        TrackerCase{".google-analytics.com", true},
        // Subdomains of members at any depth.
        TrackerCase{"stats.g.doubleclick.net", true}, TrackerCase{"a.b.c.hotjar.com", true},
        // A trailing or doubled dot: the suffix test misses, the last two labels catch it.
        TrackerCase{"doubleclick.net.", true}, TrackerCase{"x..hotjar.com", true},
        TrackerCase{"cdn.hotjar.com..", true},
        // Tokens between two labels.
        TrackerCase{"eu.ads.example.com", true}, TrackerCase{"x.ad.example.org", true},
        TrackerCase{"x.track.shop.com", true}, TrackerCase{"x.tracker.shop.com", true},
        TrackerCase{"eu.analytics.shop.com", true}, TrackerCase{"x.metrics.shop.com", true},
        TrackerCase{"x.telemetry.shop.com", true}, TrackerCase{"x.pixel.shop.com", true},
        TrackerCase{"x.beacon.shop.com", true},
        // A token word as the first label has no dot before it.
        TrackerCase{"ads.example.com", false}, TrackerCase{"analytics.shop.com", false},
        TrackerCase{"www.ads.example.com", false},
        // Look-alikes that are not at a label boundary.
        TrackerCase{"notdoubleclick.net", false}, TrackerCase{"doubleclick.net.example.com", false},
        TrackerCase{"example.com", false}, TrackerCase{"badsite.com", false},
        // Too few labels, or nothing at all.
        TrackerCase{"localhost", false}, TrackerCase{"", false}, TrackerCase{" . ", false},
        TrackerCase{".", false}));

TEST(TrackerHostsTest, KeepsTrackersAsGivenOnceEachInAscendingOrder) {
    const std::vector<std::string> hosts = {
        "example.com", "doubleclick.net", ".doubleclick.net", "doubleclick.net", "x.ads.shop.com", "Hotjar.com",
    };
    EXPECT_EQ(trackerHosts(hosts),
              (std::vector<std::string>{".doubleclick.net", "Hotjar.com", "doubleclick.net", "x.ads.shop.com"}));
    EXPECT_TRUE(trackerHosts({"example.com", "apple.com"}).empty());
    EXPECT_TRUE(trackerHosts({}).empty());
}

}  // namespace
}  // namespace zentrel::scanners
