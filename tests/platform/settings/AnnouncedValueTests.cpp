#include "platform/settings/AnnouncedValue.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zentrel::platform {
namespace {

TEST(AnnouncedValueTest, SubscriberHearsTheCurrentValueThenEveryAssignment) {
    AnnouncedValue<std::optional<std::string>> value;
    std::vector<std::optional<std::string>> heard;
    auto sub = value.subscribe([&](const auto& v) { heard.push_back(v); });
    value.set("1.2");
    value.set("1.2");
    value.set(std::nullopt);
    EXPECT_EQ(heard, (std::vector<std::optional<std::string>>{std::nullopt, "1.2", "1.2", std::nullopt}));

    sub.reset();
    value.set("2.0");
    EXPECT_EQ(heard.size(), 4u);
    EXPECT_EQ(value.get(), "2.0");
}

}  // namespace
}  // namespace zentrel::platform
