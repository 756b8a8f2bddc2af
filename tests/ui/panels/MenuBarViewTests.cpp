#include "ui/panels/MenuBarView.hpp"

#include "services/processes/ProcfsSystemStatistics.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include "doubles/FakeEnergyReportSource.hpp"
#include "doubles/FakeProcTree.hpp"
#include "doubles/FakeWorkspace.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using testing::scannedItem;

class ScriptedMenuBarDialogs final : public MenuBarDialogs {
public:
    void askQuickClean(QWidget*, const QuickCleanQuestion& question,
                       std::function<void(QuickCleanAnswer)> answered) override {
        quickCleans.push_back(question.confirmation.title);
        answered(quickCleanAnswer);
    }
    void askCalmDown(const CalmDownQuestion& question, std::function<void()> confirmed) override {
        calmDowns.push_back(question.title);
        if (!question.isNotice()) confirmed();
    }

    QuickCleanAnswer quickCleanAnswer = QuickCleanAnswer::clean;
    std::vector<std::string> quickCleans;
    std::vector<std::string> calmDowns;
};

class MenuBarViewTest : public ::testing::Test {
protected:
    MenuBarViewTest() {
        tree.writeMeminfo({{"MemTotal", 1000}, {"MemFree", 900}, {"Active(anon)", 100}, {"Inactive(anon)", 0},
                           {"Active(file)", 0}, {"Inactive(file)", 0}});
    }

    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    testing::TempDir temp;
    testing::FakeProcTree tree{temp / "proc"};
    services::ProcfsSystemStatistics statistics{{.procRoot = tree.root(), .pageSize = 1000, .currentPid = 500}};
    testing::FakeWorkspace workspace;
    services::ProcessSampler sampler{statistics, workspace, h.clock};
    services::EnergyStore energy{h.standard, h.clock};
    testing::FakeEnergyReportSource energySource;
    services::SystemPowerSampler power{energySource, h.clock};
    int windowOpened = 0;
    ScriptedMenuBarDialogs* dialogs = new ScriptedMenuBarDialogs;
    MenuBarView view{{*vm, sampler, [] { return false; }, energy, power, h.clock, temp.path().string(),
                      [this] { ++windowOpened; }, [] { return nullptr; }, [] {}},
                     std::unique_ptr<MenuBarDialogs>(dialogs)};
};

TEST_F(MenuBarViewTest, ItsFiguresAreReadEachTimeItOpens) {
    view.open();
    EXPECT_EQ(view.width(), MenuBarView::kWidth);
    EXPECT_EQ(view.button(MenuBarAction::quickClean), nullptr);
    EXPECT_TRUE(view.categoryButtons().empty());

    h.scanTo(*vm, {scannedItem("/h/.Trash/a", CategoryType::trash, 2'000'000)});
    vm->scanState.set(model::scan_state::Done{});
    view.open();
    ASSERT_NE(view.button(MenuBarAction::quickClean), nullptr);
    EXPECT_EQ(view.button(MenuBarAction::quickClean)->accessibleName(), "Quick Clean (2 MB)");
    ASSERT_EQ(view.categoryButtons().size(), 1u);

    view.categoryButtons()[0]->click();
    EXPECT_EQ(vm->sidebarSelection(), model::SidebarSelection::category(CategoryType::trash));
    EXPECT_EQ(windowOpened, 1);
}

TEST_F(MenuBarViewTest, QuickCleanAsksFirstThenCleansWhatItNamed) {
    h.scanTo(*vm, {scannedItem("/h/.Trash/a", CategoryType::trash, 2'000'000)});
    vm->scanState.set(model::scan_state::Done{});
    view.open();
    view.button(MenuBarAction::quickClean)->click();
    EXPECT_EQ(dialogs->quickCleans, std::vector<std::string>{"Quick Clean 2 MB?"});
    EXPECT_EQ(h.engine.cleans.size(), 1u);
    EXPECT_EQ(windowOpened, 1);
}

TEST_F(MenuBarViewTest, BoostAndOpenZentrelBringTheWindowForward) {
    view.open();
    view.button(MenuBarAction::boost)->click();
    EXPECT_EQ(vm->sidebarSelection(), model::SidebarSelection::boost());
    view.open();
    view.button(MenuBarAction::openZentrel)->click();
    EXPECT_EQ(windowOpened, 2);
}

TEST_F(MenuBarViewTest, CalmDownAsksAndQuitsTheNamedApps) {
    tree.addProcess({.pid = 10, .name = "editor", .residentPages = 50});
    workspace.add(10, "Editor", "org.example.Editor");
    view.open();
    view.button(MenuBarAction::calmDown)->click();
    EXPECT_EQ(dialogs->calmDowns, std::vector<std::string>{"Calm down hot apps?"});
    EXPECT_EQ(workspace.requests, (std::vector<std::pair<std::int32_t, bool>>{{10, false}}));
}

}  // namespace
}  // namespace zentrel::ui
