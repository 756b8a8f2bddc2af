#include "app/shell/DesktopAppearance.hpp"

#include "platform/desktop/DesktopInterfaceSettings.hpp"
#include "ui/design/AppPalette.hpp"
#include "ui/design/DesignTokens.hpp"

#include <QApplication>
#include <QStyleFactory>

namespace zentrel::app {

DesktopAppearance::DesktopAppearance() : desktopPalette_(QApplication::palette()) {
    apply();
    watch_ = std::make_unique<platform::InterfaceSettingWatch>("color-scheme", [this] { apply(); });
}

DesktopAppearance::~DesktopAppearance() = default;

void DesktopAppearance::apply() {
    const bool wantsDark = platform::desktopPrefersDark();
    if (wantsDark && !ownDark_ && ui::appearanceOf(desktopPalette_) == ui::Appearance::light) {
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        QApplication::setPalette(ui::darkAppPalette());
        ownDark_ = true;
    } else if (!wantsDark && ownDark_) {
        QApplication::setPalette(desktopPalette_);
        ownDark_ = false;
    }
}

}  // namespace zentrel::app
