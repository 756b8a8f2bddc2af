#include "ui/design/CapsuleLabel.hpp"

#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace zentrel::ui {

CapsuleLabel::CapsuleLabel(QString text, QString symbolName, Style style, QWidget* parent)
    : QWidget(parent), text_(std::move(text)), style_(style) {
    if (!symbolName.isEmpty()) {
        symbol_ = symbolIcon(symbolName);
        symbolName_ = std::move(symbolName);
    }
    setFont(style_.textFont.font());
    setAccessibleName(text_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int CapsuleLabel::symbolSize() const { return QFontMetrics(style_.symbolFont.font()).height(); }

QSize CapsuleLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    int width = metrics.horizontalAdvance(text_) + 2 * style_.horizontalPadding;
    if (hasSymbol()) width += symbolSize() + kSpacing;
    const int height = std::max(metrics.height(), hasSymbol() ? symbolSize() : 0) + 2 * style_.verticalPadding;
    return {width, height};
}

void CapsuleLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = rect();
    QPainterPath capsule;
    capsule.addRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2);
    painter.fillPath(capsule, backgroundColor());

    int x = style_.horizontalPadding;
    if (hasSymbol()) {
        const int size = symbolSize();
        painter.drawPixmap(QPoint(x, (height() - size) / 2),
                           tintedSymbol(symbolName_, size, foregroundColor(), devicePixelRatioF()));
        x += size + kSpacing;
    }
    painter.setPen(foregroundColor());
    painter.drawText(QRect(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, text_);
}

}  // namespace zentrel::ui
