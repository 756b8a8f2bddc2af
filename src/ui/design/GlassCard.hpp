#pragma once
// The glass card container: its content padded, on a rounded glass shape
// tinted by variant, lifting slightly with a shadow while the pointer is over
// it (unless motion is reduced). A ghost card draws only its content.

#include "ui/design/DesignTokens.hpp"
#include "ui/design/MotionPreference.hpp"

#include <QVariantAnimation>
#include <QWidget>

namespace zentrel::ui {

class GlassCard : public QWidget {
public:
    enum class Variant { primary, hero, accent, ghost };

    static constexpr double kLiftScale = 1.006;

    GlassCard(Variant variant, int padding, double radius, bool hoverLift, QWidget* content,
              QWidget* parent = nullptr);

    [[nodiscard]] Variant variant() const { return variant_; }
    [[nodiscard]] bool isHovered() const { return hovered_; }
    // Hovered, lifting and motion not reduced.
    [[nodiscard]] bool isLifted() const { return hovered_ && hoverLift_ && !reduceMotion_; }
    // The scale and shadow drawn now, moving with the hover animation.
    [[nodiscard]] double currentScale() const { return 1.0 + (kLiftScale - 1.0) * lift_; }
    [[nodiscard]] double currentShadowRadius() const { return 20.0 * lift_; }
    // Where the hover animation is heading: 1 lifted, 0 at rest.
    [[nodiscard]] double targetLift() const { return animation_.endValue().isValid() ? animation_.endValue().toDouble() : 0.0; }
    // The tint over the glass: none, or the accent at the variant's opacity.
    [[nodiscard]] std::optional<QColor> tint() const;
    [[nodiscard]] static std::optional<QColor> glassTint(Variant variant, const QPalette& palette);
    // What text on the card is drawn over: the tinted glass on the canvas, opaque.
    [[nodiscard]] static QColor background(Variant variant, const QPalette& palette);
    void setReduceMotion(bool reduce) { reduceMotion_ = reduce; }
    // For cards that build their content after the card itself.
    void setContent(QWidget* content);
    void setHovered(bool hovered);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Variant variant_;
    double radius_;
    bool hoverLift_;
    bool hovered_ = false;
    bool reduceMotion_ = reducedMotion();
    double lift_ = 0.0;
    bool pressed_ = false;
    QVariantAnimation animation_;
};

}  // namespace zentrel::ui
