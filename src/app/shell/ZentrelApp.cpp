#include "app/shell/ZentrelApp.hpp"

#include "app/shell/AppGlyph.hpp"
#include "app/shell/ContentView.hpp"
#include "app/shell/FullDiskAccessCheckingView.hpp"
#include "ui/design/AppCanvas.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/main/MainContentView.hpp"
#include "ui/main/SidebarView.hpp"
#include "ui/panels/AboutDialog.hpp"
#include "ui/panels/UpdateAvailableBanner.hpp"
#include "ui/presenters/ApplicationMenus.hpp"
#include "ui/presenters/MainWindowStartup.hpp"
#include "ui/tools/AppFeaturesView.hpp"
#include "ui/tools/BoostView.hpp"
#include "ui/tools/UninstallView.hpp"
#include "viewmodels/AppIntents.hpp"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <sqlite3.h>

namespace zentrel::app {
namespace {

using ui::MainWindowBranch;

// The main window's backdrop behind a branch's screen.
QWidget* onCanvas(QWidget* screen) { return new ui::AppCanvas(screen); }

}  // namespace

ZentrelApp::ZentrelApp(platform::HostLayout layout, platform::HostPlatform hostPlatform) {
    services_ = std::make_unique<AppServices>(*this, std::move(layout), hostPlatform, updateDriver_);
    onboardingDone_ = services_->standardDefaults.boolean("hasCompletedOnboarding");
    panels_ = std::make_unique<PanelScreens>(*services_, [this] { finishOnboarding(); });
    QApplication::setWindowIcon(appIcon());

    window_ = std::make_unique<MainWindow>([this](MainWindowBranch branch) { return makeBranch(branch); },
                                           MainWindowActions{
                                               [this] { exportReport(); },
                                               [this] {
                                                   return ui::canExportReport(*services_->scanViewModel,
                                                                              window_->branch());
                                               },
                                               [this] { showAbout(); },
                                               [this] { updater().checkForUpdates(); },
                                               [this] { toggleTyping(); },
                                               [this] { showPreferences(); },
                                               [] { QApplication::quit(); },
                                               [this] { return tray_ && tray_->isShown(); },
                                               [this](ui::ScreenRect frame) {
                                                   ui::rememberFrame(services_->standardDefaults,
                                                                     ui::kMainWindowFrameKey, frame);
                                               },
                                           });
    updateDriver_.setParentWindow(window_.get());

    auto& permissions = *services_->permissions;
    observers_.push_back(permissions.isCheckingFullDiskAccess.observe([this](bool) { updateBranch(); }));
    observers_.push_back(permissions.fullDiskAccess.observe([this](bool) { updateBranch(); }));
    const auto typingTitle = [this](bool enabled) { window_->updateMenus(enabled); };
    observers_.push_back(services_->typing->isEnabled.observe(typingTitle));
    typingTitle(services_->typing->isEnabled());

    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) services_->applicationDidBecomeActive.emit();
    });
}

ZentrelApp::~ZentrelApp() {
    // A quit from the tray or the menu leaves the window shown: its frame is kept as it hides.
    if (window_ && window_->isVisible()) window_->hide();
    observers_.clear();
    tray_.reset();
    popover_.reset();
    window_.reset();
    panels_.reset();
    services_.reset();
}

void ZentrelApp::start() {
    auto& s = *services_;
    popover_ = std::make_unique<ui::MenuBarView>(ui::MenuBarServices{
        *s.scanViewModel,
        s.processes,
        [&s] { return s.focus.isFocusActive(); },
        s.energyStore,
        s.power,
        platform::SystemClock::shared(),
        s.layout.home.string(),
        [this] { window_->present(); },
        [this] { return static_cast<QWidget*>(window_.get()); },
        [] { QApplication::quit(); },
    });
    tray_ = std::make_unique<MenuBarIcon>(*s.scanViewModel, s.processes, s.main,
                                          [this](QRect icon) { popover_->popUp(icon); });
    QApplication::setQuitOnLastWindowClosed(!tray_->isShown());
    updateBranch();
    window_->show();
    window_->restoreFrame(ui::rememberedFrame(services_->standardDefaults, ui::kMainWindowFrameKey));
    // The launch task waits for the first frame on screen.
    if (auto* handle = window_->windowHandle()) handle->installEventFilter(this);
}

