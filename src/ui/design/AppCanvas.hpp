#pragma once
// The window backdrop: the dot field behind a screen's content, moving at up
// to 30 frames a second while the window is active and motion is not
// reduced, and otherwise showing its still picture (the one for time 0).

#include "platform/Clock.hpp"
#include "ui/design/MotionPreference.hpp"

#include <QTimer>
#include <QWidget>

namespace zentrel::ui {

class AppCanvas final : public QWidget {
public:
    explicit AppCanvas(QWidget* content, const platform::Clock& clock = platform::SystemClock::shared(),
                       QWidget* parent = nullptr);

    void setReduceMotion(bool reduce);
    [[nodiscard]] bool isAnimating() const;
    // The time the picture is drawn for: now while animating, else 0.
    [[nodiscard]] double pictureTime() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateTimer();

    const platform::Clock& clock_;
    bool reduceMotion_ = reducedMotion();
    QTimer frames_;
};

}  // namespace zentrel::ui
