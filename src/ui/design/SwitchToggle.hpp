#pragma once
// The on/off switch: its text, then a capsule track with a round knob that
// sits at the trailing end when on. Drawn from the palette in both
// appearances, with a focus ring and a faded disabled state; a check box to
// the toolkit, so it toggles, reads and is reached by keyboard like one.

#include <QCheckBox>

namespace zentrel::ui {

class SwitchToggle final : public QCheckBox {
public:
    static constexpr int kTrackWidth = 36;
    static constexpr int kTrackHeight = 20;
    static constexpr int kGap = 8;

    explicit SwitchToggle(const QString& text = {}, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }
    // The track's fill: the accent when on, a neutral grey when off.
    [[nodiscard]] static QColor trackColor(bool on, const QPalette& palette);
    [[nodiscard]] QRect trackRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    [[nodiscard]] bool hitButton(const QPoint& position) const override;
};

}  // namespace zentrel::ui
