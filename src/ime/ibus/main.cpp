// zentrel-ime: the Vietnamese input method as an IBus engine. The IBus
// daemon starts it with "--ibus" from its component file; `--xml [PROGRAM]`
// prints that component file for this program's path (or PROGRAM's).
// Without arguments (the per-user install and its autostart entry) it
// registers the engine with the running daemon, waiting for one to appear
// and registering again after the daemon restarts; a copy whose program file
// an update replaced ends at that restart instead. Where the engine was
// selected before (first of IBus's preload engines), registering selects it
// again: IBus picks its engine at its start, before this copy has
// registered, and so falls back to the keyboard's plain layout.

#include "ime/FocusedClientProgram.hpp"
#include "ime/ibus/GLibMainQueue.hpp"
#include "ime/ibus/SettingsChangeListener.hpp"
#include "ime/ibus/ZentrelIBusEngine.hpp"
#include "platform/desktop/SessionBusNotificationCenter.hpp"
#include "platform/files/OwnFolderMigration.hpp"
#include "platform/input/IBusPreloadEngines.hpp"
#include "platform/input/X11FrontmostApplication.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/text/DesktopTexts.hpp"
#include "typing/engine/VietIMESharedSettings.hpp"

#include <ibus.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

namespace {

using namespace zentrel;

constexpr const char* kEngineName = "com.torvane.zentrel.ime";
constexpr const char* kComponentName = "com.torvane.zentrel.ime";
// The package's icon, found by name in the icon theme.
constexpr const char* kIconName = "zentrel";

std::string ownPath() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("zentrel-ime") : path.string();
}

// Keeps text safe inside XML element content.
std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

// An update renames a new program over this one's file.
bool programFileReplaced() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error).string();
    return !error && path.ends_with(" (deleted)");
}

void printComponent(const std::string& program) {
    std::cout << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
              << "<component>\n"
              << "  <name>" << kComponentName << "</name>\n"
              << "  <description>Zentrel Vietnamese typing</description>\n"
              << "  <exec>" << escaped(program) << " --ibus</exec>\n"
              << "  <version>" << ZENTREL_VERSION << "</version>\n"
              << "  <license>Proprietary</license>\n"
              << "  <author>Torvane</author>\n"
              << "  <textdomain>zentrel</textdomain>\n"
              << "  <engines>\n"
              << "    <engine>\n"
              << "      <name>" << kEngineName << "</name>\n"
              << "      <language>vi</language>\n"
              << "      <license>Proprietary</license>\n"
              << "      <author>Torvane</author>\n"
              << "      <layout>us</layout>\n"
              << "      <icon>" << kIconName << "</icon>\n"
              << "      <longname>Zentrel Vietnamese</longname>\n"
              << "      <description>Telex, VNI and VIQR</description>\n"
              << "      <rank>0</rank>\n"
              << "    </engine>\n"
              << "  </engines>\n"
              << "</component>\n";
}

// One factory per connection to the daemon; a registering copy also
// registers its component on each connection.
IBusFactory* factory = nullptr;

void serve(IBusBus* connected, bool registerComponent) {
    if (factory != nullptr) g_object_unref(factory);
    factory = ibus_factory_new(ibus_bus_get_connection(connected));
    ime::addZentrelIBusEngine(factory, kEngineName);
    if (!registerComponent) {
        ibus_bus_request_name(connected, kComponentName, 0);
        return;
    }
    const auto description = platform::localized("Zentrel Vietnamese typing");
    const auto longName = platform::localized("Zentrel Vietnamese");
    const auto methods = platform::localized("Telex, VNI and VIQR");
    IBusComponent* component = ibus_component_new(kComponentName, description.c_str(), ZENTREL_VERSION, "Proprietary",
                                                  "Torvane", "", "", "zentrel");
    ibus_component_add_engine(component, ibus_engine_desc_new(kEngineName, longName.c_str(), methods.c_str(), "vi",
                                                              "Proprietary", "Torvane", kIconName, "us"));
    ibus_bus_register_component(connected, component);
    const auto preload = platform::ibusPreloadEngines();
    if (!preload.empty() && preload.front() == kEngineName) {
        IBusEngineDesc* current = ibus_bus_get_global_engine(connected);
        const bool selected = current != nullptr && g_strcmp0(ibus_engine_desc_get_name(current), kEngineName) == 0;
        if (current != nullptr) g_object_unref(current);
        // Not awaited: the daemon makes the engine through this program's own connection.
        if (!selected) ibus_bus_set_global_engine_async(connected, kEngineName, -1, nullptr, nullptr, nullptr);
    }
}

