#pragma once
// A feature's card: an icon well, the title with an "active" pill when the
// feature runs, the subtitle, a trailing control and the caller's content,
// all on a lifting glass card that turns accent-tinted when it needs
// attention.

#include "ui/design/GlassCard.hpp"

#include <QLabel>

namespace zentrel::ui {

class StatusPill;

class AppFeatureCard final : public GlassCard {
public:
    AppFeatureCard(const QString& symbolName, ColorToken iconTint, const QString& title, const QString& subtitle,
                   bool isActive, bool needsAttention, QWidget* trailing, QWidget* content, QWidget* parent = nullptr);

    [[nodiscard]] StatusPill* activePill() const { return activePill_; }
    [[nodiscard]] QLabel* titleLabel() const { return title_; }
    [[nodiscard]] QLabel* subtitleLabel() const { return subtitle_; }

private:
    StatusPill* activePill_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* subtitle_ = nullptr;
};

}  // namespace zentrel::ui
