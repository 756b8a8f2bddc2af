#include "ui/main/PageParts.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ScrollAreaFocus.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>

namespace zentrel::ui {

QVBoxLayout* scrollingColumn(QWidget& page, int margin, int spacing) {
    auto* outer = new QVBoxLayout(&page);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(&page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);  // the window's canvas shows through
    keepOutOfTabOrder(*scroll);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(spacing);
    scroll->setWidget(content);
    outer->addWidget(scroll);
    return column;
}

QWidget* stackWidget(QWidget* parent, int spacing, QVBoxLayout*& layout) {
    auto* widget = new QWidget(parent);
    layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return widget;
}

void centreCard(QWidget& page, GlassCard* card, int maxWidth, int margin) {
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(margin, margin, margin, margin);
    column->addStretch();
    card->setParent(&page);
    card->setMaximumWidth(maxWidth);
    // Centred by stretches, not by alignment: an aligned card would be given
    // the height of the full width and clip its wrapped lines.
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(card, 100);
    row->addStretch(1);
    column->addLayout(row);
    column->addStretch();
}

QProgressBar* busyIndicator(QWidget* parent) {
    auto* busy = new QProgressBar(parent);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setFixedSize(48, 6);
    return busy;
}

QFrame* rowDivider(QWidget* parent) {
    auto* divider = new QFrame(parent);
    divider->setFrameShape(QFrame::HLine);
    divider->setStyleSheet("color: rgba(128, 128, 128, 89);");  // 0.35 of a mid grey
    return divider;
}

QFont mediumFont(const FontToken& token) {
    auto font = token.font();
    font.setWeight(QFont::Medium);
    return font;
}

namespace {

// The colour token a recoloured label shows now, kept on the label.
class TextColor final : public QObject {
public:
    TextColor(QLabel* label, ColorToken color) : QObject(label), color(std::move(color)) {}
    ColorToken color;
};

}  // namespace

void setTextColor(QLabel* label, const ColorToken& color) {
    if (auto* current = label->findChild<TextColor*>(QString(), Qt::FindDirectChildrenOnly)) {
        current->color = color;
        applyTextColor(label, color);
        return;
    }
    // Follows the appearance after the label's first colour, so this one wins.
    auto* current = new TextColor(label, color);
    followAppearance(label, [label, current] { applyTextColor(label, current->color); });
}

QLabel* limitLines(QLabel* label, int lines) {
    label->setWordWrap(true);
    label->setMaximumHeight(QFontMetrics(label->font()).lineSpacing() * lines + 2);
    return label;
}

}  // namespace zentrel::ui
