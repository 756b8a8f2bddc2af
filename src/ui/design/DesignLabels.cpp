#include "ui/design/DesignLabels.hpp"

#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>

namespace zentrel::ui {

QLabel* tokenLabel(const QString& text, const FontToken& font, const ColorToken& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(font.font());
    auto palette = label->palette();
    palette.setColor(QPalette::WindowText, color.resolve(palette));
    label->setPalette(palette);
    return label;
}

QLabel* iconWell(const QString& symbolName, const FontToken& font, const ColorToken& tint, int side, double opacity,
                 QWidget* parent) {
    auto* well = new QLabel(parent);
    well->setFixedSize(side, side);
    well->setAlignment(Qt::AlignCenter);
    const auto color = tint.resolve(well->palette());
    well->setPixmap(tintedSymbol(symbolName, QFontMetrics(font.font()).height(), color));
    auto fill = color;
    fill.setAlphaF(static_cast<float>(opacity));
    well->setStyleSheet(QString("background-color: %1; border-radius: 8px;").arg(fill.name(QColor::HexArgb)));
    return well;
}

}  // namespace zentrel::ui
