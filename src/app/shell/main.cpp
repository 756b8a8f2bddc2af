// zentrel: the window program. One instance per user session: a second
// start shows the first one's window, and `--intent NAME [--category NAME]`
// hands an intent ("Smart Cleanup", "Free Up Space", "Scan Category") to it.
// `--layout macos` looks for the user's files where a Mac keeps them.

#include "app/shell/DesktopAppearance.hpp"
#include "app/shell/QuitOnSignal.hpp"
#include "app/shell/WindowArguments.hpp"
#include "app/shell/ZentrelApp.hpp"
#include "platform/desktop/DesktopInterfaceSettings.hpp"
#include "platform/files/OwnFolderMigration.hpp"
#include "platform/text/DesktopTexts.hpp"
#include "ui/design/ButtonKeys.hpp"
#include "ui/design/MotionPreference.hpp"

#include <QApplication>
#include <QThread>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <variant>
#include <vector>

int main(int argc, char** argv) {
    // Answered before the toolkit opens the display, so that they work without one.
    const std::vector<std::string> given(argv + std::min(argc, 1), argv + argc);
    zentrel::platform::useDesktopTexts(zentrel::platform::Localization::shared(),
                                       zentrel::platform::currentHostPlatform());
    const auto parsed = zentrel::app::parseWindowArguments(given);
    if (const auto* problem = std::get_if<zentrel::app::WindowArgumentsProblem>(&parsed)) {
        std::cerr << "zentrel: " << problem->text << "\n" << zentrel::app::windowUsage(false);
        return 2;
    }
    const auto& arguments = std::get<zentrel::app::WindowArguments>(parsed);
    using Action = zentrel::app::WindowArguments::Action;
    if (arguments.action != Action::run) {
        std::cout << (arguments.action == Action::help ? zentrel::app::windowUsage(true)
                                                       : std::string("zentrel ") + ZENTREL_VERSION + "\n");
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    const auto& request = arguments.request;
    const auto hostPlatform = arguments.layout;
    zentrel::platform::Localization::shared().clear();
    zentrel::platform::useDesktopTexts(zentrel::platform::Localization::shared(), hostPlatform);

    QApplication application(argc, argv);
    QApplication::setApplicationName("Zentrel");
    QApplication::setDesktopFileName("zentrel");
    zentrel::ui::pressFocusedButtonsWithReturn();

    // A living instance takes the request; none other starts while it lives.
    const auto folder = zentrel::app::SingleInstance::privateFolder();
    std::unique_ptr<zentrel::app::SingleInstance> instance;
    if (const auto* problem = std::get_if<std::string>(&folder)) {
        std::cerr << "[Zentrel] Not sharing a window with later starts: " << *problem << "\n";
    } else {
        instance = std::make_unique<zentrel::app::SingleInstance>(std::get<QString>(folder));
        if (!instance->claim()) {
            // It may be starting still: it listens once its window is made.
            for (int attempt = 0; attempt < 20; ++attempt) {
                if (instance->handOff(request)) return 0;
                QThread::msleep(250);
            }
            std::cerr << "[Zentrel] Zentrel is running already but does not answer\n";
            return 1;
        }
    }

    zentrel::app::DesktopAppearance appearance;
    zentrel::ui::setReducedMotion(zentrel::platform::desktopPrefersReducedMotion());
    const auto layout = zentrel::platform::HostLayout::fromEnvironment();
    (void)zentrel::platform::moveLegacyOwnFolders(layout);
    zentrel::app::ZentrelApp app(layout, hostPlatform);
    if (instance && !instance->listen([&app](const auto& received) { app.handle(received); }))
        std::cerr << "[Zentrel] Could not listen for other instances at " << instance->socketPath().toStdString()
                  << "\n";
    const zentrel::app::QuitOnSignal quitOnSignal;
    app.start();
    if (request.intent) app.handle(request);
    return QApplication::exec();
}
