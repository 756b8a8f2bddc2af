#pragma once
// One item of a running clean: its status (waiting, a spinner while it is
// deleted, done or failed), name, category, failure message and size. The
// row follows its entry in place as the clean moves on.

#include "ui/presenters/CleaningPresenter.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

namespace zentrel::ui {

class CleaningActivityRow final : public QWidget {
public:
    explicit CleaningActivityRow(const ActivityRow& row, QWidget* parent = nullptr);

    void display(const ActivityRow& row);
    [[nodiscard]] const ActivityRow& shown() const { return row_; }
    [[nodiscard]] QWidget* statusSlot() const { return status_; }
    [[nodiscard]] QLabel* messageLabel() const { return message_; }

private:
    void showStatus();
    void showTexts();

    ActivityRow row_;
    QHBoxLayout* statusHolder_ = nullptr;
    QWidget* status_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* category_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* size_ = nullptr;
};

}  // namespace zentrel::ui
