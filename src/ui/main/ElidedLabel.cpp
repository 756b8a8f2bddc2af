#include "ui/main/ElidedLabel.hpp"

#include "ui/design/DesignLabels.hpp"

#include <QFontMetrics>

namespace zentrel::ui {

ElidedLabel::ElidedLabel(QString text, const FontToken& font, const ColorToken& color, QWidget* parent)
    : QLabel(parent), full_(std::move(text)) {
    setTextFormat(Qt::PlainText);
    setFont(font.font());
    auto shown = palette();
    shown.setColor(QPalette::WindowText, color.resolve(shown));
    setPalette(shown);
    setToolTip(plainToolTip(full_));
    setAccessibleName(full_);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setText(full_);
}

QSize ElidedLabel::minimumSizeHint() const { return {0, QFontMetrics(font()).height()}; }

QSize ElidedLabel::sizeHint() const {
    return {QFontMetrics(font()).horizontalAdvance(full_), QFontMetrics(font()).height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    const auto shown = QFontMetrics(font()).elidedText(full_, Qt::ElideMiddle, width());
    if (shown != text()) setText(shown);
}

}  // namespace zentrel::ui
