#pragma once
// The window program's colours follow the desktop, also while it runs: where
// the desktop prefers dark and the platform theme has not already made the
// palette dark, the app takes its own dark palette, and gives it back when
// the desktop turns light again.

#include <QObject>
#include <QPalette>

#include <memory>

namespace zentrel::platform {
class InterfaceSettingWatch;
}

namespace zentrel::app {

class DesktopAppearance final : public QObject {
public:
    DesktopAppearance();
    ~DesktopAppearance() override;

    void apply();

private:
    QPalette desktopPalette_;
    bool ownDark_ = false;
    std::unique_ptr<platform::InterfaceSettingWatch> watch_;
};

}  // namespace zentrel::app
