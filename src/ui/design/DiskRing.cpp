#include "ui/design/DiskRing.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"

#include <QConicalGradient>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace zentrel::ui {

DiskRing::DiskRing(double usedFraction, std::optional<QString> centerLabel, std::optional<QString> caption, int size,
                   double lineWidth, QWidget* parent)
    : QWidget(parent), shown_(usedFraction), target_(usedFraction), lineWidth_(lineWidth) {
    setFixedSize(size, size);
    auto* column = new QVBoxLayout(this);
    column->setAlignment(Qt::AlignCenter);
    column->setSpacing(2);
    // Texts stay inside the ring.
    const int inner = static_cast<int>(size - 2 * lineWidth - 8);
    if (centerLabel) {
        label_ = elidedTokenLabel(*centerLabel, DesignTokens::ringLabelFont(), DesignTokens::textPrimary(),
                                  Qt::ElideRight, this);
        label_->setAlignment(Qt::AlignCenter);
        label_->setFixedWidth(inner);
        column->addWidget(label_, 0, Qt::AlignHCenter);
    }
    if (caption) {
        caption_ = elidedTokenLabel(*caption, DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                    Qt::ElideRight, this);
        caption_->setAlignment(Qt::AlignCenter);
        caption_->setFixedWidth(inner);
        column->addWidget(caption_, 0, Qt::AlignHCenter);
    }
    animation_.setEasingCurve(DesignTokens::emphasisAnimation().curve);
    animation_.setDuration(DesignTokens::emphasisAnimation().durationMs);
    QObject::connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        shown_ = value.toDouble();
        update();
    });
}

double DiskRing::fillFraction(double usedFraction) { return std::max(std::min(usedFraction, 1.0), 0.001); }

void DiskRing::setUsedFraction(double fraction) {
    target_ = fraction;
    animation_.stop();
    animation_.setStartValue(shown_);
    animation_.setEndValue(fraction);
    animation_.start();
}

void DiskRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double inset = lineWidth_ / 2;
    const QRectF circle = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(DesignTokens::neutralTint().resolve(palette()), lineWidth_, Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(circle);

    // Green, blue, green around the centre; the fill starts at the top and runs clockwise.
    QConicalGradient gradient(circle.center(), 90);
    const auto health = DesignTokens::health().resolve(palette());
    gradient.setColorAt(0.0, health);
    gradient.setColorAt(0.5, DesignTokens::accent().resolve(palette()));
    gradient.setColorAt(1.0, health);
    painter.setPen(QPen(QBrush(gradient), lineWidth_, Qt::SolidLine, Qt::RoundCap));
    const int span = -static_cast<int>(fillFraction(shown_) * 360 * 16);
    painter.drawArc(circle, 90 * 16, span);
}

}  // namespace zentrel::ui
