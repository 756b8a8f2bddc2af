#pragma once
// The tool pages' message boxes: window-modal, their texts shown as written,
// never as markup. A destructive confirmation names its action on its
// button and makes Cancel the default.

#include <QMessageBox>
#include <QWidget>

#include <functional>

namespace zentrel::ui {

// Runs `confirmed` only when the destructive button is pressed.
QMessageBox* confirmDestructive(QWidget* parent, const QString& title, const QString& message,
                                const QString& confirmLabel, const QString& cancelLabel,
                                std::function<void()> confirmed);
// A plain alert with one button; `closed` runs when it goes.
QMessageBox* showAlert(QWidget* parent, const QString& title, const QString& message, const QString& buttonLabel,
                       std::function<void()> closed);

}  // namespace zentrel::ui
