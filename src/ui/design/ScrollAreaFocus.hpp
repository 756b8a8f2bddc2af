#pragma once
// A scroll area that only frames a page's controls stays out of the Tab
// order, and so does its viewport: the focus goes to the controls inside,
// and the area scrolls to show the one that has it.

#include <QAbstractScrollArea>

namespace zentrel::ui {

void keepOutOfTabOrder(QAbstractScrollArea& area);

}  // namespace zentrel::ui
