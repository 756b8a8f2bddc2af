#pragma once
// The Boost page: live memory and CPU gauges with the memory pressure, the
// memory breakdown, the process list with its sort and background switches,
// picking applications, quitting them after a confirmation, the wait while
// they quit and the measured result. The page owns its view model, polls
// through it while it is on screen, and draws what the Boost presenter says.

#include "ui/tools/ProcessRow.hpp"
#include "viewmodels/BoostViewModel.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>
#include <vector>

namespace zentrel::ui {

class GaugeTileView;

class BoostView final : public QWidget {
public:
    explicit BoostView(std::unique_ptr<viewmodels::BoostViewModel> viewModel, QWidget* parent = nullptr);
    ~BoostView() override;

    [[nodiscard]] viewmodels::BoostViewModel& viewModel() { return *viewModel_; }
    // Opens the quit confirmation for the selected applications.
    void requestQuit();

    // What is shown, for the page's tests.
    [[nodiscard]] QPushButton* primaryButton() const { return primary_; }
    [[nodiscard]] QPushButton* doneButton() const { return done_; }
    [[nodiscard]] QPushButton* clearButton() const { return clear_; }
    [[nodiscard]] ProcessListView* processList() const { return list_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* headerCard();
    QWidget* breakdownCard();
    QWidget* processCard();
    QWidget* noteCard();
    QWidget* idleActions();
    QWidget* boostingActions();
    QWidget* doneActions();
    void addCard(QWidget* card, double revealDelay);
    void showMemory();
    void showList();
    void showActions();
    void showActionPage(int index);
    void showSwitches();

    std::unique_ptr<viewmodels::BoostViewModel> viewModel_;
    QVBoxLayout* column_ = nullptr;
    GaugeTileView* memoryTile_ = nullptr;
    GaugeTileView* cpuTile_ = nullptr;
    QStackedWidget* actions_ = nullptr;
    QPushButton* primary_ = nullptr;
    QLabel* doneHeadline_ = nullptr;
    QLabel* doneDetail_ = nullptr;
    QPushButton* done_ = nullptr;
    std::vector<QLabel*> breakdown_;
    std::vector<QPushButton*> sortButtons_;
    QCheckBox* background_ = nullptr;
    QPushButton* clear_ = nullptr;
    QWidget* listProgress_ = nullptr;
    QLabel* nothingRunning_ = nullptr;
    ProcessListModel* model_ = nullptr;
    ProcessListView* list_ = nullptr;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
