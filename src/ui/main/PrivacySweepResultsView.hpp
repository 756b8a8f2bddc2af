#pragma once
// The privacy category's results: one card per privacy group (a browser's
// tracker cookies, a recents list, the clipboard) with its targets as
// check-box rows, and two buttons that select the trackers or nothing. It
// only selects; the clean starts from the main window. Rebuilt whenever the
// view model's result changes.

#include "model/PrivacyGroup.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace zentrel::ui {

class PrivacyTargetRow final : public QWidget {
public:
    PrivacyTargetRow(viewmodels::ScanViewModel& viewModel, const model::PrivacyGroup& group,
                     const model::PrivacyTarget& target, QWidget* parent = nullptr);

    // The result item this target stands for: same group and path, or, for an
    // item without a path, the same name as the target's label.
    [[nodiscard]] static std::optional<platform::Uuid> itemID(const viewmodels::ScanViewModel& viewModel,
                                                              const model::PrivacyGroup& group,
                                                              const model::PrivacyTarget& target);
    [[nodiscard]] QCheckBox* checkBox() const { return checkBox_; }
    [[nodiscard]] QLabel* domainsLabel() const { return domains_; }
    // The size, or for tracker cookies their count.
    [[nodiscard]] QLabel* figureLabel() const { return figure_; }
    // Sets the item's selection, calling the view model only when it changes.
    void setChecked(bool checked);

private:
    viewmodels::ScanViewModel& viewModel_;
    std::optional<platform::Uuid> itemID_;
    QCheckBox* checkBox_ = nullptr;
    QLabel* domains_ = nullptr;
    QLabel* figure_ = nullptr;
};

class PrivacySweepResultsView final : public QWidget {
public:
    explicit PrivacySweepResultsView(viewmodels::ScanViewModel& viewModel, QWidget* parent = nullptr);

    // Tracker-cookie items selected, every other privacy item not; other categories untouched.
    void selectTrackers();
    void deselectAll();

    [[nodiscard]] bool isShowingEmptyState() const { return emptyState_ != nullptr; }
    [[nodiscard]] QLabel* headerLabel() const { return header_; }
    [[nodiscard]] const std::vector<QWidget*>& groupCards() const { return cards_; }
    [[nodiscard]] const std::vector<PrivacyTargetRow*>& targetRows() const { return rows_; }
    // The symbol name of a group's icon.
    [[nodiscard]] static QString groupSymbol(const model::PrivacyGroup& group);

private:
    void rebuild();
    void build();
    QWidget* groupCard(const model::PrivacyGroup& group);

    viewmodels::ScanViewModel& viewModel_;
    QVBoxLayout* column_ = nullptr;
    std::vector<QWidget*> shown_;
    std::vector<QWidget*> cards_;
    std::vector<PrivacyTargetRow*> rows_;
    QLabel* header_ = nullptr;
    QWidget* emptyState_ = nullptr;
    platform::Subscription resultObserver_;
};

}  // namespace zentrel::ui
