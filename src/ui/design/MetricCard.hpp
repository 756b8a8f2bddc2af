#pragma once
// A figure with its label, an optional symbol and an optional caption, on
// glass with a hairline border.

#include "ui/design/DesignTokens.hpp"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace zentrel::ui {

class MetricCard final : public QWidget {
public:
    MetricCard(QString label, QString value, std::optional<QString> caption, std::optional<QString> symbolName,
               ColorToken tint, QWidget* parent = nullptr);

    [[nodiscard]] QLabel* iconWell() const { return icon_; }
    [[nodiscard]] QLabel* valueLabel() const { return value_; }
    [[nodiscard]] QLabel* captionLabel() const { return caption_; }
    void setValue(const QString& value) { value_->setText(value); }
    // A line under the caption that qualifies the figure.
    void addNote(QWidget* note);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* icon_ = nullptr;
    QLabel* value_ = nullptr;
    QLabel* caption_ = nullptr;
    QVBoxLayout* figures_ = nullptr;
};

}  // namespace zentrel::ui
