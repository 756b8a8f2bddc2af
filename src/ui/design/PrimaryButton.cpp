#include "ui/design/PrimaryButton.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/Contrast.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>

namespace zentrel::ui {

PrimaryButton::PrimaryButton(const QString& title, std::optional<QString> symbolName, Variant variant, bool fullWidth,
                             std::function<void()> action, QWidget* parent)
    : QPushButton(buttonText(title), parent), variant_(variant) {
    setFont(DesignTokens::headlineFont().font());
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(fullWidth ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Fixed);
    followAppearance(this, [this, symbolName] {
        const auto size = QFontMetrics(font()).height();
        if (symbolName) {
            setIcon(QIcon(tintedSymbol(*symbolName, size, Qt::white, devicePixelRatioF())));
            setIconSize(QSize(size, size));
        }
        const auto fill = fillForWhiteText(tintColor());
        const auto palette = appPalette();
        // The border keeps its room in every state, so focus never moves the label.
        setStyleSheet(QString("QPushButton { background-color: %1; color: white; border: 2px solid transparent;"
                              " border-radius: 10px; padding: 6px 14px; }"
                              "QPushButton:hover { background-color: %2; }"
                              "QPushButton:pressed { background-color: %3; }"
                              "QPushButton:focus { border-color: %4; }"
                              "QPushButton:disabled { background-color: %5; color: %6; }")
                          .arg(fill.name(), fill.lighter(112).name(), fill.darker(118).name(),
                               palette.color(QPalette::Highlight).lighter(130).name(),
                               palette.color(QPalette::Button).name(),
                               palette.color(QPalette::Disabled, QPalette::ButtonText).name()));
    });
    QObject::connect(this, &QPushButton::clicked, this, [action = std::move(action)] {
        if (action) action();
    });
}

QColor PrimaryButton::tintColor() const {
    const auto palette = appPalette();
    switch (variant_) {
    case Variant::accent: return DesignTokens::accentFill().resolve(palette);
    case Variant::danger: return DesignTokens::danger().resolve(palette);
    case Variant::health: return DesignTokens::health().resolve(palette);
    }
    return DesignTokens::accentFill().resolve(palette);
}

}  // namespace zentrel::ui
