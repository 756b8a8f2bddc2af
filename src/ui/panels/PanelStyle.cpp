#include "ui/panels/PanelStyle.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ScrollAreaFocus.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>

#include <QLabel>

namespace zentrel::ui {

const DynamicColor& tintColor(TintToken tint) {
    switch (tint) {
    case TintToken::accent: return DesignTokens::accent();
    case TintToken::health: return DesignTokens::health();
    case TintToken::ai: return DesignTokens::ai();
    case TintToken::review: return DesignTokens::review();
    }
    return DesignTokens::accent();
}

FontToken weighted(const FontToken& token, QFont::Weight weight) { return {token.pointSize, weight, token.design}; }

QWidget* verticalStack(int spacing, QVBoxLayout*& layout, QWidget* parent) {
    auto* widget = new QWidget(parent);
    layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return widget;
}

QIcon textSymbol(const QString& symbolName, const QWidget* widget) {
    const int size = QFontMetrics(widget->font()).height();
    return QIcon(tintedSymbol(symbolName, size, DesignTokens::textPrimary().resolve(appPalette()),
                              widget->devicePixelRatioF()));
}

QScrollArea* clearScrollArea(QWidget* body, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    keepOutOfTabOrder(*scroll);
    scroll->setWidget(body);
    // Set after setWidget, which turns the body's filling on.
    scroll->viewport()->setAutoFillBackground(false);
    body->setAutoFillBackground(false);
    return scroll;
}

QLabel* wrappingLabel(const QString& text, const FontToken& font, const ColorToken& color, QWidget* parent) {
    auto* label = tokenLabel(text, font, color, parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace zentrel::ui
