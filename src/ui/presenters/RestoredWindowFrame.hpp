#pragma once
// Where a window comes back after a restart: its remembered frame, moved
// inside the work area of the screen it lies most on (cut to the area's size
// when it is larger); a frame on no screen any more is centred on the first
// work area, the primary screen's. Without work areas the frame stays.

#include "platform/settings/DefaultsStore.hpp"
#include "ui/presenters/PopoverPlacement.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

using ScreenRect = PopoverRect;

inline constexpr const char* kMainWindowFrameKey = "mainWindowFrame";

[[nodiscard]] ScreenRect restoredWindowFrame(ScreenRect remembered, const std::vector<ScreenRect>& workAreas);

// A frame kept in the defaults as "x y width height": none when nothing is
// stored or the text is not four whole numbers with a positive size.
[[nodiscard]] std::optional<ScreenRect> rememberedFrame(const platform::DefaultsStore& defaults, const std::string& key);
void rememberFrame(platform::DefaultsStore& defaults, const std::string& key, ScreenRect frame);

}  // namespace zentrel::ui
