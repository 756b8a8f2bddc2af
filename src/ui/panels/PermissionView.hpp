#pragma once
// The Full Disk Access screen, shown in place of the content while the home
// folder cannot be read: why access is needed, a button to where it is
// given, N_("I've granted access — continue") with its check, the denied card
// with a restart, and the steps. While shown it holds a reference on the
// shared permission poll, and coming back to the app checks again.

#include "platform/text/Localization.hpp"
#include "ui/presenters/FullDiskAccessScreen.hpp"
#include "ui/presenters/PermissionChecklist.hpp"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <functional>
#include <optional>

namespace zentrel::ui {

class PermissionView final : public QWidget {
public:
    struct Services {
        services::PermissionsManager& permissions;
        platform::TimerScheduler& timers;
        platform::Signal<>& didBecomeActive;
        // Opens the place where access is given.
        std::function<void()> openAccessSettings;
        std::function<void()> appeared;
    };

    explicit PermissionView(Services services, QWidget* parent = nullptr);

    [[nodiscard]] FullDiskAccessScreen& screen() { return screen_; }
    [[nodiscard]] QPushButton* openSettingsButton() const { return open_; }
    [[nodiscard]] QPushButton* grantedButton() const { return granted_; }
    [[nodiscard]] QWidget* deniedCard() const { return denied_; }
    [[nodiscard]] bool holdsPoll() const { return lease_.has_value(); }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    [[nodiscard]] QWidget* makeDeniedCard();
    [[nodiscard]] QWidget* makeStepsCard();
    void showChecking(bool checking);

    Services services_;
    FullDiskAccessScreen screen_;
    QPushButton* open_ = nullptr;
    QPushButton* granted_ = nullptr;
    QProgressBar* spinner_ = nullptr;
    QWidget* denied_ = nullptr;
    std::optional<PermissionPollLease> lease_;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
