#include "ui/design/QuietFocusList.hpp"

namespace zentrel::ui {

void QuietFocusList::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (hasFocus()) {
        QListWidget::currentChanged(current, previous);
        return;
    }
    // The list view's own step only adds the focus event; the item view's keeps the rest.
    QAbstractItemView::currentChanged(current, previous);  // NOLINT(bugprone-parent-virtual-call)
}

}  // namespace zentrel::ui
