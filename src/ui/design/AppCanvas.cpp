#include "ui/design/AppCanvas.hpp"

#include "ui/design/CapsuleLabel.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zentrel::ui {
namespace {

constexpr int kFastestFrameMs = 1000 / 30;
// Room left free around a text, beyond the largest dot.
constexpr double kTextMargin = 4.0;
constexpr const char* kKeepsDotsClear = "zentrelKeepsDotsClear";

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::HoverMove:
    case QEvent::KeyPress:
    case QEvent::Wheel: return true;
    default: return false;
    }
}

}  // namespace

void keepDotsClear(QWidget& widget) { widget.setProperty(kKeepsDotsClear, true); }

AppCanvas::AppCanvas(QWidget* content, const platform::Clock& clock, QWidget* parent)
    : QWidget(parent),
      clock_(clock),
      lastInput_(clock.now()),
      lastFrame_(lastInput_),
      fieldTime_(lastInput_.timeIntervalSinceReferenceDate()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (content != nullptr) layout->addWidget(content);
    QObject::connect(&frames_, &QTimer::timeout, this, [this] { nextFrame(); });
    qApp->installEventFilter(this);
}

AppCanvas::~AppCanvas() { qApp->removeEventFilter(this); }

void AppCanvas::setReduceMotion(bool reduce) {
    reduceMotion_ = reduce;
    updateTimer();
    update();
}

bool AppCanvas::mayMove() const {
    return !reduceMotion_ && isVisible() && isActiveWindow() && !window()->isMinimized();
}

bool AppCanvas::isAnimating() const {
    return mayMove() && clock_.now().timeIntervalSince(lastInput_) < kRestAfterSeconds;
}

double AppCanvas::pictureTime() const { return mayMove() ? fieldTime_ : 0.0; }

int AppCanvas::frameIntervalMs() const {
    const auto* display = screen();
    const double rate = display != nullptr ? display->refreshRate() : 0.0;
    const int displayFrame = rate > 1.0 ? static_cast<int>(std::ceil(1000.0 / rate)) : 0;
    return std::max(kFastestFrameMs, displayFrame);
}

void AppCanvas::nextFrame() {
    const auto now = clock_.now();
    if (isAnimating()) {
        // A late frame moves the picture on by at most two frames: no jumps.
        const double elapsed = std::clamp(now.timeIntervalSince(lastFrame_), 0.0, 2.0 * frameIntervalMs() / 1000.0);
        fieldTime_ += elapsed;
        update();
    }
    lastFrame_ = now;
    updateTimer();
}

void AppCanvas::wake() {
    lastInput_ = clock_.now();
    if (!frames_.isActive()) {
        lastFrame_ = lastInput_;
        updateTimer();
    }
}

void AppCanvas::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange) {
        if (isActiveWindow()) lastInput_ = clock_.now();
        lastFrame_ = clock_.now();
        updateTimer();
        update();
    }
    QWidget::changeEvent(event);
}

void AppCanvas::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateTimer();
}

void AppCanvas::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    updateTimer();
}

bool AppCanvas::eventFilter(QObject* watched, QEvent* event) {
    if (isInput(event->type()) && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == window())
        wake();
    return QWidget::eventFilter(watched, event);
}

void AppCanvas::updateTimer() {
    if (isAnimating()) {
        frames_.setInterval(frameIntervalMs());
        if (!frames_.isActive()) frames_.start();
    } else {
        frames_.stop();
    }
}

std::vector<QRectF> AppCanvas::textAreas() const {
    std::vector<QRectF> areas;
    const auto add = [&](const QWidget* widget) {
        if (!widget->isVisible()) return;
        areas.emplace_back(QRectF(widget->mapTo(this, QPoint(0, 0)), widget->size()));
    };
    // A symbol at the head of a line of text counts as part of it.
    for (const auto* label : findChildren<QLabel*>())
        if (!label->text().isEmpty() || !label->pixmap().isNull()) add(label);
    for (const auto* button : findChildren<QAbstractButton*>())
        if (!button->text().isEmpty() || !button->icon().isNull()) add(button);
    for (const auto* field : findChildren<QLineEdit*>()) add(field);
    // Painted texts: pills and badges (no meta-object of their own, so no qobject_cast).
    for (const auto* widget : findChildren<QWidget*>())
        if (dynamic_cast<const CapsuleLabel*>(widget) != nullptr || widget->property(kKeepsDotsClear).toBool())
            add(widget);
    return areas;
}

std::vector<Dot> AppCanvas::shownDots() const {
    auto frame = dotFieldFrame(width(), height(), pictureTime(), palette());
    if (!frame) return {};
    const auto areas = textAreas();
    std::erase_if(frame->dots, [&](const Dot& dot) {
        const double room = dot.radius + kTextMargin;
        return std::any_of(areas.begin(), areas.end(),
                           [&](const QRectF& area) { return area.adjusted(-room, -room, room, room).contains(dot.center); });
    });
    return std::move(frame->dots);
}

void AppCanvas::paintEvent(QPaintEvent* event) {
    if (width() <= 1 || height() <= 1) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(event->rect(), DesignTokens::canvas().resolve(palette()));
    painter.setPen(Qt::NoPen);
    const QRectF dirty = event->rect();
    for (const auto& dot : shownDots()) {
        if (!dirty.adjusted(-dot.radius, -dot.radius, dot.radius, dot.radius).contains(dot.center)) continue;
        painter.setBrush(dot.color);
        painter.drawEllipse(dot.center, dot.radius, dot.radius);
    }
}

}  // namespace zentrel::ui