bool ZentrelApp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && !launchTaskRan_) {
        if (auto* handle = qobject_cast<QWindow*>(watched); handle && handle->isExposed()) {
            launchTaskRan_ = true;
            handle->removeEventFilter(this);
            // The window manager's decoration is known once the window is on screen.
            window_->restoreFrame(std::nullopt);
            // Once the frame is drawn.
            QTimer::singleShot(0, this, [this] { runLaunchTask(); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void ZentrelApp::runLaunchTask() {
    services_->launchTiming.recordFirstInteractiveFrame();
    services_->energySampler.start();
    services_->focus.startMonitoring();
}

void ZentrelApp::updateBranch() {
    const auto& permissions = *services_->permissions;
    const auto branch =
        ui::mainWindowBranch(onboardingDone_, permissions.isCheckingFullDiskAccess(), permissions.fullDiskAccess());
    const bool appears = branch == MainWindowBranch::content && window_->branch() != branch;
    window_->showBranch(branch);
    if (appears) services_->main.post([this] { runContentStartup(); });
}

QWidget* ZentrelApp::makeBranch(MainWindowBranch branch) {
    switch (branch) {
    case MainWindowBranch::onboarding: return onCanvas(panels_->makeOnboarding());
    case MainWindowBranch::checkingAccess: return onCanvas(new FullDiskAccessCheckingView);
    case MainWindowBranch::content: return makeContent();
    case MainWindowBranch::fullDiskAccess: return onCanvas(panels_->makeFullDiskAccessScreen());
    }
    return nullptr;
}

QWidget* ZentrelApp::makeContent() {
    auto& viewModel = *services_->scanViewModel;
    auto* sidebar = new ui::SidebarView(viewModel, services_->typing->isEnabled);
    auto* detail = new ui::MainContentView(
        viewModel, platform::SystemClock::shared(),
        {services_->clipboard, services_->main, &services_->previewPanel, services_->layout.home.string(),
         ui::ThumbnailServices{services_->pool, services_->main, (services_->layout.cacheHome / "thumbnails").string()}},
        [this](const ui::DetailRoute& route, QWidget* parent) { return makeToolPage(route, parent); });
    auto* content = new ContentView(sidebar, detail);
    content->setBanner(new ui::UpdateAvailableBanner(banner_));
    if (auto* made = services_->existingUpdater()) banner_.attach(*made);
    return content;
}

services::UpdaterManager& ZentrelApp::updater() {
    auto& made = services_->updater();
    banner_.attach(made);
    return made;
}

QWidget* ZentrelApp::makeToolPage(const ui::DetailRoute& route, QWidget* parent) {
    // Each page gets a view model of its own, made afresh when the page is.
    auto& s = *services_;
    switch (route.kind) {
    case ui::DetailRoute::Kind::boost:
        return new ui::BoostView(
            std::make_unique<viewmodels::BoostViewModel>(s.processes, platform::SystemClock::shared(), s.main), parent);
    case ui::DetailRoute::Kind::uninstall:
        return new ui::UninstallView(
            std::make_unique<viewmodels::UninstallViewModel>(s.uninstaller, s.uninstallerQueue, s.main), parent);
    case ui::DetailRoute::Kind::features:
        return new ui::AppFeaturesView(ui::kFeatureGridColumns,
                                       {*s.typing, *s.permissions, s.main, s.applicationDidBecomeActive},
                                       parent);
    case ui::DetailRoute::Kind::settings: return panels_->makeSettingsPage(parent);
    default: return nullptr;
    }
}

void ZentrelApp::finishOnboarding() {
    services_->standardDefaults.setBool("hasCompletedOnboarding", true);
    onboardingDone_ = true;
    updateBranch();
}

void ZentrelApp::runContentStartup() {
    auto& s = *services_;
    ui::runMainWindowStartup({
        [] {},  // the notification manager is made with the view model
        [&s] { s.notificationAuthorization.requestAuthorization({true, true}, [](bool, const auto&) {}); },
        [this] { (void)updater(); },
        [&s] { s.scanViewModel->restoreLastScanSummary(); },
        [&s] { return s.prefs.isAutoScanDue(); },
        [&s] { return !s.scanViewModel->result().items.empty(); },
        [&s] {
            s.scanViewModel->resetScan(false);
            s.scanViewModel->startScan(true, false, false, false);
        },
        [&s] { s.typing->loadSettings(); },
        [&s] { s.intents.registerViewModel(s.scanViewModel); },
    });
}

void ZentrelApp::toggleTyping() {
    auto& typing = *services_->typing;
    typing.setEnabled(!typing.isEnabled());
}

void ZentrelApp::showPreferences() { panels_->showSettingsWindow(window_.get()); }

void ZentrelApp::exportReport() {
    if (auto* content = window_->branchWidget()->findChild<ui::MainContentView*>()) content->exportReport();
}

void ZentrelApp::showAbout() {
    const std::vector<ui::AboutLibrary> versions = {{"Qt", qVersion()}, {"SQLite", sqlite3_libversion()}};
    // The focus goes back where it was, not to the window's first control (the sidebar).
    const QPointer<QWidget> focused = window_->focusWidget();
    ui::AboutDialog dialog(ui::aboutContent(ZENTREL_DISPLAY_VERSION, versions), appIcon(), window_.get());
    dialog.exec();
    if (focused) focused->setFocus(Qt::ActiveWindowFocusReason);
}

void ZentrelApp::handle(const InstanceRequest& request) {
    window_->present();
    if (request.intent) runIntent(request);
}

void ZentrelApp::runIntent(const InstanceRequest& request) {
    auto& bridge = services_->intents;
    if (*request.intent == viewmodels::SmartCleanupIntent::title) {
        viewmodels::SmartCleanupIntent{}.perform(bridge);
    } else if (*request.intent == viewmodels::FreeUpSpaceIntent::title) {
        viewmodels::FreeUpSpaceIntent{}.perform(bridge);
    } else if (*request.intent == viewmodels::ScanCategoryIntent::title) {
        auto choice = request.category ? viewmodels::scanCategoryChoiceFromRaw(*request.category) : std::nullopt;
        if (!choice) {
            // The category is the intent's parameter: ask for it, as the system would.
            // Only the categories this desktop shows are offered.
            QStringList titles;
            std::vector<viewmodels::ScanCategoryChoice> offered;
            for (const auto& info : viewmodels::scanCategoryChoices()) {
                if (!services_->scanViewModel->showsCategory(viewmodels::categoryType(info.choice))) continue;
                titles << ui::localizedText(info.displayTitle);
                offered.push_back(info.choice);
            }
            scanCategoryPrompt_.ask(window_.get(), ui::localizedText("Scan Category"), ui::localizedText("Nhóm"), titles,
                                    [&bridge, offered](qsizetype index) {
                                        viewmodels::ScanCategoryIntent{offered.at(static_cast<std::size_t>(index))}
                                            .perform(bridge);
                                    });
            return;
        }
        viewmodels::ScanCategoryIntent{*choice}.perform(bridge);
    }
}

}  // namespace zentrel::app
