#pragma once
// Installs the input-method program for the current user and answers
// whether IBus knows it and uses it. The `zentrel-ime` program ships beside
// `zentrel`; installing copies it into the user's data folder (staged
// beside the old copy and renamed over it, so a failed install leaves the
// old one working), adds an autostart entry that starts it at login (it then
// registers its engine with the IBus daemon), restarts IBus and starts the
// new copy, neither awaited. Where an installed package already gives IBus
// the engine, no second copy is made: that one is selected. Whether the
// engine is installed and selected is asked of IBus.

#include "platform/input/InputMethodStatus.hpp"
#include "platform/places/HostLayout.hpp"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zentrel::typing {

class ZentrelIMEInstaller final {
public:
    static constexpr std::string_view kProgramName = "zentrel-ime";
    static constexpr std::string_view kEngineName = "com.torvane.zentrel.ime";

    struct InstallError {
        enum class Kind { copyFailed, bundledIMENotFound };
        Kind kind;
        std::string detail;  // the failing file operation's message, for copyFailed
        [[nodiscard]] std::string description() const;
        bool operator==(const InstallError&) const = default;
    };
    // A package already put the engine among IBus's own: nothing is copied
    // and that engine is selected instead.
    struct ProvidedBySystem {
        bool operator==(const ProvidedBySystem&) const = default;
    };
    using InstallResult = std::variant<std::filesystem::path, InstallError, ProvidedBySystem>;

    // Starts a program that is never waited for; false when it could not start.
    using Launcher = std::function<bool(const std::vector<std::string>& command)>;

    // Puts an engine first in the engines IBus selects at its start, or takes it out.
    using EngineKeeper = std::function<void(const std::string& engine, bool first)>;

    struct Environment {
        std::filesystem::path programFolder;      // where the running program lies
        std::filesystem::path installedPrograms;  // the install tree's helper folder
        platform::HostLayout layout;
        const platform::InputMethodStatus& status;
        Launcher launch;
        EngineKeeper keepEngine = {};
    };

    explicit ZentrelIMEInstaller(Environment environment) : env_(std::move(environment)) {}
    // For the running program: its own folder, the install tree's helper
    // folder relative to it, and programs started detached.
    [[nodiscard]] static Environment programEnvironment(platform::HostLayout layout,
                                                        const platform::InputMethodStatus& status);

    [[nodiscard]] InstallResult install();
    // The program that ships with this one: beside it, else in the install tree.
    [[nodiscard]] std::optional<std::filesystem::path> locateIMEBundle() const;
    [[nodiscard]] InstallResult copyToUserInputMethods(const std::filesystem::path& source);
    // Restarts IBus and starts the installed engine; failures are dropped.
    void restartTextInputMenuAgent();
    // The installed copy under the user's data folder.
    [[nodiscard]] std::filesystem::path destination() const;
    [[nodiscard]] bool isInstalled() const { return env_.status.isInstalled(); }
    // The engine's name when IBus lists it.
    [[nodiscard]] std::optional<std::string> findInputSource() const;
    [[nodiscard]] bool isSelected() const { return env_.status.isSelected(); }
    // Makes the engine IBus's current one (the typing card's select call),
    // and first of the engines IBus selects at its start, so that it stays
    // selected across an IBus restart and a new login: an engine registered
    // per user is not offered in IBus's preferences.
    // False when IBus's command could not be started; it switches the
    // engine shortly after, unawaited.
    bool selectInputSource();
    // While the engine is IBus's current one, selects the engine that was in
    // use before `selectInputSource()`, else the keyboard's plain layout, so
    // that the key tap does not convert a second time; IBus's start no longer
    // selects it either. False when nothing was started.
    bool restorePreviousInputSource();
    static constexpr std::string_view kPlainKeyboardEngine = "xkb:us::eng";
    // IBus's preferences, where an engine installed system-wide is added.
    void openInputSourcesSettings();

private:
    Environment env_;
    std::optional<std::string> previousEngine_;
};

}  // namespace zentrel::typing
