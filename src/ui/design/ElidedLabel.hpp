#pragma once
// A one-line label that shortens its text with an ellipsis when it has less
// room than the text needs (at the end, or in the middle for paths), and
// then offers the whole text as its tooltip. text() stays the whole text.

#include "ui/design/DesignTokens.hpp"

#include <QLabel>

namespace zentrel::ui {

class ElidedLabel final : public QLabel {
public:
    ElidedLabel(const QString& text, Qt::TextElideMode mode, QWidget* parent = nullptr);

    [[nodiscard]] QString shownText() const;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Qt::TextElideMode mode_;
};

// An elided label in a token's font and colour.
[[nodiscard]] ElidedLabel* elidedTokenLabel(const QString& text, const FontToken& font, const ColorToken& color,
                                            Qt::TextElideMode mode, QWidget* parent);

}  // namespace zentrel::ui
