#pragma once
// A navigation row of the sidebar: symbol, title, an optional NEW badge and
// an optional trailing text (a size). Read as one element by assistive
// technology.

#include "ui/design/DesignTokens.hpp"

#include <QLabel>
#include <QWidget>

namespace zentrel::ui {

class CapsuleLabel;

class SidebarRow final : public QWidget {
public:
    SidebarRow(QString title, QString symbolName, ColorToken tint, std::optional<QString> trailing, bool isNew,
               bool isAI, QWidget* parent = nullptr);

    [[nodiscard]] QLabel* titleLabel() const { return title_; }
    [[nodiscard]] CapsuleLabel* newBadge() const { return badge_; }
    [[nodiscard]] QLabel* trailingLabel() const { return trailing_; }
    [[nodiscard]] QColor symbolColor() const;
    // The selected row draws its symbol in the text colour: a symbol in the
    // accent colour would vanish into the selection highlight.
    void setSelected(bool selected);

private:
    void drawSymbol();

    QString symbolName_;
    int iconSize_ = 0;
    bool selected_ = false;
    QLabel* symbol_ = nullptr;
    QLabel* title_ = nullptr;
    CapsuleLabel* badge_ = nullptr;
    QLabel* trailing_ = nullptr;
    ColorToken symbolTint_;
};

}  // namespace zentrel::ui
