#pragma once
// Whether the Vietnamese input method is known to the desktop's input-method
// framework, and whether it is the input method in use.

#include <optional>
#include <string>

namespace zentrel::platform {

class InputMethodStatus {
public:
    virtual ~InputMethodStatus() = default;
    [[nodiscard]] virtual bool isInstalled() const = 0;
    [[nodiscard]] virtual bool isSelected() const = 0;
    // The name of the input method in use, where the framework says.
    [[nodiscard]] virtual std::optional<std::string> currentEngine() const { return std::nullopt; }
};

// Asks the IBus daemon: installed when it lists the engine among those of its
// component folder or those registered by running engine programs, selected
// when it is the global engine. No daemon: neither.
class IBusInputMethodStatus final : public InputMethodStatus {
public:
    [[nodiscard]] bool isInstalled() const override;
    [[nodiscard]] bool isSelected() const override;
    [[nodiscard]] std::optional<std::string> currentEngine() const override;
};

}  // namespace zentrel::platform
