#include "ui/presenters/PrivacyTargetText.hpp"

#include "doubles/ScopedDesktopTexts.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

TEST(PrivacyTargetTextTest, TheTickBoxCarriesTheRowsFigure) {
    const testing::ScopedDesktopTexts english;
    const model::PrivacyTarget cookies{.id = "c", .label = "Chrome cookies", .path = "/h/Cookies",
                                       .domains = {"x.com", "y.com"}, .sizeBytes = 40'960, .isTrackerOnly = true};
    EXPECT_EQ(privacyTargetFigure(cookies), "2 tracker cookies") << "the store keeps its size";
    EXPECT_EQ(privacyTargetCheckBoxName(cookies), "Chrome cookies, 2 tracker cookies");

    auto busy = cookies;
    busy.isBusy = true;
    EXPECT_EQ(privacyTargetFigure(busy), "41 KB") << "a locked store's trackers are not known";

    const model::PrivacyTarget recents{.id = "r", .label = "Recent files", .path = "/h/recent.xbel", .sizeBytes = 4096};
    EXPECT_EQ(privacyTargetCheckBoxName(recents), "Recent files, 4 KB");
}

}  // namespace
}  // namespace zentrel::ui
