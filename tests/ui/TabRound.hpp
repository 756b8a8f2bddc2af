#pragma once
// Walks a shown, active window with the Tab key as a user does.

#include <QWidget>

#include <vector>

namespace zentrel::testing {

// The controls Tab visits from the window's start, once round.
std::vector<QWidget*> tabRound(QWidget& window);

}  // namespace zentrel::testing