// The registering copy's connection, made again every half second while no
// daemon answers.
IBusBus* registeringBus = nullptr;
constexpr guint kReconnectMs = 500;

gboolean connectAndRegister(gpointer) {
    if (registeringBus != nullptr) {
        g_signal_handlers_disconnect_by_data(registeringBus, &registeringBus);
        g_object_unref(registeringBus);
    }
    registeringBus = ibus_bus_new();
    if (!ibus_bus_is_connected(registeringBus)) {
        g_timeout_add(kReconnectMs, connectAndRegister, nullptr);
        return G_SOURCE_REMOVE;
    }
    serve(registeringBus, true);
    g_signal_connect(registeringBus, "disconnected", G_CALLBACK(+[](IBusBus*, gpointer) {
                         if (programFileReplaced()) {
                             ibus_quit();
                         } else {
                             g_timeout_add(kReconnectMs, connectAndRegister, nullptr);
                         }
                     }),
                     &registeringBus);
    return G_SOURCE_REMOVE;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "--xml") {
        printComponent(argc > 2 ? argv[2] : ownPath());
        return 0;
    }
    if (mode != "--ibus" && !mode.empty()) {
        std::cerr << "usage: zentrel-ime [--ibus | --xml]\n";
        return 2;
    }

    ibus_init();
    platform::useDesktopTexts(platform::Localization::shared(), platform::currentHostPlatform());
    const bool registering = mode.empty();
    IBusBus* bus = registering ? nullptr : ibus_bus_new();
    if (!registering && !ibus_bus_is_connected(bus)) {
        std::cerr << "zentrel-ime: the IBus daemon cannot be reached\n";
        return 1;
    }

    const auto layout = platform::HostLayout::fromEnvironment();
    (void)platform::moveLegacyOwnFolders(layout);
    platform::Signal<> settingsChanged;
    ime::SettingsChangeListener listener(std::string(typing::VietIMESharedSettings::didChangeNotification),
                                         settingsChanged);
    ime::GLibMainQueue engineQueue;
    // Qt's clients are named from the process of the X11 window with the keyboard.
    ime::FocusedClientProgram focusedClientProgram(engineQueue, [] {
        auto frontmost = std::make_shared<platform::x11::X11FrontmostApplication>();
        return [frontmost]() -> std::optional<std::int64_t> {
            const auto application = frontmost->current();
            return application ? std::optional(application->processID) : std::nullopt;
        };
    });
    // The main app switches typing for the program and writes the snapshot again.
    const auto toggleProgram = [](const std::string& program) {
        auto notifications = platform::SessionBusNotificationCenter::fromEnvironment();
        if (!notifications.post(typing::VietIMESharedSettings::toggleProgramNotification(program))) {
            std::cerr << "zentrel-ime: the main app could not be asked to switch typing for " << program << "\n";
        }
    };
    ime::setIBusEngineEnvironment({[layout] { return typing::VietIMESharedSettings::load(layout); }, &settingsChanged,
                                   &focusedClientProgram, toggleProgram});

    if (registering) {
        (void)connectAndRegister(nullptr);
    } else {
        serve(bus, false);
        g_signal_connect(bus, "disconnected", G_CALLBACK(+[](IBusBus*, gpointer) { ibus_quit(); }), nullptr);
    }
    ibus_main();
    if (factory != nullptr) g_object_unref(factory);
    if (bus != nullptr) g_object_unref(bus);
    if (registeringBus != nullptr) g_object_unref(registeringBus);
    return 0;
}
