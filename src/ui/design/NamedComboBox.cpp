#include "ui/design/NamedComboBox.hpp"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace zentrel::ui {
namespace {

class NamedComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit NamedComboBoxAccessible(QComboBox& box) : QAccessibleWidget(&box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return box().currentText();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        auto shown = QAccessibleWidget::state();
        shown.expandable = true;
        shown.expanded = box().view()->isVisible();
        shown.collapsed = !shown.expanded;
        return shown;
    }

    // The list of choices, as the desktop's readers expect under a combo box.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(box().view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == box().view() ? 0 : -1;
    }

    QStringList actionNames() const override {
        if (!box().isEnabled()) return {};
        return {showMenuAction(), pressAction(), setFocusAction()};
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) box().showPopup();
        else QAccessibleWidget::doAction(action);
    }

private:
    QComboBox& box() const { return *static_cast<QComboBox*>(widget()); }
};

}  // namespace

void nameComboBox(QComboBox& box, const QString& name) {
    box.setAccessibleName(name);
    QAccessible::registerAccessibleInterface(new NamedComboBoxAccessible(box));
}

}  // namespace zentrel::ui
