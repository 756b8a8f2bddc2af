#include "ui/main/PageParts.hpp"

#include <QFontMetrics>
#include <QLabel>

namespace zentrel::ui {

QVBoxLayout* scrollingColumn(QWidget& page, int margin, int spacing) {
    auto* outer = new QVBoxLayout(&page);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(&page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    column->addWidget(card, 0, Qt::AlignHCenter);
    column->addStretch();
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

QLabel* limitLines(QLabel* label, int lines) {
    label->setWordWrap(true);
    label->setMaximumHeight(QFontMetrics(label->font()).lineSpacing() * lines + 2);
    return label;
}

}  // namespace zentrel::ui
