#pragma once
// The tray icon's look: a magnifying glass while scanning and a bin while
// cleaning (both pulsing), the app's own glyph otherwise, with a red dot
// when memory pressure is critical and no scan or clean runs.

#include "model/ScanState.hpp"
#include "services/processes/MemorySnapshot.hpp"

#include <string>

namespace zentrel::ui {

struct MenuBarIconState {
    enum class Glyph { app, scanning, cleaning };
    Glyph glyph = Glyph::app;
    bool pulsing = false;
    bool pressureBadge = false;
    std::string tooltip;

    bool operator==(const MenuBarIconState&) const = default;
};

[[nodiscard]] MenuBarIconState menuBarIconState(const model::ScanState& scanState,
                                                services::MemoryPressure pressure);

}  // namespace zentrel::ui
