#pragma once
// A linear meter: an optional label with the percentage, a 6-point bar whose
// green-to-blue fill follows the value, and an optional caption.

#include <QLabel>
#include <QWidget>

#include <optional>

namespace zentrel::ui {

class ProgressMeter final : public QWidget {
public:
    ProgressMeter(double value, std::optional<QString> label, std::optional<QString> caption,
                  QWidget* parent = nullptr);

    // "50%": the whole percent, cut toward zero.
    [[nodiscard]] static QString percentText(double value);
    // The fill's width in a bar of `barWidth`.
    [[nodiscard]] static double fillWidth(double value, double barWidth);
    [[nodiscard]] QLabel* percentLabel() const { return percent_; }
    [[nodiscard]] QWidget* bar() const { return bar_; }

private:
    QLabel* percent_ = nullptr;
    QWidget* bar_ = nullptr;
};

}  // namespace zentrel::ui
