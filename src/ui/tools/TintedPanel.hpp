#pragma once
// A flat rounded panel filled with a colour token at an opacity: the rows,
// chips and notices of the typing screens. Its content goes in its layout.
// `dividerLine` is the thin rule between their sections.

#include "ui/design/DesignTokens.hpp"

#include <QWidget>

namespace zentrel::ui {

class TintedPanel final : public QWidget {
public:
    TintedPanel(ColorToken tint, double opacity, double radius, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorToken tint_;
    double opacity_;
    double radius_;
};

// A one-pixel rule in the secondary text colour at `opacity`.
[[nodiscard]] QWidget* dividerLine(double opacity, QWidget* parent);

}  // namespace zentrel::ui
