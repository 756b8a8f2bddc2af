#pragma once
// Where the Settings window opens: where the user last left it while that
// place still lies on a screen, else centred over the main window, else
// centred on the screen; always kept inside the screen's available area.
// The place is kept in the defaults as "x y width height".

#include "platform/settings/DefaultsStore.hpp"
#include "ui/presenters/PopoverPlacement.hpp"

#include <optional>

namespace zentrel::ui {

using WindowFrame = PopoverRect;

inline constexpr const char* kSettingsWindowFrameKey = "settingsWindowFrame";

[[nodiscard]] WindowFrame settingsWindowFrame(std::optional<WindowFrame> remembered,
                                              std::optional<WindowFrame> mainWindow, int width, int height,
                                              WindowFrame screen);

// None when nothing is stored or the stored text is not four whole numbers
// with a positive size.
[[nodiscard]] std::optional<WindowFrame> rememberedSettingsFrame(const platform::DefaultsStore& defaults);
void rememberSettingsFrame(platform::DefaultsStore& defaults, WindowFrame frame);

}  // namespace zentrel::ui
