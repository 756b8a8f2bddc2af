#include "services/processes/MemorySnapshot.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

struct PressureCase {
    const char* label;
    std::int64_t total;
    std::int64_t used;
    std::int64_t compressed;
    MemoryPressure expected;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const PressureCase& c, std::ostream* out) { *out << c.label; }

class MemoryPressureTest : public ::testing::TestWithParam<PressureCase> {};

TEST_P(MemoryPressureTest, ClassifiesByUsedAndCompressedShares) {
    const auto& c = GetParam();
    MemorySnapshot snapshot;
    snapshot.total = c.total;
    snapshot.used = c.used;
    snapshot.compressed = c.compressed;
    EXPECT_EQ(snapshot.pressure(), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, MemoryPressureTest,
    ::testing::Values(PressureCase{"empty machine", 100'000, 0, 0, MemoryPressure::normal},
                      PressureCase{"used exactly 0.72", 100'000, 72'000, 0, MemoryPressure::normal},
                      PressureCase{"used just above 0.72", 100'000, 72'001, 0, MemoryPressure::warning},
                      PressureCase{"used exactly 0.88", 100'000, 88'000, 0, MemoryPressure::warning},
                      PressureCase{"used just above 0.88", 100'000, 88'001, 0, MemoryPressure::critical},
                      PressureCase{"compressed exactly 0.12", 100'000, 0, 12'000, MemoryPressure::normal},
                      PressureCase{"compressed 0.13", 100'000, 0, 13'000, MemoryPressure::warning},
                      PressureCase{"compressed exactly 0.25", 100'000, 0, 25'000, MemoryPressure::warning},
                      PressureCase{"compressed 0.26", 100'000, 0, 26'000, MemoryPressure::critical},
                      PressureCase{"zero total", 0, 50'000, 50'000, MemoryPressure::normal},
                      PressureCase{"negative total", -1, 50'000, 50'000, MemoryPressure::normal}));

TEST(MemorySnapshotTest, BuildsAppAndUsedFromCounters) {
    MemoryCounters counters{.free = 100, .wired = 30, .compressed = 20, .fileBacked = 400, .anonymous = 250,
                            .purgeable = 50};
    const auto snapshot = MemorySnapshot::from(1000, counters);
    EXPECT_EQ(snapshot, (MemorySnapshot{.total = 1000, .used = 250, .free = 100, .wired = 30, .compressed = 20,
                                        .app = 200, .cached = 400}));
}

TEST(MemorySnapshotTest, PurgeableAboveAnonymousGivesNoNegativeAppMemory) {
    MemoryCounters counters{.free = 10, .wired = 5, .compressed = 0, .fileBacked = 0, .anonymous = 40,
                            .purgeable = 90};
    const auto snapshot = MemorySnapshot::from(1000, counters);
    EXPECT_EQ(snapshot.app, 0);
    EXPECT_EQ(snapshot.used, 5);
}

TEST(MemorySnapshotTest, WithoutCountersEverythingIsFreeAndPressureNormal) {
    const auto snapshot = MemorySnapshot::from(8192, std::nullopt);
    EXPECT_EQ(snapshot, (MemorySnapshot{.total = 8192, .free = 8192}));
    EXPECT_EQ(snapshot.pressure(), MemoryPressure::normal);
}

}  // namespace
}  // namespace zentrel::services
