#include "services/updates/BestValidUpdate.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

AppcastItem item(const char* display, const char* build, const char* title = "") {
    return AppcastItem{title, build, display, ""};
}

struct PickCase {
    const char* name;
    std::vector<AppcastItem> items;
    std::optional<std::string> pickedTitle;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const PickCase& c, std::ostream* out) { *out << c.name; }

class BestValidUpdateTest : public ::testing::TestWithParam<PickCase> {};

// The app is display version 1.0, build 100.
TEST_P(BestValidUpdateTest, PicksTheBestCandidate) {
    auto best = bestValidUpdate(GetParam().items, "1.0", "100", VersionComparator{});
    EXPECT_EQ(best ? std::optional(best->title) : std::nullopt, GetParam().pickedTitle);
}

INSTANTIATE_TEST_SUITE_P(
    Feeds, BestValidUpdateTest,
    ::testing::Values(
        PickCase{"NoItems", {}, std::nullopt},
        PickCase{"OlderOnly", {item("0.9", "90", "old")}, std::nullopt},
        PickCase{"EqualVersionAndBuild", {item("1.0", "100", "same")}, std::nullopt},
        PickCase{"SameDisplayHigherBuild", {item("1.0", "101", "rebuild")}, "rebuild"},
        PickCase{"HigherDisplayBuildNotHigher", {item("1.1", "100", "stale build")}, std::nullopt},
        PickCase{"LowerDisplayHigherBuild", {item("0.9", "200", "odd")}, std::nullopt},
        PickCase{"MissingStringsCompareEmpty", {item("", "", "blank")}, std::nullopt},
        PickCase{"HighestDisplayWins",
                 {item("1.1", "110", "a"), item("1.3", "130", "b"), item("1.2", "120", "c")},
                 "b"},
        PickCase{"EqualDisplayHigherBuildWins", {item("1.2", "120", "a"), item("1.2", "121", "b")}, "b"},
        PickCase{"FullyEqualKeepsTheFirst", {item("1.2", "120", "first"), item("1.2", "120", "second")}, "first"},
        PickCase{"SkipsInvalidBeforeValid", {item("2.0", "99", "bad"), item("1.5", "150", "good")}, "good"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zentrel::services
