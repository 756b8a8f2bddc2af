#include "ui/design/ElidedLabel.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"

#include <QPainter>

namespace zentrel::ui {

ElidedLabel::ElidedLabel(const QString& text, Qt::TextElideMode mode, QWidget* parent)
    : QLabel(parent), mode_(mode) {
    setTextFormat(Qt::PlainText);
    setText(text);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QString ElidedLabel::shownText() const { return fontMetrics().elidedText(text(), mode_, contentsRect().width()); }

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) * 3, fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, shownText());
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    setPlainToolTip(*this, shownText() == text() ? QString() : text());
}

ElidedLabel* elidedTokenLabel(const QString& text, const FontToken& font, const ColorToken& color,
                              Qt::TextElideMode mode, QWidget* parent) {
    auto* label = new ElidedLabel(text, mode, parent);
    label->setFont(font.font());
    followTextColor(label, color);
    return label;
}

}  // namespace zentrel::ui
