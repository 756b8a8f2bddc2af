#include "ui/design/AppCanvas.hpp"

#include "ui/design/DotField.hpp"

#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace zentrel::ui {

AppCanvas::AppCanvas(QWidget* content, const platform::Clock& clock, QWidget* parent)
    : QWidget(parent), clock_(clock) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (content != nullptr) layout->addWidget(content);
    frames_.setInterval(1000 / 30);
    QObject::connect(&frames_, &QTimer::timeout, this, [this] { update(); });
    updateTimer();
}

void AppCanvas::setReduceMotion(bool reduce) {
    reduceMotion_ = reduce;
    updateTimer();
    update();
}

bool AppCanvas::isAnimating() const { return !reduceMotion_ && isActiveWindow(); }

double AppCanvas::pictureTime() const { return isAnimating() ? clock_.now().timeIntervalSinceReferenceDate() : 0.0; }

void AppCanvas::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        updateTimer();
        update();
    }
    QWidget::changeEvent(event);
}

void AppCanvas::updateTimer() {
    if (isAnimating()) {
        frames_.start();
    } else {
        frames_.stop();
    }
}

void AppCanvas::paintEvent(QPaintEvent*) {
    const auto frame = dotFieldFrame(width(), height(), pictureTime(), palette());
    if (!frame) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), frame->background);
    painter.setPen(Qt::NoPen);
    for (const auto& dot : frame->dots) {
        painter.setBrush(dot.color);
        painter.drawEllipse(dot.center, dot.radius, dot.radius);
    }
}

}  // namespace zentrel::ui
