#include "ui/presenters/SettingsWindowPlacement.hpp"

#include "doubles/InMemoryDefaultsStore.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

constexpr WindowFrame kScreen{0, 0, 1920, 1080};

TEST(SettingsWindowPlacementTest, OpensWhereLeftElseOverTheMainWindowInsideTheScreen) {
    const struct {
        const char* what;
        std::optional<WindowFrame> remembered, mainWindow;
        WindowFrame expected;
    } cases[] = {
        {"centred over the main window", std::nullopt, WindowFrame{100, 50, 1100, 720}, {350, 150, 600, 520}},
        {"centred on the screen without one", std::nullopt, std::nullopt, {660, 280, 600, 520}},
        {"kept inside beside the edge", std::nullopt, WindowFrame{1700, 900, 400, 300}, {1320, 560, 600, 520}},
        {"where the user left it", WindowFrame{40, 60, 700, 540}, WindowFrame{100, 50, 1100, 720}, {40, 60, 700, 540}},
        {"pulled in when partly off", WindowFrame{1800, 700, 600, 520}, std::nullopt, {1320, 560, 600, 520}},
        {"a place on a screen now gone", WindowFrame{3000, 100, 600, 520}, WindowFrame{100, 50, 1100, 720},
         {350, 150, 600, 520}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settingsWindowFrame(c.remembered, c.mainWindow, 600, 520, kScreen), c.expected) << c.what;
}

TEST(SettingsWindowPlacementTest, ThePlaceSurvivesTheStoreAndBadTextIsNone) {
    testing::InMemoryDefaultsStore defaults;
    EXPECT_FALSE(rememberedSettingsFrame(defaults));
    rememberSettingsFrame(defaults, {-20, 35, 640, 500});
    EXPECT_EQ(rememberedSettingsFrame(defaults), (WindowFrame{-20, 35, 640, 500}));
    for (const char* text : {"", "1 2 3", "a b c d", "1 2 0 5"}) {
        defaults.setString(kSettingsWindowFrameKey, text);
        EXPECT_FALSE(rememberedSettingsFrame(defaults)) << text;
    }
}

}  // namespace
}  // namespace zentrel::ui
