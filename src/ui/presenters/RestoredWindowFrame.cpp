#include "ui/presenters/RestoredWindowFrame.hpp"

#include <algorithm>
#include <sstream>

namespace zentrel::ui {
namespace {

long long sharedArea(const ScreenRect& a, const ScreenRect& b) {
    const long long width = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const long long height = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

ScreenRect restoredWindowFrame(ScreenRect frame, const std::vector<ScreenRect>& workAreas) {
    const ScreenRect* area = nullptr;
    long long most = 0;
    for (const auto& candidate : workAreas) {
        if (candidate.isEmpty()) continue;
        const auto shared = sharedArea(frame, candidate);
        if (area == nullptr || shared > most) {
            area = &candidate;
            most = shared;
        }
    }
    if (area == nullptr) return frame;
    frame.width = std::min(frame.width, area->width);
    frame.height = std::min(frame.height, area->height);
    if (most == 0) {
        frame.x = area->x + (area->width - frame.width) / 2;
        frame.y = area->y + (area->height - frame.height) / 2;
        return frame;
    }
    frame.x = std::clamp(frame.x, area->x, area->x + area->width - frame.width);
    frame.y = std::clamp(frame.y, area->y, area->y + area->height - frame.height);
    return frame;
}

std::optional<ScreenRect> rememberedFrame(const platform::DefaultsStore& defaults, const std::string& key) {
    const auto text = defaults.string(key);
    if (!text) return std::nullopt;
    std::istringstream in(*text);
    ScreenRect frame;
    if (!(in >> frame.x >> frame.y >> frame.width >> frame.height) || frame.isEmpty()) return std::nullopt;
    return frame;
}

void rememberFrame(platform::DefaultsStore& defaults, const std::string& key, ScreenRect frame) {
    defaults.setString(key, std::to_string(frame.x) + " " + std::to_string(frame.y) + " " + std::to_string(frame.width) +
                                " " + std::to_string(frame.height));
}

}  // namespace zentrel::ui
