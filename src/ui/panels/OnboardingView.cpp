#include "ui/panels/OnboardingView.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/MotionPreference.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/SectionReveal.hpp"
#include "ui/panels/PanelStyle.hpp"

#include <QAccessible>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPropertyAnimation>

namespace zentrel::ui {
namespace {

const QKeySequence kConfirmKeys(Qt::CTRL | Qt::Key_Return);

}  // namespace

OnboardingView::OnboardingView(Services services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 32, 0, 0);
    layout->setSpacing(0);

    dots_ = new PageDotsView(pager_.totalSteps(), this);
    layout->addWidget(dots_, 0, Qt::AlignHCenter);
    new SectionReveal(dots_, 0, reducedMotion());

    pages_ = new QStackedWidget(this);
    const auto& steps = onboardingSteps();
    pages_->addWidget(stepLayout(steps[0], {stepCard(welcomeRows(services_.categories), RowKind::feature)}));
    pages_->addWidget(stepLayout(steps[1], {stepCard(safetyRows(services_.categories), RowKind::safety)}));
    pages_->addWidget(stepLayout(steps[2], {stepCard(featureRows(services_.preferredLanguages), RowKind::feature)}));
    pages_->addWidget(permissionsStep());
    layout->addWidget(pages_, 1);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(32, 0, 32, 32);
    back_ = new QPushButton(localizedText("Back"), this);
    back_->setFlat(true);
    back_->setFont(DesignTokens::bodyFont().font());
    back_->setAccessibleDescription(localizedText("Returns to the previous onboarding step."));
    connect(back_, &QPushButton::clicked, this, [this] { pager_.back(); });
    continue_ = new PrimaryButton(localizedText("Continue"), std::nullopt, PrimaryButton::Variant::accent, false,
                                  [this] { pager_.advance(); }, this);
    setPlainToolTip(*continue_, kConfirmKeys.toString(QKeySequence::NativeText));
    bar->addWidget(back_);
    bar->addStretch();
    bar->addWidget(continue_);
    layout->addLayout(bar);

    auto* shortcut = new QShortcut(kConfirmKeys, this);
    connect(shortcut, &QShortcut::activated, this, [this] { confirm(); });
    auto* keypad = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), this);
    connect(keypad, &QShortcut::activated, this, [this] { confirm(); });

    observers_.push_back(pager_.step.observe([this](const int& step) { showStep(step); }));
    observers_.push_back(services_.permissions.fullDiskAccess.observe([this](const bool&) { updateFinishTitle(); }));
    showStep(0);
}

QWidget* OnboardingView::permissionsStep() {
    auto* checklist = new PermissionChecklistView(services_.permissions, services_.typing, true);
    new SectionReveal(checklist, 0.04, reducedMotion());

    auto* note = new QWidget;
    auto* noteLayout = new QHBoxLayout(note);
    noteLayout->setContentsMargins(0, 0, 0, 0);
    noteLayout->setSpacing(8);
    noteLayout->addStretch();
    const auto network = networkNote();
    noteLayout->addWidget(symbolLabel(network.icon, DesignTokens::bodyFont(), DesignTokens::textSecondary(), note));
    noteLayout->addWidget(tokenLabel(localizedText(network.text),
                                     DesignTokens::detailFont(), DesignTokens::textSecondary(), note));
    noteLayout->addStretch();
    new SectionReveal(note, 0.08, reducedMotion());

    auto* finishRow = new QWidget;
    auto* finishLayout = new QHBoxLayout(finishRow);
    finishLayout->setContentsMargins(0, 0, 0, 0);
    finish_ = new PrimaryButton({}, QString("arrow.right.circle.fill"), PrimaryButton::Variant::accent, false,
                                [this] { services_.onFinished(); }, finishRow);
    finish_->setFont(weighted(DesignTokens::bodyFont(), QFont::Medium).font());
    setPlainToolTip(*finish_, kConfirmKeys.toString(QKeySequence::NativeText));
    finishLayout->addStretch();
    finishLayout->addWidget(finish_);
    finishLayout->addStretch();
    new SectionReveal(finishRow, 0.1, reducedMotion());
    updateFinishTitle();

    return stepLayout(onboardingSteps()[3], {checklist, note, finishRow});
}

void OnboardingView::showStep(int step) {
    dots_->setStep(step);
    const auto bar = onboardingBar(step, pager_.totalSteps());
    back_->setVisible(bar.showsBack);
    continue_->setVisible(bar.showsContinue);
    // The new page fades in with the hover curve, also with motion reduced.
    auto* page = pages_->widget(step);
    auto* effect = new QGraphicsOpacityEffect(page);
    page->setGraphicsEffect(effect);
    auto* fade = new QPropertyAnimation(effect, "opacity", page);
    const auto& hover = DesignTokens::hoverAnimation();
    fade->setDuration(hover.durationMs);
    fade->setEasingCurve(hover.curve);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    connect(fade, &QPropertyAnimation::finished, page, [page] { page->setGraphicsEffect(nullptr); });
    pages_->setCurrentIndex(step);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    focusDefaultButton(step);
}

void OnboardingView::focusDefaultButton(int step) {
    // Return and the focus are on the step's way forward (never on Back), and
    // the step's heading is what a screen reader says with it as it appears.
    auto* button = onboardingBar(step, pager_.totalSteps()).showsContinue ? continue_ : finish_;
    const auto& shown = onboardingSteps()[static_cast<std::size_t>(step)];
    button->setAccessibleDescription(localizedText(shown.title) + ". " + localizedText(shown.subtitle));
    if (button->hasFocus()) {
        // Still focused from the step before: it is announced again.
        QAccessibleEvent focus(button, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    } else {
        button->setFocus(Qt::OtherFocusReason);
    }
}

void OnboardingView::updateFinishTitle() {
    if (finish_ == nullptr) return;
    finish_->setText(localizedText(finishTitle(services_.permissions.requiredPermissionsGranted())));
}

void OnboardingView::confirm() {
    if (pager_.confirm()) services_.onFinished();
}

void OnboardingView::showEvent(QShowEvent* event) {
    if (services_.appeared) services_.appeared();
    QWidget::showEvent(event);
}

}  // namespace zentrel::ui
