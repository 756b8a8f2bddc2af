#pragma once
// The page after a clean: what it freed, what is still found, and a Done
// button back to the results.

#include "viewmodels/ScanViewModel.hpp"

#include <QPushButton>
#include <QWidget>

namespace zentrel::ui {

class CleanedView final : public QWidget {
public:
    CleanedView(viewmodels::ScanViewModel& viewModel, std::int64_t freedBytes, std::int64_t leftBytes,
                std::int64_t trackerCookies, QWidget* parent = nullptr);

    [[nodiscard]] QPushButton* doneButton() const { return done_; }

private:
    QPushButton* done_ = nullptr;
};

}  // namespace zentrel::ui
