#pragma once
// One segment of a segmented control, one choice among its siblings (a radio
// button to assistive technology): a checkable button drawn from the
// palette, the chosen one filled with the accent so that it stands out 3:1
// from the card under it in both appearances, its text in the colour that
// reads best on that fill.

#include <QPushButton>

namespace zentrel::ui {

struct SegmentColors {
    QColor fill;  // transparent when not chosen
    QColor text;
};

class SegmentButton final : public QPushButton {
public:
    explicit SegmentButton(const QString& text, QWidget* parent = nullptr);

    // The colours of a segment drawn on `below`.
    [[nodiscard]] static SegmentColors colors(bool chosen, const QPalette& palette, const QColor& below);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zentrel::ui
