#pragma once
// The question before a clean, asked the same way on every page: what will
// be deleted (the first few names and how many more), how much, whether it
// can be undone, and Delete or Cancel, with Cancel the default so that
// Return deletes only from a focused Delete button. Window-modal.

#include "ui/presenters/MainContentPresenter.hpp"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <functional>

namespace zentrel::ui {

class CleanConfirmationDialog final : public QDialog {
public:
    // The result of the third answer that addAlternative adds.
    static constexpr int kAlternative = 2;

    CleanConfirmationDialog(const CleanConfirmation& confirmation, QWidget* parent);

    // A third answer beside Delete and Cancel, such as "Review First".
    QPushButton* addAlternative(const QString& title);

    [[nodiscard]] QPushButton* deleteButton() const { return delete_; }
    [[nodiscard]] QPushButton* cancelButton() const { return cancel_; }

    // Opens the dialog; `confirmed` runs only when the user chose to delete.
    static void ask(QWidget& parent, const CleanConfirmation& confirmation, std::function<void()> confirmed);

private:
    QDialogButtonBox* buttons_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace zentrel::ui
