#include "ui/design/KeptFocus.hpp"

#include <QApplication>
#include <QVariant>

namespace zentrel::ui {
namespace {

constexpr const char* kFocusKey = "zentrelFocusKey";

std::optional<QString> keyOf(const QWidget& widget) {
    const auto value = widget.property(kFocusKey);
    if (!value.isValid()) return std::nullopt;
    return value.toString();
}

}  // namespace

void setFocusKey(QWidget& control, const QString& key) { control.setProperty(kFocusKey, key); }

KeptFocus::KeptFocus(const QWidget& area) {
    const auto* focused = QApplication::focusWidget();
    if (focused == nullptr || (focused != &area && !area.isAncestorOf(focused))) return;
    // The focus may sit on a part of the marked control.
    for (const auto* widget = focused; widget != nullptr && widget != &area; widget = widget->parentWidget()) {
        if (auto key = keyOf(*widget)) {
            key_ = std::move(key);
            return;
        }
    }
}

bool KeptFocus::restore(const std::vector<QWidget*>& built) const {
    if (!key_) return false;
    for (auto* top : built) {
        auto candidates = top->findChildren<QWidget*>();
        candidates.prepend(top);
        for (auto* widget : candidates) {
            if (keyOf(*widget) != key_ || !widget->isEnabled()) continue;
            widget->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

}  // namespace zentrel::ui
