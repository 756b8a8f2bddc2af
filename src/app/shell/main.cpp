// zentrel: the window program. One instance per user session: a second
// start shows the first one's window, and `--intent NAME [--category NAME]`
// hands an intent ("Smart Cleanup", "Free Up Space", "Scan Category") to it.
// `--layout macos` looks for the user's files where a Mac keeps them.

#include "app/shell/DesktopAppearance.hpp"
#include "app/shell/QuitOnSignal.hpp"
#include "app/shell/ZentrelApp.hpp"
#include "platform/desktop/DesktopInterfaceSettings.hpp"
#include "platform/text/DesktopTexts.hpp"
#include "platform/files/OwnFolderMigration.hpp"
#include "ui/design/ButtonKeys.hpp"
#include "ui/design/MotionPreference.hpp"

#include <QApplication>
#include <QThread>

#include <iostream>
#include <memory>
#include <string_view>
#include <variant>

namespace {

int usage(const std::string& problem) {
    std::cerr << "zentrel: " << problem << "\n"
              << "usage: zentrel [--layout linux|macos]"
                 " [--intent \"Smart Cleanup\"|\"Free Up Space\"|\"Scan Category\" [--category NAME]]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window or display is opened.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "zentrel " << ZENTREL_VERSION << std::endl;
        return std::cout ? 0 : 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Zentrel");
    QApplication::setDesktopFileName("zentrel");
    zentrel::ui::pressFocusedButtonsWithReturn();

    zentrel::app::InstanceRequest request;
    auto hostPlatform = zentrel::platform::currentHostPlatform();
    const auto arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const auto& argument = arguments[i];
        if ((argument == "--intent" || argument == "--category") && i + 1 < arguments.size()) {
            const auto value = arguments[++i].toStdString();
            if (value.empty()) return usage("empty value for " + argument.toStdString());
            (argument == "--intent" ? request.intent : request.category) = value;
        } else if (argument == "--layout" && i + 1 < arguments.size()) {
            const auto named = zentrel::platform::hostPlatformNamed(arguments[++i].toStdString());
            if (!named) return usage("--layout is linux or macos");
            hostPlatform = *named;
        } else {
            return usage("unknown argument \"" + argument.toStdString() + "\"");
        }
    }
    if (request.category && !request.intent) return usage("--category goes with --intent \"Scan Category\"");
    zentrel::platform::useDesktopTexts(zentrel::platform::Localization::shared(), hostPlatform);

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
