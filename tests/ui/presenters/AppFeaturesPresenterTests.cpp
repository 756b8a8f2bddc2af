#include "ui/presenters/AppFeaturesPresenter.hpp"
#include "ui/presenters/IMEShortcutGuide.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

TEST(AppFeaturesPresenterTest, AWiderPageNeverNarrowsACard) {
    double previous = 0;
    for (double available = 0; available <= 2400; available += 1) {
        const auto columns = adaptiveGridColumns(kFeatureGridColumns, available);
        EXPECT_GE(columns.width, previous) << available;
        EXPECT_LE(columns.width * columns.count + 16 * (columns.count - 1), std::max(available, 0.0)) << available;
        previous = columns.width;
    }
}

TEST(AppFeaturesPresenterTest, TheGridAddsAColumnWhenEveryColumnKeepsItsFullWidth) {
    const struct {
        double available;
        GridColumns columns;
    } rows[] = {
        {300, {1, 300}}, {360, {1, 360}}, {600, {1, 560}},   {735, {1, 560}},
        {900, {1, 560}}, {1135, {1, 560}}, {1136, {2, 560}}, {1800, {3, 560}},
    };
    for (const auto& row : rows) {
        const auto columns = adaptiveGridColumns(kFeatureGridColumns, row.available);
        EXPECT_EQ(columns.count, row.columns.count) << row.available;
        EXPECT_NEAR(columns.width, row.columns.width, 1e-9) << row.available;
    }
}

TEST(AppFeaturesPresenterTest, AGuideLineWithoutAThirdExampleShowsTwo) {
    EXPECT_EQ(shownExampleCount({"a", "b", ""}), 2);
    for (const auto& guide : imeGuides()) {
        for (const auto& line : guide.lines) EXPECT_EQ(shownExampleCount(line), 3) << guide.method;
    }
    EXPECT_EQ(imeGuides()[2].lines[3][2], "dd → đ");
}

}  // namespace
}  // namespace zentrel::ui
