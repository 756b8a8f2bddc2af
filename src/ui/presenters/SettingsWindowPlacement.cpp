#include "ui/presenters/SettingsWindowPlacement.hpp"

#include "ui/presenters/RestoredWindowFrame.hpp"

#include <algorithm>

namespace zentrel::ui {
namespace {

bool overlaps(const WindowFrame& a, const WindowFrame& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Moves the frame inside the area; a frame larger than the area keeps its leading corner in it.
WindowFrame keptInside(WindowFrame frame, const WindowFrame& area) {
    if (area.isEmpty()) return frame;
    frame.x = std::max(area.x, std::min(frame.x, area.x + area.width - frame.width));
    frame.y = std::max(area.y, std::min(frame.y, area.y + area.height - frame.height));
    return frame;
}

WindowFrame centredOn(const WindowFrame& anchor, int width, int height) {
    return {anchor.x + (anchor.width - width) / 2, anchor.y + (anchor.height - height) / 2, width, height};
}

}  // namespace

WindowFrame settingsWindowFrame(std::optional<WindowFrame> remembered, std::optional<WindowFrame> mainWindow,
                                int width, int height, WindowFrame screen) {
    if (remembered && !remembered->isEmpty() && (screen.isEmpty() || overlaps(*remembered, screen)))
        return keptInside(*remembered, screen);
    const auto anchor = mainWindow && !mainWindow->isEmpty() ? *mainWindow : screen;
    return keptInside(centredOn(anchor, width, height), screen);
}

std::optional<WindowFrame> rememberedSettingsFrame(const platform::DefaultsStore& defaults) {
    return rememberedFrame(defaults, kSettingsWindowFrameKey);
}

void rememberSettingsFrame(platform::DefaultsStore& defaults, WindowFrame frame) {
    rememberFrame(defaults, kSettingsWindowFrameKey, frame);
}

}  // namespace zentrel::ui
