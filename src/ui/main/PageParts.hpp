#pragma once
// Small layout pieces the scan-flow pages share: a scrolling column, a card
// centred in the pane, the hairline between rows and the medium weight of a
// font token.

#include "ui/design/DesignTokens.hpp"
#include "ui/design/GlassCard.hpp"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace zentrel::ui {

// A frameless scroll area filling `page` (which gets a layout of its own)
// around a column with `margin` on every side and `spacing` between widgets.
QVBoxLayout* scrollingColumn(QWidget& page, int margin, int spacing);
// A bare widget with a vertical layout of `spacing` and no margins.
QWidget* stackWidget(QWidget* parent, int spacing, QVBoxLayout*& layout);
// Fills `page` (which gets a layout of its own) with `card` centred, at most `maxWidth` wide.
void centreCard(QWidget& page, GlassCard* card, int maxWidth, int margin = 0);
// The line between two rows of a card, at 0.35 opacity.
QFrame* rowDivider(QWidget* parent);
[[nodiscard]] QFont mediumFont(const FontToken& token);
// Gives a token label another colour token, which it keeps through changes
// of appearance.
void setTextColor(QLabel* label, const ColorToken& color);
// The small indeterminate bar shown while something loads.
QProgressBar* busyIndicator(QWidget* parent);
// Makes `label` wrap and show at most `lines` lines.
QLabel* limitLines(QLabel* label, int lines);

}  // namespace zentrel::ui
