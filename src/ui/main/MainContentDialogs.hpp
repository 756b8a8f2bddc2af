#pragma once
// The detail pane's dialogs behind a seam: the real ones are window-modal
// message boxes and the desktop's save dialog; tests answer them directly.

#include "ui/presenters/MainContentPresenter.hpp"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace zentrel::ui {

class MainContentDialogs {
public:
    virtual ~MainContentDialogs() = default;
    // Calls `confirmed` only when the user chose to delete.
    virtual void confirmClean(QWidget& parent, const CleanConfirmation& confirmation,
                              std::function<void()> confirmed) = 0;
    // Calls `closed` with true for "View in Results", false for "OK".
    virtual void showCleanFailures(QWidget& parent, const QString& title, const QString& message,
                                   std::function<void(bool viewInResults)> closed) = 0;
    // The file the report goes to; none when the user cancelled.
    virtual std::optional<QString> chooseReportFile(QWidget& parent, const QString& suggestedName) = 0;
    virtual void showWarning(QWidget& parent, const QString& title, const QString& message) = 0;
};

class MessageBoxDialogs final : public MainContentDialogs {
public:
    void confirmClean(QWidget& parent, const CleanConfirmation& confirmation, std::function<void()> confirmed) override;
    void showCleanFailures(QWidget& parent, const QString& title, const QString& message,
                           std::function<void(bool viewInResults)> closed) override;
    std::optional<QString> chooseReportFile(QWidget& parent, const QString& suggestedName) override;
    void showWarning(QWidget& parent, const QString& title, const QString& message) override;
};

}  // namespace zentrel::ui
