#pragma once
// The update banner: a small card that names the version found by the
// background update check, with "Update now", "Later" and a close button.
// It takes no room without a pending update, slides in from the trailing
// edge while fading in when one arrives, and out the same way once it is
// dismissed (at once where motion is reduced).

#include "platform/settings/Observable.hpp"
#include "ui/presenters/UpdateBannerPresenter.hpp"

#include <QGraphicsOpacityEffect>
#include <QPushButton>
#include <QVariantAnimation>
#include <QWidget>

#include <optional>

namespace zentrel::ui {

class GlassCard;

class UpdateAvailableBanner final : public QWidget {
public:
    static constexpr int kMaximumWidth = 320;
    static constexpr int kSlideDistance = 24;

    explicit UpdateAvailableBanner(UpdateBannerPresenter& presenter, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QPushButton* updateNowButton() const { return updateNow_; }
    [[nodiscard]] QPushButton* laterButton() const { return later_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }
    [[nodiscard]] bool isShowingUpdate() const { return shown_.has_value(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void build(const UpdateBannerContent& content);
    void animate(bool in);
    void place();

    UpdateBannerPresenter& presenter_;
    std::optional<UpdateBannerContent> shown_;
    GlassCard* card_ = nullptr;
    QPushButton* updateNow_ = nullptr;
    QPushButton* later_ = nullptr;
    QPushButton* close_ = nullptr;
    QGraphicsOpacityEffect* opacity_ = nullptr;
    QVariantAnimation animation_;
    double progress_ = 0.0;  // 0 out of sight, 1 in place
    platform::Subscription changed_;
};

}  // namespace zentrel::ui
