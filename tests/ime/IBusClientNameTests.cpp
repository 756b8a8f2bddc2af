#include "ime/IBusClientName.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zentrel::ime {
namespace {

TEST(IBusClientNameTest, ToolkitModulesNameTheProgramOthersNone) {
    const std::vector<std::pair<std::string_view, std::optional<std::string>>> cases = {
        {"gtk3-im:gedit", "gedit"},
        {"gtk4-im:org.example.Notes", "org.example.Notes"},
        {"gtk-im:firefox", "firefox"},
        {"gtk3-im:", std::nullopt},
        {"QIBusInputContext", std::nullopt},
        {"xim", std::nullopt},
        {"fake", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [client, program] : cases) EXPECT_EQ(programNameOfIBusClient(client), program) << client;
}

TEST(IBusClientNameTest, OnlyQtLosesOrDoublesAPreeditWhenFocusMoves) {
    EXPECT_FALSE(keepsPreeditOnFocusChange("QIBusInputContext"));
    EXPECT_TRUE(keepsPreeditOnFocusChange("gtk3-im:gedit"));
    EXPECT_TRUE(keepsPreeditOnFocusChange("xim"));
}

}  // namespace
}  // namespace zentrel::ime
