#pragma once
// Labels and wells drawn from the tokens, shared by the design components.

#include "ui/design/DesignTokens.hpp"

#include <QLabel>

namespace zentrel::ui {

// A label in a token's font and colour.
[[nodiscard]] QLabel* tokenLabel(const QString& text, const FontToken& font, const ColorToken& color,
                                 QWidget* parent);
// A symbol centred in a square well of `side` points, on the tint at `opacity`.
[[nodiscard]] QLabel* iconWell(const QString& symbolName, const FontToken& font, const ColorToken& tint, int side,
                               double opacity, QWidget* parent);

}  // namespace zentrel::ui
