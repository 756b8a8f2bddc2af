#pragma once
// The page of a list with nothing in it: a green check, a title and a line
// of advice on one card centred in the pane, read as one element.

#include <QWidget>

namespace zentrel::ui {

[[nodiscard]] QWidget* emptyStatePage(const QString& title, const QString& message, int maxWidth, QWidget* parent);

}  // namespace zentrel::ui
