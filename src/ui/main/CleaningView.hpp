#pragma once
// The page of a running clean: the count of finished items, the progress,
// the item being deleted, the failures so far, and below them the activity
// of every item of the run. Rows are built as the list is scrolled and
// follow their items in place.

#include "ui/main/CleaningActivityRow.hpp"
#include "ui/main/LazyColumn.hpp"
#include "ui/presenters/CleaningPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>

namespace zentrel::ui {

class CleaningView final : public QWidget {
public:
    explicit CleaningView(viewmodels::ScanViewModel& viewModel, QWidget* parent = nullptr);

    [[nodiscard]] QLabel* countLine() const { return count_; }
    [[nodiscard]] QProgressBar* progressBar() const { return bar_; }
    // The strip of the item being deleted; hidden when there is none.
    [[nodiscard]] QWidget* currentStrip() const { return strip_; }
    [[nodiscard]] QLabel* currentName() const { return currentName_; }
    [[nodiscard]] QLabel* failureLine() const { return failure_; }
    [[nodiscard]] const std::vector<CleaningActivityRow*>& rows() const { return rows_; }
    [[nodiscard]] LazyColumn* list() const { return list_; }

private:
    void showSummary();
    void showActivity();
    QWidget* summaryCard();

    viewmodels::ScanViewModel& viewModel_;
    LazyColumn* list_ = nullptr;
    QLabel* count_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QWidget* strip_ = nullptr;
    QLabel* currentName_ = nullptr;
    QLabel* currentCategory_ = nullptr;
    QWidget* failureRow_ = nullptr;
    QLabel* failure_ = nullptr;
    QVBoxLayout* activity_ = nullptr;
    std::vector<model::CleaningActivityEntry> shownEntries_;
    std::vector<CleaningActivityRow*> rows_;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
