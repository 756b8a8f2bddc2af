#pragma once
// The sheet that shows what the last privacy sweep did, one row per action,
// each with an Undo while its backup lasts, or N_("Restored") once put back. It
// rebuilds itself whenever the view model publishes the last sweep record.

#include "model/SweepRecord.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace zentrel::ui {

class StatusPill;

class SweepActionRow final : public QWidget {
public:
    // `refusal`: why its last undo was refused, shown under it.
    SweepActionRow(viewmodels::ScanViewModel& viewModel, model::SweepRecord record, model::SweepAction action,
                   platform::Date now, std::optional<std::string> refusal = std::nullopt, QWidget* parent = nullptr);

    // The symbol name of each kind of action.
    [[nodiscard]] static QString symbolName(model::SweepActionKind kind);
    [[nodiscard]] QPushButton* undoButton() const { return undo_; }
    [[nodiscard]] StatusPill* restoredPill() const { return restored_; }
    [[nodiscard]] QLabel* detailLabel() const { return detail_; }
    [[nodiscard]] QLabel* refusalLabel() const { return refusal_; }
    // Focuses the Undo, or the row itself once there is none.
    void takeFocus();

private:
    void undo();

    viewmodels::ScanViewModel& viewModel_;
    model::SweepRecord record_;
    model::SweepAction action_;
    QPushButton* undo_ = nullptr;
    StatusPill* restored_ = nullptr;
    QLabel* detail_ = nullptr;
    QLabel* refusal_ = nullptr;
};

class SweepLogView final : public QWidget {
public:
    SweepLogView(viewmodels::ScanViewModel& viewModel, const platform::Clock& clock, std::string language = "en",
                 QWidget* parent = nullptr);

    [[nodiscard]] const std::vector<SweepActionRow*>& rows() const { return rows_; }
    [[nodiscard]] QLabel* footer() const { return footer_; }
    [[nodiscard]] QPushButton* doneButton() const { return done_; }
    [[nodiscard]] QScrollArea* scrollArea() const { return scroll_; }

private:
    void rebuild();

    viewmodels::ScanViewModel& viewModel_;
    const platform::Clock& clock_;
    std::string language_;
    QScrollArea* scroll_ = nullptr;
    QVBoxLayout* rowsLayout_ = nullptr;
    std::vector<SweepActionRow*> rows_;
    QLabel* footer_ = nullptr;
    QPushButton* done_ = nullptr;
    platform::Subscription recordObserver_;
    platform::Subscription refusalObserver_;
};

}  // namespace zentrel::ui
