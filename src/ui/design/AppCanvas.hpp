#pragma once
// The window backdrop: the dot field behind a screen's content. It moves
// while its window is shown and active, motion is not reduced and the user
// did something in the window lately; it redraws at most 30 times a second
// and never faster than the display. After a while without input it rests on
// its last picture, so an idle window costs nothing; an inactive window, or
// reduced motion, shows the still picture (the one for time 0). No dot is
// drawn where a text, a symbol, a text field, a pill or a widget marked by
// keepDotsClear() stands.

#include "platform/concurrency/Clock.hpp"
#include "ui/design/DotField.hpp"
#include "ui/design/MotionPreference.hpp"

#include <QTimer>
#include <QWidget>

#include <vector>

namespace zentrel::ui {

// Keeps the backdrop's dots off a painted widget of its own, such as a hero circle.
void keepDotsClear(QWidget& widget);

class AppCanvas final : public QWidget {
public:
    // Seconds without input in the window after which the field rests.
    static constexpr double kRestAfterSeconds = 12.0;

    explicit AppCanvas(QWidget* content, const platform::Clock& clock = platform::SystemClock::shared(),
                       QWidget* parent = nullptr);
    ~AppCanvas() override;

    void setReduceMotion(bool reduce);
    [[nodiscard]] bool isAnimating() const;
    // The time the picture is drawn for: 0 while inactive or with motion
    // reduced; otherwise the field's own time, which stands still at rest.
    [[nodiscard]] double pictureTime() const;
    [[nodiscard]] int frameIntervalMs() const;
    // What the frame timer does: moves the picture on, or stops when the field rests.
    void nextFrame();
    // The dots of the current picture that stand clear of every shown text.
    [[nodiscard]] std::vector<Dot> shownDots() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] bool mayMove() const;
    [[nodiscard]] std::vector<QRectF> textAreas() const;
    void wake();
    void updateTimer();

    const platform::Clock& clock_;
    bool reduceMotion_ = reducedMotion();
    platform::Date lastInput_;
    platform::Date lastFrame_;
    double fieldTime_;
    QTimer frames_;
};

}  // namespace zentrel::ui
