#pragma once
// One line of plain text that, when narrower than its text, shows it elided
// in the middle, so both ends of a path stay readable. The full text is the
// tooltip and what assistive technology reads.

#include "ui/design/DesignTokens.hpp"

#include <QLabel>

namespace zentrel::ui {

class ElidedLabel final : public QLabel {
public:
    ElidedLabel(QString text, const FontToken& font, const ColorToken& color, QWidget* parent = nullptr);

    [[nodiscard]] const QString& fullText() const { return full_; }
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString full_;
};

}  // namespace zentrel::ui
