#pragma once
// A short text, with an optional symbol before it, on a capsule: the shape
// of the status pill and of the NEW badge.

#include "ui/design/DesignTokens.hpp"

#include <QWidget>

namespace zentrel::ui {

class CapsuleLabel : public QWidget {
public:
    struct Style {
        ColorToken foreground;
        ColorToken background;
        const FontToken& textFont;
        const FontToken& symbolFont;
        int horizontalPadding;
        int verticalPadding;
    };

    CapsuleLabel(QString text, QString symbolName, Style style, QWidget* parent = nullptr);

    [[nodiscard]] const QString& text() const { return text_; }
    [[nodiscard]] bool hasSymbol() const { return !symbol_.isNull(); }
    [[nodiscard]] QColor foregroundColor() const { return style_.foreground.resolve(palette()); }
    [[nodiscard]] QColor backgroundColor() const { return style_.background.resolve(palette()); }
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] int symbolSize() const;

    QString text_;
    QIcon symbol_;
    QString symbolName_;
    Style style_;
    static constexpr int kSpacing = 4;
};

}  // namespace zentrel::ui
