#include "ui/design/TabOrder.hpp"

namespace zentrel::ui {
namespace {

bool takesTab(const QWidget& widget) { return (widget.focusPolicy() & Qt::TabFocus) != 0; }

// The controls inside `area` that take Tab, in their present order.
std::vector<QWidget*> controlsInside(const QWidget& area) {
    std::vector<QWidget*> controls;
    auto* window = area.window();
    for (auto* widget = window->nextInFocusChain(); widget != window; widget = widget->nextInFocusChain())
        if (area.isAncestorOf(widget) && takesTab(*widget)) controls.push_back(widget);
    return controls;
}

void chain(const std::vector<QWidget*>& controls) {
    for (std::size_t i = 1; i < controls.size(); ++i) QWidget::setTabOrder(controls[i - 1], controls[i]);
}

}  // namespace

void placeAfterInTabOrder(QWidget& first, const QWidget& area) {
    if (first.window() != area.window() || !takesTab(first)) return;
    auto controls = controlsInside(area);
    controls.insert(controls.begin(), &first);
    chain(controls);
}

void chainInTabOrder(const std::vector<const QWidget*>& areas) {
    std::vector<QWidget*> controls;
    for (const auto* area : areas) {
        const auto inside = controlsInside(*area);
        controls.insert(controls.end(), inside.begin(), inside.end());
    }
    chain(controls);
}

}  // namespace zentrel::ui
