#include "ui/presenters/SettingsModel.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::ui {
namespace {

constexpr const char* kAutoScanEnabled = "autoScanEnabled";
constexpr const char* kAutoScanIntervalDays = "autoScanIntervalDays";
constexpr const char* kNotificationsEnabled = "notificationsEnabled";
constexpr const char* kAutoCleanEnabled = "autoCleanEnabled";
constexpr const char* kIncludeTerminal = "privacyIncludeTerminalHistory";
constexpr const char* kIncludePasteboard = "privacyIncludePasteboardAnalysis";
constexpr const char* kEnergyDigestEnabled = "energyDigestEnabled";
constexpr const char* kFocusAutoCalmEnabled = "focusAutoCalmEnabled";
constexpr std::int64_t kDefaultIntervalDays = 7;

}  // namespace

const std::array<SettingsSectionInfo, 4>& settingsSections() {
    static const std::array<SettingsSectionInfo, 4> sections{{
        {SettingsSection::general, "general", N_("General"), "gear"},
        {SettingsSection::scanning, "scanning", N_("Scanning"), "magnifyingglass"},
        {SettingsSection::privacy, "privacy", N_("Privacy"), "eye.slash"},
        {SettingsSection::performance, "performance", N_("Performance"), "bolt.batteryblock"},
    }};
    return sections;
}

const std::array<IntervalChoice, 3>& autoScanIntervals() {
    static const std::array<IntervalChoice, 3> choices{{{N_("Daily"), 1}, {N_("Weekly"), 7}, {N_("Monthly"), 30}}};
    return choices;
}

SettingsModel::SettingsModel(Services services) : services_(std::move(services)) { reload(); }

void SettingsModel::reload() {
    const auto& defaults = services_.prefs.defaults();
    viewMode.set(services_.prefs.viewMode());
    loginItemOn.set(services_.loginItems.isRegistered());
    automaticUpdateChecks.set(services_.prefs.automaticUpdateChecksEnabled());
    autoScanEnabled.set(defaults.boolean(kAutoScanEnabled));
    const auto interval = defaults.integer(kAutoScanIntervalDays);
    autoScanIntervalDays.set(interval > 0 ? interval : kDefaultIntervalDays);
    notificationsEnabled.set(defaults.boolean(kNotificationsEnabled));
    autoCleanEnabled.set(defaults.boolean(kAutoCleanEnabled));
    includeTerminal.set(defaults.boolean(kIncludeTerminal));
    includePasteboard.set(defaults.boolean(kIncludePasteboard));
    energyDigestEnabled.set(services_.prefs.energyDigestEnabled());
    focusAutoCalmEnabled.set(defaults.boolean(kFocusAutoCalmEnabled));
}

void SettingsModel::setViewMode(model::ViewMode mode) {
    services_.prefs.setViewMode(mode);
    viewMode.set(mode);
}

void SettingsModel::setLaunchAtLogin(bool wanted) {
    const auto error = model::UserPreferences::setLaunchAtLogin(services_.loginItems, wanted);
    const bool registered = services_.loginItems.isRegistered();
    loginItemOn.set(registered);
    if (registered == wanted) {
        loginItemProblem.set(std::nullopt);
    } else if (error) {
        loginItemProblem.set(platform::localizedFormat(
            wanted ? "Could not turn on start at login: %@" : N_("Could not turn off start at login: %@"), {*error}));
    } else {
        loginItemProblem.set(platform::localized("The autostart entry did not change."));
    }
}

void SettingsModel::setAutomaticUpdateChecks(bool enabled) {
    services_.prefs.setAutomaticUpdateChecksEnabled(enabled);
    automaticUpdateChecks.set(enabled);
}

void SettingsModel::setAutoScanEnabled(bool enabled) { store(autoScanEnabled, kAutoScanEnabled, enabled); }

void SettingsModel::setAutoScanIntervalDays(std::int64_t days) {
    services_.prefs.defaults().setInteger(kAutoScanIntervalDays, days);
    autoScanIntervalDays.set(days);
}

void SettingsModel::setNotificationsEnabled(bool enabled) {
    store(notificationsEnabled, kNotificationsEnabled, enabled);
    if (enabled && services_.requestNotificationAuthorization) services_.requestNotificationAuthorization();
}

void SettingsModel::setAutoCleanEnabled(bool enabled) { store(autoCleanEnabled, kAutoCleanEnabled, enabled); }

void SettingsModel::setIncludeTerminal(bool include) { store(includeTerminal, kIncludeTerminal, include); }

void SettingsModel::setIncludePasteboard(bool include) { store(includePasteboard, kIncludePasteboard, include); }

void SettingsModel::clearMediaFingerprints() {
    if (services_.clearMediaFingerprints) services_.clearMediaFingerprints();
}

void SettingsModel::setEnergyDigestEnabled(bool enabled) {
    store(energyDigestEnabled, kEnergyDigestEnabled, enabled);
}

void SettingsModel::setFocusAutoCalmEnabled(bool enabled) {
    store(focusAutoCalmEnabled, kFocusAutoCalmEnabled, enabled);
}

void SettingsModel::store(platform::Published<bool>& value, const char* key, bool newValue) {
    services_.prefs.defaults().setBool(key, newValue);
    value.set(newValue);
}

}  // namespace zentrel::ui
