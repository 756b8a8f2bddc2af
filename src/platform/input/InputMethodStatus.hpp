#pragma once
// Whether the Vietnamese input method is known to the desktop's input-method
// framework, and whether it is the input method in use.

#include "platform/settings/Observable.hpp"

#include <functional>
#include <optional>
#include <string>

namespace zentrel::platform {

// What the typing manager shows of the framework, read in one go.
struct InputMethodReading {
    bool running = false;
    bool installed = false;
    bool selected = false;
    bool desktopKeepsInputSources = false;
    bool operator==(const InputMethodReading&) const = default;
};

// Every call but `observeEngineChanges` may wait on the framework: call them
// on a worker, never on the window's thread.
class InputMethodStatus {
public:
    virtual ~InputMethodStatus() = default;
    [[nodiscard]] virtual bool isInstalled() const = 0;
    [[nodiscard]] virtual bool isSelected() const = 0;
    // The name of the input method in use, where the framework says.
    [[nodiscard]] virtual std::optional<std::string> currentEngine() const { return std::nullopt; }
    // Whether the framework runs in this session.
    [[nodiscard]] virtual bool isRunning() const { return false; }
    // The engine comes with the framework's own engines (a package installed
    // it for every user), not from a copy this program installed.
    [[nodiscard]] virtual bool isProvidedBySystem() const { return false; }
    // The desktop keeps its own list of input sources and selects among them
    // itself, so that only the user can select the engine there.
    [[nodiscard]] virtual bool desktopKeepsInputSources() const { return false; }
    // Calls `changed`, on a thread of the watch's own, each time the
    // framework announces that it uses another engine, and `listening` there
    // each time the watch has subscribed (at first and after the framework
    // restarts): an engine chosen before then goes unannounced. Until the
    // subscription ends. No framework: never.
    [[nodiscard]] virtual Subscription observeEngineChanges(std::function<void()> /*changed*/,
                                                            std::function<void()> /*listening*/) const {
        return {};
    }

    [[nodiscard]] InputMethodReading reading() const {
        return {isRunning(), isInstalled(), isSelected(), desktopKeepsInputSources()};
    }
};

// Asks the IBus daemon: installed when it lists the engine among those of its
// component folder or those registered by running engine programs, selected
// when it is the global engine. No daemon: neither. The desktop keeps its
// own input sources on GNOME, whose shell selects IBus's engine itself.
class IBusInputMethodStatus final : public InputMethodStatus {
public:
    [[nodiscard]] bool isInstalled() const override;
    [[nodiscard]] bool isSelected() const override;
    [[nodiscard]] std::optional<std::string> currentEngine() const override;
    [[nodiscard]] bool isRunning() const override;
    [[nodiscard]] bool isProvidedBySystem() const override;
    [[nodiscard]] bool desktopKeepsInputSources() const override;
    // Follows the daemon's GlobalEngineChanged signal, and the daemon again
    // after it restarts.
    [[nodiscard]] Subscription observeEngineChanges(std::function<void()> changed,
                                                    std::function<void()> listening) const override;
};

}  // namespace zentrel::platform
