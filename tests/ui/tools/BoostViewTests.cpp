#include "ui/tools/BoostView.hpp"

#include "services/processes/ProcfsSystemStatistics.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FakeProcTree.hpp"
#include "doubles/FakeWorkspace.hpp"
#include "doubles/TempDir.hpp"

#include <QApplication>
#include <QMessageBox>

#include "ui/AccessibilityAudit.hpp"
#include "ui/LayoutAudit.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using namespace std::chrono_literals;
using BoostState = viewmodels::BoostViewModel::BoostState;

class BoostViewTest : public ::testing::Test {
protected:
    BoostViewTest() {
        tree.writeMeminfo({{"MemTotal", 1'000'000}, {"MemFree", 500'000}, {"Active(anon)", 100'000},
                           {"Inactive(anon)", 0}, {"Active(file)", 0}, {"Inactive(file)", 0}});
        tree.writeStat({0, 0, 0, 0}, 4);
        for (const auto& [pid, name] : {std::pair{10, "Editor"}, std::pair{11, "Player"}}) {
            tree.addProcess({.pid = pid, .name = name, .residentPages = 3000});
            workspace.add(pid, name, std::string("org.") + name);
        }
        view->resize(800, 900);
    }
    // The confirmation the page opened, if any.
    QMessageBox* confirmation() const { return view->findChild<QMessageBox*>(); }
    void pressRow(int row) const {
        auto* list = view->processList();
        Q_EMIT list->clicked(list->model()->index(row, 0));
    }

    testing::TempDir temp;
    testing::FakeProcTree tree{temp / "proc"};
    services::ProcfsSystemStatistics statistics{
        {.procRoot = tree.root(), .pageSize = 1000, .clockTicksPerSecond = 100, .currentPid = 900}};
    testing::FakeWorkspace workspace;
    testing::FakeClock clock;
    services::ProcessSampler sampler{statistics, workspace, clock};
    std::unique_ptr<BoostView> view =
        std::make_unique<BoostView>(std::make_unique<viewmodels::BoostViewModel>(sampler, clock, clock));
};

TEST_F(BoostViewTest, ThePageFitsWithoutSidewaysScrollingAtEverySize) {
    for (const auto size : testing::kPageSizes)
        EXPECT_EQ(testing::layoutFaultsAt(*view, size), std::vector<std::string>{}) << size.width();
}

TEST_F(BoostViewTest, ThePageReadsWellToAssistiveTools) {
    view->show();
    QApplication::processEvents();
    EXPECT_EQ(testing::accessibilityFaults(*view), std::vector<std::string>{});
}

TEST_F(BoostViewTest, PollsOnlyWhileShown) {
    EXPECT_FALSE(view->viewModel().isRunning());
    view->show();
    EXPECT_TRUE(view->viewModel().isRunning());
    EXPECT_EQ(view->processList()->model()->rowCount(), 2);
    view->hide();
    EXPECT_FALSE(view->viewModel().isRunning());
    EXPECT_EQ(clock.activeTimerCount(), 0u);
}

TEST_F(BoostViewTest, PressingRowsPicksAppsAndTheQuitAsksWithCancelAsDefault) {
    view->show();
    EXPECT_FALSE(view->primaryButton()->isEnabled());
    EXPECT_TRUE(view->clearButton()->isHidden());
    pressRow(0);
    pressRow(1);
    EXPECT_EQ(view->viewModel().selectedCount(), 2);
    EXPECT_TRUE(view->primaryButton()->isEnabled());
    EXPECT_FALSE(view->clearButton()->isHidden());

    view->primaryButton()->click();
    auto* box = confirmation();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Quit 2 app(s)?");
    EXPECT_EQ(box->defaultButton()->text(), "Cancel");
    EXPECT_TRUE(box->informativeText().contains("\nEditor"));
    EXPECT_TRUE(box->informativeText().contains("\nPlayer"));
    box->defaultButton()->click();
    EXPECT_TRUE(workspace.requests.empty());

    view->primaryButton()->click();
    for (auto* button : confirmation()->buttons()) {
        if (confirmation()->buttonRole(button) == QMessageBox::DestructiveRole) button->click();
    }
    EXPECT_EQ(workspace.requests.size(), 2u);
    EXPECT_EQ(view->viewModel().boostState().phase, BoostState::Phase::boosting);
    clock.advance(2s);
    ASSERT_EQ(view->viewModel().boostState().phase, BoostState::Phase::done);
    view->doneButton()->click();
    EXPECT_EQ(view->viewModel().boostState(), BoostState::idle());
}

TEST_F(BoostViewTest, LeavingThePageDuringTheWaitIsSafe) {
    view->show();
    pressRow(0);
    view->viewModel().boostSelected();
    view.reset();
    EXPECT_EQ(clock.activeTimerCount(), 0u);
    clock.advance(5s);
}

}  // namespace
}  // namespace zentrel::ui
