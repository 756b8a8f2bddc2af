#pragma once
// Doubles of the permission seams: a Full Disk Access test, Accessibility
// trust, notification authorization, the settings-page opener and the app
// launcher. Each answers from a field the test sets and records its calls.
// They answer on the calling thread.

#include "platform/accessibility/AccessibilityTrust.hpp"
#include "platform/desktop/NotificationAuthorization.hpp"
#include "platform/desktop/SettingsPageOpener.hpp"
#include "platform/processes/AppInstanceLauncher.hpp"
#include "services/permissions/FullDiskAccessProbe.hpp"

#include <string>
#include <vector>

namespace zentrel::testing {

class FakeFullDiskAccessProbe final : public services::FullDiskAccessProbe {
public:
    bool granted = false;
    mutable int callCount = 0;

    [[nodiscard]] bool canReadProtectedFiles() const override {
        ++callCount;
        return granted;
    }
};

class FakeAccessibilityTrust final : public platform::AccessibilityTrust {
public:
    bool trusted = false;
    std::vector<bool> promptsAsked;  // the prompt argument of every check

    [[nodiscard]] bool isProcessTrusted(bool prompt) override {
        promptsAsked.push_back(prompt);
        return trusted;
    }
};

class FakeNotificationAuthorization final : public platform::NotificationAuthorization {
public:
    platform::NotificationAuthorizationStatus status = platform::NotificationAuthorizationStatus::notDetermined;
    // What the user answers to a request; the status follows it.
    bool grantOnRequest = true;
    int statusReads = 0;
    std::vector<platform::NotificationAuthorizationOptions> requests;

    void currentStatus(StatusHandler done) override {
        ++statusReads;
        done(status);
    }
    void requestAuthorization(platform::NotificationAuthorizationOptions options, RequestHandler done) override {
        requests.push_back(options);
        status = grantOnRequest ? platform::NotificationAuthorizationStatus::authorized
                                : platform::NotificationAuthorizationStatus::denied;
        done(grantOnRequest, std::nullopt);
    }
};

class RecordingSettingsPageOpener final : public platform::SettingsPageOpener {
public:
    std::vector<std::string> opened;
    bool hasPages = true;  // whether the desktop has a page for each address
    void open(std::string_view url) override { opened.emplace_back(url); }
    bool canOpen(std::string_view) const override { return hasPages; }
};

class FakeAppInstanceLauncher final : public platform::AppInstanceLauncher {
public:
    bool starts = true;
    int launches = 0;
    void openNewInstance(std::function<void(bool started)> done) override {
        ++launches;
        done(starts);
    }
};

}  // namespace zentrel::testing
