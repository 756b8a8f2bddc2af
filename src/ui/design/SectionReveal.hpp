#pragma once
// The first appearance of a section: invisible and 8 points low, then, after
// a delay, a fade and slide into place with the reveal animation. With
// motion reduced the section is simply there.

#include <QGraphicsOpacityEffect>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

namespace zentrel::ui {

class SectionReveal final : public QObject {
public:
    static constexpr int kOffset = 8;

    // Owned by `section`; starts at once.
    SectionReveal(QWidget* section, double delaySeconds, bool reduceMotion);

    [[nodiscard]] bool hasAppeared() const { return appeared_; }
    [[nodiscard]] double opacity() const;
    [[nodiscard]] double offset() const;

private:
    void show(double progress);

    QWidget* section_;
    QMargins margins_;
    QGraphicsOpacityEffect* effect_ = nullptr;
    QTimer delay_;
    QVariantAnimation animation_;
    bool appeared_ = false;
    double progress_ = 0.0;
};

}  // namespace zentrel::ui
