#include "ui/design/PageLanding.hpp"

#include <QVariant>

namespace zentrel::ui {
namespace {

constexpr const char* kLanding = "zentrelLanding";

bool canFocus(const QWidget& widget, Qt::FocusPolicy policy) {
    return (widget.focusPolicy() & policy) == policy && widget.isEnabled() && widget.isVisibleTo(widget.window());
}

bool isLanding(const QWidget& widget) {
    return widget.property(kLanding).toBool() && widget.isEnabled() && widget.isVisibleTo(widget.window());
}

}  // namespace

void markLanding(QWidget& widget) {
    widget.setProperty(kLanding, true);
    widget.setFocusPolicy(Qt::ClickFocus);
}

bool holdsFocus(const QWidget& area) {
    const auto* focused = area.window()->focusWidget();
    return focused != nullptr && (focused == &area || area.isAncestorOf(focused));
}

bool focusLanding(QWidget& page) {
    // A page just placed in a shown pane is shown by its layout only later.
    page.show();
    if (isLanding(page)) {
        page.setFocus(Qt::OtherFocusReason);
        return true;
    }
    for (auto* widget : page.findChildren<QWidget*>()) {
        if (isLanding(*widget)) {
            widget->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    // Else the first of the page in the Tab order.
    for (auto* next = page.nextInFocusChain(); next != &page; next = next->nextInFocusChain()) {
        if (page.isAncestorOf(next) && canFocus(*next, Qt::TabFocus)) {
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

}  // namespace zentrel::ui
