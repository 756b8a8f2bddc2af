#include "ui/presenters/PlanSummaryText.hpp"

#include "doubles/ScopedDesktopTexts.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

TEST(PlanSummaryTextTest, EachCountTakesThePluralOfItsOwnNoun) {
    struct Case {
        const char* language;
        long long items, categories;
        const char* expected;
    };
    for (const auto& c : std::vector<Case>{
             {"en", 1, 1, "1 safe item across 1 category"},
             {"en", 1, 2, "1 safe item across 2 categories"},
             {"en", 2, 1, "2 safe items across 1 category"},
             {"en", 5, 3, "5 safe items across 3 categories"},
             {"en", 1234, 12, "1,234 safe items across 12 categories"},
             {"vi", 1, 1, "1 m\u1ee5c an to\u00e0n trong 1 nh\u00f3m d\u1ecdn d\u1eb9p"},
             {"vi", 1, 2, "1 m\u1ee5c an to\u00e0n trong 2 nh\u00f3m d\u1ecdn d\u1eb9p"},
             {"vi", 2, 1, "2 m\u1ee5c an to\u00e0n trong 1 nh\u00f3m d\u1ecdn d\u1eb9p"},
             {"vi", 5, 3, "5 m\u1ee5c an to\u00e0n trong 3 nh\u00f3m d\u1ecdn d\u1eb9p"},
             {"vi", 1234, 12, "1.234 m\u1ee5c an to\u00e0n trong 12 nh\u00f3m d\u1ecdn d\u1eb9p"},
         }) {
        const testing::ScopedDesktopTexts texts(c.language);
        EXPECT_EQ(safeItemsAcrossCategories(c.items, c.categories), c.expected)
            << c.language << " " << c.items << "/" << c.categories;
    }
}

}  // namespace
}  // namespace zentrel::ui
