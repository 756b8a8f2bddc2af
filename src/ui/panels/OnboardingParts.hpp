#pragma once
// The pieces of the first-run pager: the animated page dots, a step's
// pulsing hero, the layout every step shares and the rows of its cards.

#include "ui/presenters/OnboardingPresenter.hpp"

#include <QLabel>
#include <QScrollArea>
#include <QVariantAnimation>
#include <QWidget>

#include <vector>

namespace zentrel::ui {

// One capsule per step: accent up to the current one, which is wide.
class PageDotsView final : public QWidget {
public:
    static constexpr int kDot = 8;
    static constexpr int kWideDot = 24;
    static constexpr int kSpacing = 8;

    explicit PageDotsView(int totalSteps, QWidget* parent = nullptr);

    void setStep(int step);
    [[nodiscard]] const std::vector<PageDot>& dots() const { return dots_; }
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int totalSteps_;
    int step_ = 0;
    int previous_ = 0;
    std::vector<PageDot> dots_;
    QVariantAnimation animation_;
};

// The tinted circle with the step's symbol, pulsing while shown.
class StepHero final : public QWidget {
public:
    static constexpr int kPulses = 3;

    StepHero(const OnboardingStep& step, QWidget* parent = nullptr);
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] bool isPulsing() const { return pulse_.state() == QAbstractAnimation::Running; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    OnboardingStep step_;
    int diameter_;
    QVariantAnimation pulse_;
};

// Hero, heading and the step's content, in a vertical scroll area.
[[nodiscard]] QScrollArea* stepLayout(const OnboardingStep& step, const std::vector<QWidget*>& content);
// A card of feature or safety rows.
enum class RowKind { feature, safety };
[[nodiscard]] QWidget* stepCard(const std::vector<OnboardingRow>& rows, RowKind kind);

}  // namespace zentrel::ui
