#pragma once
// Small pieces the first-run, permission and settings screens share: the
// design colour of a presenter's tint, token fonts at another weight, and a
// vertical stack without margins.

#include "ui/design/DesignTokens.hpp"
#include "ui/presenters/TintToken.hpp"

#include <QBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QWidget>

namespace zentrel::ui {

[[nodiscard]] const DynamicColor& tintColor(TintToken tint);
// `token` at `weight`, for the few texts that stress a token's font.
[[nodiscard]] FontToken weighted(const FontToken& token, QFont::Weight weight);
// A vertical scroll area around `body` that lets the window's backdrop show through.
[[nodiscard]] QScrollArea* clearScrollArea(QWidget* body, QWidget* parent = nullptr);
// A symbol for a stock button or tab, in the text colour of the current appearance.
[[nodiscard]] QIcon textSymbol(const QString& symbolName, const QWidget* widget);
// A wrapping label in a token's font and colour (plain text).
[[nodiscard]] QLabel* wrappingLabel(const QString& text, const FontToken& font, const ColorToken& color,
                                    QWidget* parent);

}  // namespace zentrel::ui
