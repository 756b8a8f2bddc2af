#pragma once
// The small spinner of an item being worked on: an arc turning once a
// second, standing still when the user asked for less motion. Hidden from
// assistive technology: the row it sits in says what is going on.

#include <QVariantAnimation>
#include <QWidget>

namespace zentrel::ui {

class BusySpinner final : public QWidget {
public:
    explicit BusySpinner(int side, QWidget* parent = nullptr);

    [[nodiscard]] bool isTurning() const { return animation_.state() == QAbstractAnimation::Running; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVariantAnimation animation_;
    double angle_ = 0.0;
};

}  // namespace zentrel::ui
