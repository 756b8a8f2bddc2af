#pragma once
// On this desktop Qt names a combo box by its current choice and leaves its
// label to a relation that not every reader follows. A named combo box says
// the name it was given, holds its choice as its value, and opens its list
// when an assistive technology presses it.

#include <QComboBox>

namespace zentrel::ui {

// Call before the box is first shown to assistive technology.
void nameComboBox(QComboBox& box, const QString& name);

}  // namespace zentrel::ui
