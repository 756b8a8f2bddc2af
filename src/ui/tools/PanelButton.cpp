#include "ui/tools/PanelButton.hpp"

#include "ui/design/Appearance.hpp"

#include <QPainter>
#include <QPainterPath>

namespace zentrel::ui {

PanelButton::PanelButton(const QString& accessibleName, std::optional<Background> background, int minimumHeight,
                         QWidget* parent)
    : QPushButton(parent), background_(background) {
    setAccessibleName(accessibleName);
    setFlat(true);
    setAutoDefault(false);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setMinimumHeight(minimumHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    face_ = new QHBoxLayout(this);
    face_->setSpacing(12);
}

void PanelButton::addToFace(QWidget* widget, int stretch) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    face_->addWidget(widget, stretch);
}

QSize PanelButton::sizeHint() const {
    const auto face = face_->sizeHint();
    return {face.width(), std::max(face.height(), minimumHeight())};
}

QSize PanelButton::minimumSizeHint() const {
    return {face_->minimumSize().width(), std::max(face_->minimumSize().height(), minimumHeight())};
}

void PanelButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 8, 8);
    const auto palette = appPalette();
    if (background_) {
        auto fill = background_->tint.resolve(palette);
        fill.setAlphaF(static_cast<float>(fill.alphaF() * background_->opacity));
        painter.fillPath(shape, fill);
    }
    if (isDown() || hasFocus() || underMouse()) {
        auto overlay = DesignTokens::textPrimary().resolve(palette);
        overlay.setAlphaF(isDown() ? 0.10f : 0.05f);
        painter.fillPath(shape, overlay);
    }
}

}  // namespace zentrel::ui
