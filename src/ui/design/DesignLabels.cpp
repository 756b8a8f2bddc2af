#include "ui/design/DesignLabels.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>
#include <QTextDocument>

namespace zentrel::ui {

QString localizedText(std::string_view key) { return QString::fromStdString(platform::localized(key)); }

QString localizedText(std::string_view key, const QStringList& values) {
    std::vector<std::string> filled;
    for (const auto& value : values) filled.push_back(value.toStdString());
    return QString::fromStdString(platform::localizedFormat(key, filled));
}

QString fileSizeText(std::int64_t bytes) {
    return QString::fromStdString(platform::formatByteCount(bytes, platform::ByteCountStyle::file));
}

QString countText(long long count) { return QString::fromStdString(platform::formatCount(count)); }

QLabel* symbolLabel(const QString& symbolName, const FontToken& font, const ColorToken& color, QWidget* parent) {
    auto* label = new QLabel(parent);
    const auto size = QFontMetrics(font.font()).height();
    label->setFixedSize(size, size);
    label->setAccessibleName({});
    followAppearance(label, [label, symbolName, size, color] {
        label->setPixmap(tintedSymbol(symbolName, size, color.resolve(appPalette()), label->devicePixelRatioF()));
    });
    return label;
}

QString buttonText(const QString& text) {
    QString escaped = text;
    return escaped.replace('&', "&&");
}

QString plainToolTip(const QString& text) { return text.isEmpty() ? text : Qt::convertFromPlainText(text); }

void setPlainToolTip(QWidget& widget, const QString& text) {
    constexpr const char* kToolTipWords = "zentrelToolTipWords";
    const auto description = widget.accessibleDescription();
    if (description.isEmpty() || description == widget.property(kToolTipWords).toString())
        widget.setAccessibleDescription(text);
    widget.setProperty(kToolTipWords, text);
    widget.setToolTip(plainToolTip(text));
}

void applyTextColor(QLabel* label, const ColorToken& color) {
    auto palette = label->palette();
    palette.setColor(QPalette::WindowText, color.resolve(appPalette()));
    label->setPalette(palette);
}

void followTextColor(QLabel* label, const ColorToken& color) {
    followAppearance(label, [label, color] { applyTextColor(label, color); });
}

QLabel* tokenLabel(const QString& text, const FontToken& font, const ColorToken& color, QWidget* parent) {
    auto* label = new QLabel(parent);
    // Names, paths and messages are data: never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font.font());
    followTextColor(label, color);
    return label;
}

QLabel* iconWell(const QString& symbolName, const FontToken& font, const ColorToken& tint, int side, double opacity,
                 QWidget* parent) {
    auto* well = new QLabel(parent);
    well->setFixedSize(side, side);
    well->setAlignment(Qt::AlignCenter);
    const auto size = QFontMetrics(font.font()).height();
    followAppearance(well, [well, symbolName, size, tint, opacity] {
        const auto color = tint.resolve(appPalette());
        well->setPixmap(tintedSymbol(symbolName, size, color, well->devicePixelRatioF()));
        auto fill = color;
        fill.setAlphaF(static_cast<float>(opacity));
        well->setStyleSheet(QString("background-color: %1; border-radius: 8px;").arg(fill.name(QColor::HexArgb)));
    });
    return well;
}

}  // namespace zentrel::ui
