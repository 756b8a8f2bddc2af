#pragma once
// The tray icon: the app's glyph, a pulsing magnifying glass while a scan
// runs or a bin while a clean runs, and a red dot while memory pressure is
// critical. Memory is sampled at once and then every 30 seconds. A click
// opens the popover, given the icon's place on screen (empty where the tray
// does not tell). On a desktop without a tray nothing is shown and the
// window stays the way in.

#include "platform/concurrency/Clock.hpp"
#include "services/processes/ProcessSampler.hpp"
#include "ui/presenters/MenuBarIconState.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

namespace zentrel::app {

class MenuBarIcon final : public QObject {
public:
    static constexpr auto kMemoryInterval = std::chrono::seconds(30);

    MenuBarIcon(viewmodels::ScanViewModel& viewModel, const services::ProcessSampler& sampler,
                platform::TimerScheduler& timers, std::function<void(QRect iconGeometry)> clicked);

    [[nodiscard]] bool isShown() const { return tray_.isVisible(); }
    [[nodiscard]] const ui::MenuBarIconState& state() const { return state_; }
    [[nodiscard]] QSystemTrayIcon& tray() { return tray_; }

private:
    void sampleMemory();
    void refresh();
    void drawFrame();

    viewmodels::ScanViewModel& viewModel_;
    const services::ProcessSampler& sampler_;
    services::MemoryPressure pressure_ = services::MemoryPressure::normal;
    ui::MenuBarIconState state_;
    QSystemTrayIcon tray_;
    QTimer pulse_;
    bool dimFrame_ = false;
    platform::Timer memoryLoop_;
    platform::Subscription stateObserver_;
};

}  // namespace zentrel::app
