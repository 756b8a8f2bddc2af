#include "ui/presenters/MenuBarIconState.hpp"

#include "platform/text/Localization.hpp"

#include <variant>

namespace zentrel::ui {

MenuBarIconState menuBarIconState(const model::ScanState& scanState, services::MemoryPressure pressure) {
    MenuBarIconState icon;
    if (std::holds_alternative<model::scan_state::Scanning>(scanState)) {
        icon.glyph = MenuBarIconState::Glyph::scanning;
    } else if (std::holds_alternative<model::scan_state::Cleaning>(scanState)) {
        icon.glyph = MenuBarIconState::Glyph::cleaning;
    }
    icon.pulsing = icon.glyph != MenuBarIconState::Glyph::app;
    const bool critical = pressure == services::MemoryPressure::critical;
    icon.pressureBadge = critical && !icon.pulsing;
    icon.tooltip = platform::localized(critical ? "Zentrel — memory pressure high" : N_("Zentrel"));
    return icon;
}

}  // namespace zentrel::ui
