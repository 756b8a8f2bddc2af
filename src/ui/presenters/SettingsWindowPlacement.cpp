#include "ui/presenters/SettingsWindowPlacement.hpp"

#include <algorithm>
#include <sstream>

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
    const auto text = defaults.string(kSettingsWindowFrameKey);
    if (!text) return std::nullopt;
    std::istringstream in(*text);
    WindowFrame frame;
    if (!(in >> frame.x >> frame.y >> frame.width >> frame.height) || frame.isEmpty()) return std::nullopt;
    return frame;
}

void rememberSettingsFrame(platform::DefaultsStore& defaults, WindowFrame frame) {
    defaults.setString(kSettingsWindowFrameKey, std::to_string(frame.x) + " " + std::to_string(frame.y) + " " +
                                                    std::to_string(frame.width) + " " + std::to_string(frame.height));
}

}  // namespace zentrel::ui
