#pragma once
// A button as wide as its row whose face is the caller's own row of labels
// (a symbol, a title, a trailing symbol), on a rounded tinted panel or on
// nothing. The whole rectangle takes the click; focus and pressing show as
// a faint overlay.

#include "ui/design/DesignTokens.hpp"

#include <QHBoxLayout>
#include <QPushButton>

#include <optional>

namespace zentrel::ui {

class PanelButton final : public QPushButton {
public:
    struct Background {
        ColorToken tint;
        double opacity;
    };

    PanelButton(const QString& accessibleName, std::optional<Background> background, int minimumHeight,
                QWidget* parent = nullptr);

    // The face: labels added here ignore the mouse, so the button gets every click.
    [[nodiscard]] QHBoxLayout* face() const { return face_; }
    void addToFace(QWidget* widget, int stretch = 0);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<Background> background_;
    QHBoxLayout* face_ = nullptr;
};

}  // namespace zentrel::ui
