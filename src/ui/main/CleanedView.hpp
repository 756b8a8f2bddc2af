#pragma once
// The page after a clean: what it freed, what is still found, and a Done
// button back to the results.

#include "ui/presenters/CleaningPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QPushButton>
#include <QWidget>

namespace zentrel::ui {

// A clean's result: its icon and figures in one heading, which takes the
// focus as it arrives so that a screen reader says the whole result once.
QWidget* cleanedResult(const CleanedPageContent& page, QWidget* parent);

class CleanedView final : public QWidget {
public:
    CleanedView(viewmodels::ScanViewModel& viewModel, std::int64_t freedBytes, std::int64_t leftBytes,
                std::int64_t trackerCookies, QWidget* parent = nullptr);

    [[nodiscard]] QPushButton* doneButton() const { return done_; }

private:
    QPushButton* done_ = nullptr;
};

}  // namespace zentrel::ui
