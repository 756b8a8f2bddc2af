#pragma once
// A row that opens to show more: a header with a symbol, a title and a
// chevron that turns while open, and content built each time the row opens
// and removed when it closes. A top-level row lies on a tinted panel; a
// nested one lies flat on its parent, with a smaller title and grey symbol.
// The caller owns whether it is open: it gives the start and hears changes.

#include "ui/tools/PanelButton.hpp"

#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>

namespace zentrel::ui {

class FeatureExpandRow final : public QWidget {
public:
    using ContentBuilder = std::function<QWidget*(QWidget* parent)>;

    FeatureExpandRow(const QString& title, const QString& symbolName, bool expanded, bool nested,
                     ContentBuilder content, QWidget* parent = nullptr);

    [[nodiscard]] bool isExpanded() const { return expanded_; }
    void setExpanded(bool expanded);
    // Called after the row opened (its content built) or closed.
    void setExpandedChanged(std::function<void(bool)> changed) { changed_ = std::move(changed); }

    [[nodiscard]] PanelButton* header() const { return header_; }
    // The content while open, else null.
    [[nodiscard]] QWidget* content() const { return content_; }
    // The chevron's turn in degrees: 90 open, 0 closed, moving in between.
    [[nodiscard]] double chevronAngle() const { return angle_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void turnChevron(double to);

    bool expanded_ = false;
    bool nested_;
    ContentBuilder build_;
    std::function<void(bool)> changed_;
    QVBoxLayout* column_ = nullptr;
    PanelButton* header_ = nullptr;
    QLabel* chevron_ = nullptr;
    QPointer<QWidget> content_;
    double angle_ = 0;
    QVariantAnimation turn_;
};

}  // namespace zentrel::ui
