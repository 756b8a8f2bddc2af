#pragma once
// Labels and wells drawn from the tokens, shared by the design components.

#include "ui/design/DesignTokens.hpp"

#include <QLabel>
#include <QLayout>

#include <cstdint>
#include <string_view>
#include <vector>

namespace zentrel::ui {

// The localized text of a key.
[[nodiscard]] QString localizedText(std::string_view key);
// The same with its "%@" and "%lld" slots filled in order.
[[nodiscard]] QString localizedText(std::string_view key, const QStringList& values);
// A byte count as the file-style formatter writes it.
[[nodiscard]] QString fileSizeText(std::int64_t bytes);
// A whole count with the window's language's thousands separator.
[[nodiscard]] QString countText(long long count);
// Data shown on a button or check box: "&" stays a letter, not a shortcut mark.
[[nodiscard]] QString buttonText(const QString& text);
// Data shown as a tooltip: never read as markup.
[[nodiscard]] QString plainToolTip(const QString& text);
// Shows `text` as the widget's tooltip, never read as markup, and gives the
// same plain words as its accessible description unless it has its own: Qt
// would otherwise describe it with the tooltip's markup.
void setPlainToolTip(QWidget& widget, const QString& text);
// A symbol in a token's font size and colour, hidden from assistive technology.
[[nodiscard]] QLabel* symbolLabel(const QString& symbolName, const FontToken& font, const ColorToken& color,
                                  QWidget* parent);
// Draws `label`'s text in `color` as the current appearance resolves it.
void applyTextColor(QLabel* label, const ColorToken& color);
// Draws `label`'s text in `color`, again at every change of appearance.
void followTextColor(QLabel* label, const ColorToken& color);
// A label in a token's font and colour.
[[nodiscard]] QLabel* tokenLabel(const QString& text, const FontToken& font, const ColorToken& color,
                                 QWidget* parent);
// A symbol centred in a square well of `side` points, on the tint at `opacity`.
[[nodiscard]] QLabel* iconWell(const QString& symbolName, const FontToken& font, const ColorToken& tint, int side,
                               double opacity, QWidget* parent);

// Takes widgets out of a layout and out of sight at once, and deletes them
// once control is back in the event loop: one of them may be in the middle
// of its own click.
template <class Widget>
void retireWidgets(QLayout* layout, const std::vector<Widget*>& widgets) {
    for (auto* widget : widgets) {
        layout->removeWidget(widget);
        widget->hide();
        widget->deleteLater();
    }
}

}  // namespace zentrel::ui
