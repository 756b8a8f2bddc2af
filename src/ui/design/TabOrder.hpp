#pragma once
// The Tab order follows what is seen. Qt orders by creation, so a row of
// buttons built again after the content under it would come after that
// content: this puts the content back behind them.

#include <QWidget>

#include <vector>

namespace zentrel::ui {

// Moves the controls inside `area` that take Tab, in their present order,
// to come right after `first` (a control of the same window).
void placeAfterInTabOrder(QWidget& first, const QWidget& area);
// Puts the controls of `areas` one area after the other, each area's in
// their present order, from where the first of them stands now.
void chainInTabOrder(const std::vector<const QWidget*>& areas);

}  // namespace zentrel::ui
