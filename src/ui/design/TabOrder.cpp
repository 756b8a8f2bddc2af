#include "ui/design/TabOrder.hpp"

#include <vector>

namespace zentrel::ui {

void placeAfterInTabOrder(QWidget& first, const QWidget& area) {
    auto* window = first.window();
    if (window != area.window() || (first.focusPolicy() & Qt::TabFocus) == 0) return;
    std::vector<QWidget*> controls;
    for (auto* widget = window->nextInFocusChain(); widget != window; widget = widget->nextInFocusChain())
        if (area.isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) != 0) controls.push_back(widget);
    auto* previous = &first;
    for (auto* control : controls) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace zentrel::ui
