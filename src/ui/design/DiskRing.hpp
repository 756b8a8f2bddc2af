#pragma once
// The circular used-fraction ring: a neutral track, a green-blue fill from the
// top, clockwise, and an optional label and caption in the centre. Changes of
// the fraction animate.

#include <QLabel>
#include <QVariantAnimation>
#include <QWidget>

#include <optional>

namespace zentrel::ui {

class DiskRing final : public QWidget {
public:
    DiskRing(double usedFraction, std::optional<QString> centerLabel, std::optional<QString> caption, int size,
             double lineWidth, QWidget* parent = nullptr);

    void setUsedFraction(double fraction);
    // The part of the circle filled: the fraction within 0.001 and 1, so
    // that an empty disk still shows a dot.
    [[nodiscard]] static double fillFraction(double usedFraction);
    [[nodiscard]] double targetFraction() const { return target_; }
    [[nodiscard]] QLabel* centerLabel() const { return label_; }
    [[nodiscard]] QLabel* captionLabel() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double shown_;
    double target_;
    double lineWidth_;
    QLabel* label_ = nullptr;
    QLabel* caption_ = nullptr;
    QVariantAnimation animation_;
};

}  // namespace zentrel::ui
