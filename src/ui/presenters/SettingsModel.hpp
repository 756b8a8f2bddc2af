#pragma once
// The settings the settings screens show and change, over the user
// preferences and the login-item service. One instance serves the Settings
// window and the window's settings page alike, so a change made in one shows
// in the other; each write goes straight to the store. Texts are translation
// keys.
//
// The start-at-login switch shows the state it reads back from the service
// and never acts on that read: a registration that waits, or a removal that
// failed, is shown as it stands, with the reason, and nothing is undone.

#include "model/UserPreferences.hpp"
#include "platform/desktop/LoginItemService.hpp"
#include "platform/settings/AnnouncedValue.hpp"
#include "platform/settings/Observable.hpp"
#include "platform/text/Localization.hpp"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zentrel::ui {

enum class SettingsSection { general, scanning, privacy, performance };

struct SettingsSectionInfo {
    SettingsSection section;
    const char* rawValue;
    const char* title;
    const char* systemImage;
};

[[nodiscard]] const std::array<SettingsSectionInfo, 4>& settingsSections();

struct IntervalChoice {
    const char* title;
    std::int64_t days;
};

// N_("Daily"), N_("Weekly"), N_("Monthly").
[[nodiscard]] const std::array<IntervalChoice, 3>& autoScanIntervals();

class SettingsModel final {
public:
    struct Services {
        model::UserPreferences& prefs;
        platform::LoginItemService& loginItems;
        // Asks the desktop to let the app notify; the answer is not awaited.
        std::function<void()> requestNotificationAuthorization;
        // Forgets the pictures' fingerprints kept for duplicate scans; runs off the window's thread.
        std::function<void()> clearMediaFingerprints;
    };

    explicit SettingsModel(Services services);

    platform::Published<model::ViewMode> viewMode{model::ViewMode::recommended};
    // Every read-back is announced, also when it equals what was shown.
    platform::AnnouncedValue<bool> loginItemOn{false};
    // Why the last change of the login switch did not take; none after one that did.
    platform::Published<std::optional<std::string>> loginItemProblem;
    // The only traffic the window makes by itself: the update check at start and daily.
    platform::Published<bool> automaticUpdateChecks{true};
    platform::Published<bool> autoScanEnabled{false};
    platform::Published<std::int64_t> autoScanIntervalDays{7};
    platform::Published<bool> notificationsEnabled{false};
    platform::Published<bool> autoCleanEnabled{false};
    platform::Published<bool> includeTerminal{false};
    platform::Published<bool> includePasteboard{false};
    platform::Published<bool> energyDigestEnabled{true};
    platform::Published<bool> focusAutoCalmEnabled{false};

    // Reads every value again, as a newly shown settings screen does; writes nothing.
    void reload();

    void setViewMode(model::ViewMode mode);
    // Registers or unregisters, then shows what the service reports.
    void setLaunchAtLogin(bool wanted);
    void setAutomaticUpdateChecks(bool enabled);
    void setAutoScanEnabled(bool enabled);
    void setAutoScanIntervalDays(std::int64_t days);
    // Turning it on also asks for the desktop's permission to notify.
    void setNotificationsEnabled(bool enabled);
    void setAutoCleanEnabled(bool enabled);
    void setIncludeTerminal(bool include);
    void setIncludePasteboard(bool include);
    void clearMediaFingerprints();
    void setEnergyDigestEnabled(bool enabled);
    void setFocusAutoCalmEnabled(bool enabled);

    // The store the settings screens keep their own state in, such as the window's place.
    [[nodiscard]] platform::DefaultsStore& defaults() const { return services_.prefs.defaults(); }

private:
    void store(platform::Published<bool>& value, const char* key, bool newValue);

    Services services_;
};

}  // namespace zentrel::ui
