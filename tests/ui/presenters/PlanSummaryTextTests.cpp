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

TEST(PlanSummaryTextTest, ACategoryOfCookiesOnlyCountsThemRatherThanSayingZeroBytes) {
    struct Case {
        const char* language;
        std::int64_t bytes, cookies;
        const char* expected;
    };
    for (const auto& c : std::vector<Case>{
             {"en", 0, 18, "18 tracker cookies"},
             {"en", 0, 1, "1 tracker cookie"},
             {"en", 4096, 0, "4 KB"},
             {"en", 4096, 18, "4 KB and 18 tracker cookies"},
             {"vi", 0, 18, "18 cookie theo d\u00f5i"},
         }) {
        const testing::ScopedDesktopTexts texts(c.language);
        EXPECT_EQ(planCategoryFigure({model::CategoryType::privacy, 2, c.bytes, c.cookies}), c.expected) << c.expected;
    }
}

}  // namespace
}  // namespace zentrel::ui
