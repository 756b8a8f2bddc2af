#include "platform/text/DisplayWidth.hpp"

#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

TEST(DisplayWidth, CountsColumnsNotBytes) {
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"", 0},
        {"Items Found:", 12},
        {"S\u1ed1 m\u1ee5c t\u00ecm th\u1ea5y:", 16},     // precomposed Vietnamese letters: one column each
        {"To\u0302\u0309ng", 4},                          // combining marks take none
        {"\u65e5\u672c", 4},                              // wide characters take two
        {"a\u200bb", 2},                                  // a format character takes none
        {"\xff", 1},                                      // a byte that is not UTF-8 shows as one replacement
    };
    for (const auto& [text, columns] : cases) EXPECT_EQ(displayWidth(text), columns) << text;
}

TEST(DisplayWidth, PadsToColumnsWithAtLeastTheGap) {
    EXPECT_EQ(paddedToWidth("T\u1ed5ng:", 8), "T\u1ed5ng:   ");
    EXPECT_EQ(paddedToWidth("Selected to Clean:", 16, 1), "Selected to Clean: ");
    EXPECT_EQ(paddedToWidth("keep", 6), "keep  ");
}

}  // namespace
}  // namespace zentrel::platform
