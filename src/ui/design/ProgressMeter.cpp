#include "ui/design/ProgressMeter.hpp"

#include "platform/text/NumberFormatter.hpp"
#include "ui/design/DesignLabels.hpp"

#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zentrel::ui {
namespace {

class MeterBar final : public QWidget {
public:
    MeterBar(double value, QWidget* parent) : QWidget(parent), value_(value) {
        setFixedHeight(6);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath track;
        track.addRoundedRect(QRectF(rect()), 3, 3);
        painter.fillPath(track, DesignTokens::neutralTint().resolve(palette()));
        const double fill = ProgressMeter::fillWidth(value_, width());
        if (fill <= 0) return;
        QLinearGradient gradient(0, 0, width(), 0);
        gradient.setColorAt(0, DesignTokens::health().resolve(palette()));
        gradient.setColorAt(1, DesignTokens::accent().resolve(palette()));
        QPainterPath bar;
        bar.addRoundedRect(QRectF(0, 0, fill, height()), 3, 3);
        painter.fillPath(bar, gradient);
    }

private:
    double value_;
};

}  // namespace

ProgressMeter::ProgressMeter(double value, std::optional<QString> label, std::optional<QString> caption,
                             QWidget* parent)
    : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    if (label) {
        auto* header = new QHBoxLayout;
        header->addWidget(tokenLabel(*label, DesignTokens::bodyFont(), DesignTokens::textPrimary(), this));
        header->addStretch();
        percent_ = tokenLabel(percentText(value), DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
        header->addWidget(percent_);
        column->addLayout(header);
    }
    bar_ = new MeterBar(value, this);
    column->addWidget(bar_);
    if (caption) column->addWidget(tokenLabel(*caption, DesignTokens::detailFont(), DesignTokens::textSecondary(), this));
}

QString ProgressMeter::percentText(double value) {
    return QString::fromStdString(platform::formatPercent(static_cast<long long>(std::trunc(value * 100))));
}

double ProgressMeter::fillWidth(double value, double barWidth) { return std::max(0.0, barWidth * value); }

}  // namespace zentrel::ui
