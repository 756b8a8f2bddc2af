#include "services/processes/CpuPercent.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

struct CpuCase {
    const char* label;
    std::uint64_t before;
    std::uint64_t after;
    double elapsedNanos;
    int processors;
    double expected;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const CpuCase& c, std::ostream* out) { *out << c.label; }

class CpuPercentTest : public ::testing::TestWithParam<CpuCase> {};

TEST_P(CpuPercentTest, ComputesShareOfOneCore) {
    const auto& c = GetParam();
    const ProcessSample previous{7, 0, c.before};
    const ProcessSample current{7, 0, c.after};
    EXPECT_DOUBLE_EQ(cpuPercent(&previous, current, c.elapsedNanos, c.processors), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Deltas, CpuPercentTest,
    ::testing::Values(CpuCase{"half a core", 1'000'000'000, 1'500'000'000, 1e9, 4, 50.0},
                      CpuCase{"two cores", 0, 6'000'000'000, 3e9, 4, 200.0},
                      CpuCase{"idle", 5, 5, 1e9, 4, 0.0},
                      CpuCase{"capped at every core", 0, 10'000'000'000, 1e9, 4, 400.0},
                      CpuCase{"counter went back", 9'000'000'000, 1'000'000'000, 1e9, 4, 0.0},
                      CpuCase{"elapsed below 1 ns counts as 1 ns", 0, 1, 0.0, 8, 100.0}));

TEST(CpuPercentTest, NoPreviousReadingGivesZero) {
    EXPECT_EQ(cpuPercent(nullptr, ProcessSample{7, 0, 123'456'789}, 1e9, 4), 0.0);
}

}  // namespace
}  // namespace zentrel::services
