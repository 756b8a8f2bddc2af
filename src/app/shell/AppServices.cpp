#include "app/shell/AppServices.hpp"

#include "engine/AllCategoryScanners.hpp"
#include "engine/DeletionGuard.hpp"
#include "platform/input/X11FrontmostApplication.hpp"
#include "platform/input/X11Session.hpp"
#include "platform/processes/ProcessNames.hpp"
#include "platform/text/Localization.hpp"
#include "scanners/privacy/ClipboardInsight.hpp"
#include "services/apps/AppBundleInfo.hpp"

#include <QCoreApplication>

#include <cstdlib>

#include <unistd.h>

namespace zentrel::app {
namespace {

std::vector<std::string> relaunchCommand() {
    const auto arguments = QCoreApplication::arguments();
    std::vector<std::string> command;
    for (const auto& argument : arguments) command.push_back(argument.toStdString());
    return command;
}

// Where the session is Wayland, no application can be known to be in front.
services::ActiveProcessTracker activeProcessTracker(platform::Executor& pool) {
    if (platform::x11::isWaylandSession()) return {};
    auto frontmost = std::make_shared<platform::x11::X11FrontmostApplication>();
    return {[frontmost]() -> std::optional<std::int32_t> {
                const auto application = frontmost->current();
                if (!application) return std::nullopt;
                return static_cast<std::int32_t>(application->processID);
            },
            pool};
}

}  // namespace

AppServices::AppServices(QObject& context, platform::HostLayout hostLayout, platform::HostPlatform hostPlatform,
                         services::UpdateUserDriver& updateDriver)
    : layout(std::move(hostLayout)),
      table(platform::HostTable::ofUser(hostPlatform, layout, platform::PosixFileSystem::shared())),
      journal(scanners::SweepJournal::placesFor(table),
              [guard = engine::DeletionGuard(platform::PosixFileSystem::shared(), table)](const std::string& path) {
                  return guard.refusal(path, engine::DeletionGuard::Use::removeEntry);
              }),
      main(context),
      fileSystem(platform::PosixFileSystem::shared()),
      bus(platform::SessionBus::fromEnvironment()),
      standardDefaults(layout.defaultsFile(platform::kStandardSuite)),
      launchTiming(platform::SystemClock::shared(), standardDefaults, layout.ownDataFolder()),
      appGroupDefaults(layout.defaultsFile(platform::kAppGroupSuite)),
      sharedState(&appGroupDefaults, standardDefaults),
      prefs(standardDefaults, platform::SystemClock::shared(), sharedState, platform::Localization::shared().language()),
      engine(fileSystem, pool, main, platform::Localization::shared().language()),
      cookieStore(fileSystem, table),
      cleanServices{fileSystem, journal, cookieStore, clipboard, icloud, platform::SystemClock::shared(), table},
      notificationCenter(desktopCalls, std::make_shared<platform::DesktopNotificationCenter>(
                                            platform::DesktopNotificationCenter::fromEnvironment())),
      notifications(standardDefaults, notificationCenter, main),
      scanEngine(engine),
      restorer(journal, clipboard, pool, main),
      fullDiskAccessProbe(layout),
      notificationAuthorization(bus, pool),
      appLauncher(relaunchCommand(), pool),
      ruleStore(standardDefaults),
      desktopTyping(main, [bus = bus] { return bus.canReach("org.a11y.Bus"); }),
      typingBridge(desktopTyping.poster, clipboard, desktopTyping.accessibility),
      distributedNotifications(desktopCalls, std::make_shared<platform::SessionBusNotificationCenter>(
                                                  platform::SessionBusNotificationCenter::fromEnvironment())),
      imeInstaller(typing::ZentrelIMEInstaller::programEnvironment(layout, desktopTyping.inputMethodStatus)),
      activeProcess(activeProcessTracker(pool)),
      workspace({"/proc", services::LinuxWorkspace::applicationFoldersFor(layout.dataHome, layout.systemRoot),
                 ::getuid(), platform::Localization::shared().language(), &activeProcess,
                 qEnvironmentVariable("DISPLAY").toStdString(), qEnvironmentVariable("WAYLAND_DISPLAY").toStdString()},
                signaller),
      processes(statistics, workspace, platform::SystemClock::shared()),
      power(energySource, platform::SystemClock::shared()),
      energyStore(standardDefaults, platform::SystemClock::shared()),
      energySampler(processes, power, energyStore, powerSource, platform::SystemClock::shared(), main),
      focus(focusCenter, main, main),
      uninstaller(fileSystem, table),
      updateDriver_(updateDriver),
      appcastTransport_(pool) {
    engine.setCleanServices(cleanServices);
    engine::registerAllCategoryScanners(
        engine, {table, platform::SystemClock::shared(), icloud,
                 [this] {
                     return scanners::PrivacyScanner::ScanOptions{
                         standardDefaults.boolean("privacyIncludeTerminalHistory"),
                         standardDefaults.boolean("privacyIncludePasteboardAnalysis")};
                 },
                 [this] { return scanners::clipboardInsight(clipboard, nullptr); }});

    scanViewModel = std::make_shared<viewmodels::ScanViewModel>(viewmodels::ScanViewModelServices{
        scanEngine, restorer, prefs, sharedState, notifications, widgets, platform::SystemClock::shared(),
        platform::Localization::shared().language()});

    permissions = std::make_unique<services::PermissionsManager>(services::PermissionsManager::Dependencies{
        main, main, pool, fullDiskAccessProbe, accessibilityTrust, notificationAuthorization, settingsPages,
        appLauncher, [] { QCoreApplication::quit(); }, applicationDidBecomeActive, accessibilityTrustChanged});

    typing = std::make_unique<typing::VietIMEManager>(typing::VietIMEManagerServices{
        prefs, ruleStore, typingBridge, desktopTyping.accessibility, desktopTyping.tap, desktopTyping.inputMethodStatus,
        *permissions,
        distributedNotifications, layout, main, main, applicationDidBecomeActive, applicationActivated,
        platform::programNameOfProcess(::getpid()).value_or("zentrel"), &imeInstaller, inputMethodQueue});
    typingRequests = std::make_unique<platform::SessionBusNotificationWatch>(
        [manager = typing.get()](const std::string& name) { manager->notificationReceived(name); });
    activeWindowWatch = std::make_unique<platform::x11::X11ActiveWindowWatch>(
        [this] { main.post([this] { applicationActivated.emit(); }); });
}

AppServices::~AppServices() {
    energySampler.stop();
    activeWindowWatch.reset();
    typingRequests.reset();
    typing.reset();
}

services::UpdaterManager& AppServices::updater() {
    if (!updater_) {
        auto info = services::mainBundleInfo();
        // A packager, or a test with a feed of its own, names another feed here.
        if (const char* feed = std::getenv("ZENTREL_FEED_URL"); feed != nullptr && *feed != '\0')
            info[std::string(services::kFeedURLKey)] = std::string(feed);
        updater_ = std::make_unique<services::UpdaterManager>(services::UpdaterManager::Dependencies{
            main, main, standardDefaults, appcastTransport_, updateDriver_, std::move(info)});
        automaticUpdateChecks_ =
            prefs.automaticUpdateChecksChanged.subscribe([this](bool on) { updater_->setAutomaticChecks(on); });
    }
    return *updater_;
}

}  // namespace zentrel::app
