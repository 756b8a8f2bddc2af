#pragma once
// The smart cleanup page: the recommended plan of the current scan, or the
// one restored from the last scan, with the way to apply it (select its
// items and confirm the clean) or to start the scan that builds one, and a
// progress or empty state otherwise. Redrawn from the view model whenever
// the result, the background scan or the scan state changes.

#include "ui/presenters/MainContentPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"
#include "viewmodels/SmartCleanupPlan.hpp"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <optional>
#include <set>

namespace zentrel::ui {

class SmartCleanupView final : public QWidget {
public:
    // Shows the clean confirmation; the dialog answers through confirmClean() or cancelClean().
    using ConfirmationPresenter = std::function<void(SmartCleanupView&)>;

    explicit SmartCleanupView(viewmodels::ScanViewModel& viewModel, QWidget* parent = nullptr);

    [[nodiscard]] viewmodels::SmartCleanupPlan plan() const;
    [[nodiscard]] bool canApplyPlan() const;
    [[nodiscard]] std::int64_t planItemCount() const;

    void apply();
    void startSmartScan();

    // The clean confirmation.
    [[nodiscard]] bool isConfirmationShown() const { return showCleanConfirm_; }
    [[nodiscard]] QString confirmationTitle() const;
    [[nodiscard]] QString confirmationDeleteLabel() const;
    // Cleans what the confirmation counted when it opened (by default: the selection now).
    void confirmClean();
    void confirmClean(const CleanConfirmation& confirmation);
    void cancelClean();
    void setConfirmationPresenter(ConfirmationPresenter presenter) { presenter_ = std::move(presenter); }

    // What is shown, for the page's tests and assistive technology.
    [[nodiscard]] QPushButton* primaryButton() const { return primary_; }
    [[nodiscard]] QLabel* statusLine() const { return statusLine_; }
    [[nodiscard]] const std::vector<QWidget*>& cards() const { return cards_; }
    [[nodiscard]] QStringList shownTexts() const;
    [[nodiscard]] QProgressBar* progressBar() const { return progress_; }

private:
    // What decides the cards: the plan shown, a running scan, or nothing.
    [[nodiscard]] QString layoutKey(const viewmodels::SmartCleanupPlan& current) const;
    [[nodiscard]] QString planKey(const viewmodels::SmartCleanupPlan& current) const;
    [[nodiscard]] std::int64_t planItemCount(const viewmodels::SmartCleanupPlan& current) const;
    // The selection's size, with the tracker cookies it removes counted.
    [[nodiscard]] QString selectedFigure() const;
    void refresh();
    void showProgress();
    void confirmScannedPlan();
    // Keeps the result of the clean this page started while the scan state holds it.
    void noteCleanResult();
    void rebuild(const viewmodels::SmartCleanupPlan& current);
    QWidget* planCard(const viewmodels::SmartCleanupPlan& plan, bool showPlan);
    QWidget* byCategoryCard(const viewmodels::SmartCleanupPlan& plan);
    QWidget* topPicksCard(const viewmodels::SmartCleanupPlan& plan);
    QWidget* noteCard(const QString& symbol, const QString& text);
    QWidget* scanningCard();
    QWidget* resultCard(const model::scan_state::Cleaned& cleaned);
    QWidget* emptyCard();
    void addCard(QWidget* card, double revealDelay);

    viewmodels::ScanViewModel& viewModel_;
    QVBoxLayout* column_ = nullptr;
    std::vector<QWidget*> cards_;
    QPushButton* primary_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* progressMessage_ = nullptr;
    QString shownKey_;
    bool showCleanConfirm_ = false;
    // A restored plan's Apply scans first, then asks as after any scan.
    bool confirmAfterScan_ = false;
    // A clean confirmed here is running; its result heads the page until the next scan.
    bool awaitingResult_ = false;
    std::optional<model::scan_state::Cleaned> result_;
    // What was selected before the plan was, restored when the user cancels.
    std::set<platform::Uuid> selectionBeforeConfirm_;
    ConfirmationPresenter presenter_;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
