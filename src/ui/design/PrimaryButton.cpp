#include "ui/design/PrimaryButton.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>

namespace zentrel::ui {

PrimaryButton::PrimaryButton(const QString& title, std::optional<QString> symbolName, Variant variant, bool fullWidth,
                             std::function<void()> action, QWidget* parent)
    : QPushButton(buttonText(title), parent), variant_(variant) {
    setFont(DesignTokens::headlineFont().font());
    if (symbolName) {
        const auto size = QFontMetrics(font()).height();
        setIcon(QIcon(tintedSymbol(*symbolName, size, Qt::white)));
        setIconSize(QSize(size, size));
    }
    setSizePolicy(fullWidth ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Fixed);
    const auto tint = tintColor();
    setStyleSheet(QString("QPushButton { background-color: %1; color: white; border: none; border-radius: 10px;"
                          " padding: 10px 16px; }"
                          "QPushButton:pressed { background-color: %2; }")
                      .arg(tint.name(), tint.darker(115).name()));
    QObject::connect(this, &QPushButton::clicked, this, [action = std::move(action)] {
        if (action) action();
    });
}

QColor PrimaryButton::tintColor() const {
    switch (variant_) {
    case Variant::accent: return DesignTokens::accentFill().resolve(palette());
    case Variant::danger: return DesignTokens::danger().resolve(palette());
    case Variant::health: return DesignTokens::health().resolve(palette());
    }
    return DesignTokens::accentFill().resolve(palette());
}

}  // namespace zentrel::ui
