#pragma once
// What an assistive technology finds wrong on a shown screen, walking its
// accessible tree as Qt hands it to the desktop's accessibility bus: a
// focusable element without a name or a role, a scroll area in the Tab
// order, a name or description written in markup, two buttons of the screen
// with one name, a combo box named by its value, a named filler inside a
// button (one element should say it all), and check boxes that act as one choice (the checkable
// buttons of an exclusive group, or of a group the caller knows to be one,
// that do not say they are radio buttons). One line per fault.

#include <QAbstractButton>
#include <QWidget>

#include <string>
#include <vector>

namespace zentrel::testing {

using ButtonChoice = std::vector<QAbstractButton*>;

// Every name in the screen's accessible tree, shown or not.
[[nodiscard]] std::vector<std::string> accessibleNames(QWidget& screen);
[[nodiscard]] std::vector<std::string> accessibilityFaults(QWidget& screen, const std::vector<ButtonChoice>& choices = {});

}  // namespace zentrel::testing
