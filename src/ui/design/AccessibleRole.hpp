#pragma once
// Qt tells assistive technology that a widget of this program's own drawing
// is a plain filler. This gives it the role it plays instead.

#include <QAccessible>
#include <QWidget>

namespace zentrel::ui {

// Call in the widget's constructor, before assistive technology first asks.
void setAccessibleRole(QWidget& widget, QAccessible::Role role);

}  // namespace zentrel::ui
