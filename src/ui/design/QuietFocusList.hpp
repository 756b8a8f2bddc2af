#pragma once
// A list widget that tells assistive technology of its current row only
// while it has the keyboard focus. Qt's list announces every new current row
// as focus, so a list rebuilt while the user works elsewhere (the sidebar
// after a check box is toggled) took the screen reader's focus away from
// the control that still has the keyboard.

#include <QListWidget>

namespace zentrel::ui {

class QuietFocusList final : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

}  // namespace zentrel::ui
