#pragma once
// The page of a failed scan action: the message and a Try Again button.

#include "viewmodels/ScanViewModel.hpp"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace zentrel::ui {

class ErrorView final : public QWidget {
public:
    ErrorView(viewmodels::ScanViewModel& viewModel, const std::string& message, QWidget* parent = nullptr);

    [[nodiscard]] QPushButton* tryAgainButton() const { return tryAgain_; }
    [[nodiscard]] QLabel* messageLabel() const { return message_; }

private:
    QPushButton* tryAgain_ = nullptr;
    QLabel* message_ = nullptr;
};

}  // namespace zentrel::ui
