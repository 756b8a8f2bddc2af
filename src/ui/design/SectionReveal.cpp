#include "ui/design/SectionReveal.hpp"

#include "ui/design/DesignTokens.hpp"

#include <cmath>

namespace zentrel::ui {

SectionReveal::SectionReveal(QWidget* section, double delaySeconds, bool reduceMotion)
    : QObject(section), section_(section), margins_(section->contentsMargins()) {
    if (reduceMotion) {
        appeared_ = true;
        progress_ = 1.0;
        return;
    }
    effect_ = new QGraphicsOpacityEffect(section_);
    section_->setGraphicsEffect(effect_);
    show(0.0);
    animation_.setEasingCurve(DesignTokens::revealAnimation().curve);
    animation_.setDuration(DesignTokens::revealAnimation().durationMs);
    animation_.setStartValue(0.0);
    animation_.setEndValue(1.0);
    QObject::connect(&animation_, &QVariantAnimation::valueChanged, this,
                     [this](const QVariant& value) { show(value.toDouble()); });
    // Once in place the section draws itself: an effect left behind smears
    // the section when a scroll area moves it.
    QObject::connect(&animation_, &QVariantAnimation::finished, this, [this] {
        section_->setGraphicsEffect(nullptr);
        effect_ = nullptr;
    });
    delay_.setSingleShot(true);
    delay_.setInterval(static_cast<int>(std::lround(delaySeconds * 1000)));
    QObject::connect(&delay_, &QTimer::timeout, this, [this] {
        appeared_ = true;
        animation_.start();
    });
    delay_.start();
}

double SectionReveal::opacity() const { return progress_; }

double SectionReveal::offset() const { return kOffset * (1.0 - progress_); }

void SectionReveal::show(double progress) {
    progress_ = progress;
    if (effect_ != nullptr) effect_->setOpacity(progress);
    // The section's content sits lower by the remaining offset.
    const int shift = static_cast<int>(std::lround(offset()));
    section_->setContentsMargins(margins_.left(), margins_.top() + shift, margins_.right(), margins_.bottom());
}

}  // namespace zentrel::ui
