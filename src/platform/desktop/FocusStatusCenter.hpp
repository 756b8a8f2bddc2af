#pragma once
// Whether the user has a Focus (do-not-disturb) mode on, and the permission
// to know it. The desktop backend reads the desktop's do-not-disturb setting
// where it can; tests set the answers.

#include <functional>
#include <optional>

namespace zentrel::platform {

enum class FocusAuthorizationStatus { notDetermined = 0, restricted = 1, denied = 2, authorized = 3 };

class FocusStatusCenter {
public:
    virtual ~FocusStatusCenter() = default;
    [[nodiscard]] virtual FocusAuthorizationStatus authorizationStatus() const = 0;
    // Asks the user; `done` may run on any thread.
    virtual void requestAuthorization(std::function<void(FocusAuthorizationStatus)> done) = 0;
    // The current status; none when it cannot be read.
    [[nodiscard]] virtual std::optional<bool> isFocused() const = 0;
};

// GNOME's "show-banners" setting turned off is its do-not-disturb mode. No
// permission is needed to read it; without the setting, nothing is focused.
class DesktopFocusStatusCenter final : public FocusStatusCenter {
public:
    [[nodiscard]] FocusAuthorizationStatus authorizationStatus() const override {
        return FocusAuthorizationStatus::authorized;
    }
    void requestAuthorization(std::function<void(FocusAuthorizationStatus)> done) override {
        done(FocusAuthorizationStatus::authorized);
    }
    [[nodiscard]] std::optional<bool> isFocused() const override;
};

}  // namespace zentrel::platform
