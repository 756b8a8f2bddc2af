#pragma once
// The window program: its services, the main window and the branch it
// shows, the tray icon and its popover, the update banner, the application
// menu's actions, the launch task after the first frame, the start-up work
// each time the content appears, and requests handed over by later
// instances.

#include "app/shell/AppServices.hpp"
#include "app/shell/MainWindow.hpp"
#include "app/shell/MenuBarIcon.hpp"
#include "app/shell/MessageBoxUpdateDriver.hpp"
#include "app/shell/PanelScreens.hpp"
#include "app/shell/ScanCategoryPrompt.hpp"
#include "app/shell/SingleInstance.hpp"
#include "ui/panels/MenuBarView.hpp"
#include "ui/presenters/MainContentPresenter.hpp"
#include "ui/presenters/UpdateBannerPresenter.hpp"

#include <QObject>

#include <memory>

namespace zentrel::app {

class ZentrelApp final : public QObject {
public:
    ZentrelApp(platform::HostLayout layout, platform::HostPlatform hostPlatform);
    ~ZentrelApp() override;

    void start();
    // A request of this or a later instance: show the window, then run the intent.
    void handle(const InstanceRequest& request);

    [[nodiscard]] AppServices& services() { return *services_; }
    [[nodiscard]] MainWindow& window() { return *window_; }
    [[nodiscard]] PanelScreens& panels() { return *panels_; }
    [[nodiscard]] ui::MenuBarView& popover() { return *popover_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QWidget* makeBranch(ui::MainWindowBranch branch);
    [[nodiscard]] QWidget* makeContent();
    // The detail pane's tool pages; nullptr for the routes this build has no page for.
    [[nodiscard]] QWidget* makeToolPage(const ui::DetailRoute& route, QWidget* parent);
    void updateBranch();
    void finishOnboarding();
    void runLaunchTask();
    void runContentStartup();
    // Makes the updater on first use and lets the banner watch it.
    services::UpdaterManager& updater();
    void toggleTyping();
    void showPreferences();
    void exportReport();
    void showAbout();
    void runIntent(const InstanceRequest& request);

    MessageBoxUpdateDriver updateDriver_;
    std::unique_ptr<AppServices> services_;
    bool onboardingDone_ = false;
    std::unique_ptr<PanelScreens> panels_;
    std::unique_ptr<MainWindow> window_;
    ui::UpdateBannerPresenter banner_;
    std::unique_ptr<ui::MenuBarView> popover_;
    std::unique_ptr<MenuBarIcon> tray_;
    bool launchTaskRan_ = false;
    std::vector<platform::Subscription> observers_;
    ScanCategoryPrompt scanCategoryPrompt_;
};

}  // namespace zentrel::app
