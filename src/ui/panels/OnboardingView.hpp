#pragma once
// The first-run pager, 680 x 640: page dots, the four steps one at a time,
// and a Back and Continue bar; Ctrl+Return continues, and on the last step
// finishes. The last step holds the permission checklist and the finish
// button, whose title says whether the required permissions are granted.

#include "ui/panels/OnboardingParts.hpp"
#include "ui/panels/PermissionChecklistView.hpp"
#include "ui/presenters/OnboardingPresenter.hpp"

#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>

#include <functional>
#include <string>
#include <vector>

namespace zentrel::ui {

class OnboardingView final : public QWidget {
public:
    struct Services {
        services::PermissionsManager& permissions;
        TypingPermission& typing;
        // Stores that onboarding is done; the window then moves on.
        std::function<void()> onFinished;
        // The first frame the user can act on (the launch metric).
        std::function<void()> appeared;
        std::vector<std::string> preferredLanguages;
        // The categories this desktop shows, which the rows may name.
        std::vector<model::CategoryType> categories;
    };

    static constexpr int kWidth = 680;
    static constexpr int kHeight = 640;

    explicit OnboardingView(Services services, QWidget* parent = nullptr);

    [[nodiscard]] OnboardingPager& pager() { return pager_; }
    [[nodiscard]] PageDotsView* dots() const { return dots_; }
    [[nodiscard]] QPushButton* backButton() const { return back_; }
    [[nodiscard]] QPushButton* continueButton() const { return continue_; }
    [[nodiscard]] QPushButton* finishButton() const { return finish_; }
    [[nodiscard]] QStackedWidget* pages() const { return pages_; }
    // Ctrl+Return.
    void confirm();

protected:
    void showEvent(QShowEvent* event) override;

private:
    [[nodiscard]] QWidget* permissionsStep();
    void showStep(int step);
    void focusDefaultButton(int step);
    void updateFinishTitle();

    Services services_;
    OnboardingPager pager_;
    PageDotsView* dots_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* continue_ = nullptr;
    QPushButton* finish_ = nullptr;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
