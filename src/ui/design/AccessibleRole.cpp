#include "ui/design/AccessibleRole.hpp"

#include <QAccessibleWidget>

namespace zentrel::ui {

void setAccessibleRole(QWidget& widget, QAccessible::Role role) {
    QAccessible::registerAccessibleInterface(new QAccessibleWidget(&widget, role));
}

}  // namespace zentrel::ui
