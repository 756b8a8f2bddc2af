#include "ui/tools/TintedPanel.hpp"

#include "ui/design/Appearance.hpp"

#include <QPainter>
#include <QPainterPath>

namespace zentrel::ui {
namespace {

QColor atOpacity(const ColorToken& token, double opacity) {
    auto color = token.resolve(appPalette());
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

class Divider final : public QWidget {
public:
    Divider(double opacity, QWidget* parent) : QWidget(parent), opacity_(opacity) {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), atOpacity(DesignTokens::textSecondary(), opacity_));
    }

private:
    double opacity_;
};

}  // namespace

TintedPanel::TintedPanel(ColorToken tint, double opacity, double radius, QWidget* parent)
    : QWidget(parent), tint_(tint), opacity_(opacity), radius_(radius) {}

void TintedPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), radius_, radius_);
    painter.fillPath(shape, atOpacity(tint_, opacity_));
}

QWidget* dividerLine(double opacity, QWidget* parent) { return new Divider(opacity, parent); }

}  // namespace zentrel::ui
