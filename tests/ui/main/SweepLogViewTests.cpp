#include "ui/main/SweepLogView.hpp"

#include "ui/design/StatusPill.hpp"

#include "viewmodels/ScanViewModelHarness.hpp"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::SweepAction;
using model::SweepActionKind;

class SweepLogViewTest : public ::testing::Test {
protected:
    // A clean whose sweep record holds the given actions.
    model::SweepRecord sweep(std::vector<SweepAction> actions) {
        vm->startScan(false, true, false, false);
        h.engine.fullScans.back().done({testing::scannedItem("/h/.zsh_history", model::CategoryType::privacy, 10)});
        vm->startClean(std::nullopt, false);
        model::SweepRecord record{platform::Uuid::random(), h.clock.now(), h.clock.now().addingTimeInterval(86400),
                                  std::move(actions), 10};
        h.engine.cleans.back().done({10, {}, {}, record});
        return record;
    }
    static SweepAction action(SweepActionKind kind, std::optional<std::string> detail, bool backup, bool restored) {
        return {platform::Uuid::random(), kind, "Zsh History", std::move(detail),
                backup ? std::optional<std::string>("/backup") : std::nullopt, "/h/.zsh_history", restored};
    }

    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
};

TEST_F(SweepLogViewTest, EachActionOffersWhatItCan) {
    SweepLogView empty(*vm, h.clock);
    EXPECT_TRUE(empty.rows().empty());
    EXPECT_TRUE(empty.footer()->text().isEmpty());

    sweep({action(SweepActionKind::fileTruncated, "/h/.zsh_history", true, false),
           action(SweepActionKind::cookieDomain, std::nullopt, true, true),
           action(SweepActionKind::recentsCleared, std::nullopt, false, false)});
    SweepLogView view(*vm, h.clock);
    ASSERT_EQ(view.rows().size(), 3u);
    EXPECT_NE(view.rows()[0]->undoButton(), nullptr);
    EXPECT_NE(view.rows()[0]->detailLabel(), nullptr);
    EXPECT_EQ(view.rows()[1]->undoButton(), nullptr);
    ASSERT_NE(view.rows()[1]->restoredPill(), nullptr);
    EXPECT_EQ(view.rows()[1]->restoredPill()->text(), "Restored");
    EXPECT_EQ(view.rows()[1]->detailLabel(), nullptr) << "no detail: one line";
    EXPECT_EQ(view.rows()[2]->undoButton(), nullptr) << "no backup: no undo";
    EXPECT_EQ(view.rows()[2]->restoredPill(), nullptr);
    EXPECT_TRUE(QRegularExpression("^Undo available until [A-Z][a-z]{2} \\d{1,2}, \\d{4}, \\d{1,2}:\\d{2}")
                    .match(view.footer()->text())
                    .hasMatch())
        << view.footer()->text().toStdString();
    EXPECT_EQ(SweepActionRow::symbolName(SweepActionKind::pasteboardCleared), "doc.on.clipboard");
}

TEST_F(SweepLogViewTest, UndoMarksTheRowRestoredThroughTheViewModel) {
    const auto record = sweep({action(SweepActionKind::fileTruncated, std::nullopt, true, false)});
    SweepLogView view(*vm, h.clock);
    view.rows()[0]->undoButton()->click();
    ASSERT_EQ(h.restorer.restored.size(), 1u);
    EXPECT_EQ(h.restorer.restored[0].id, record.actions[0].id);
    ASSERT_EQ(view.rows().size(), 1u) << "rebuilt from the published record";
    EXPECT_NE(view.rows()[0]->restoredPill(), nullptr);
}

TEST_F(SweepLogViewTest, ARefusedUndoIsToldBesideItsRowUntilAnUndoSucceeds) {
    sweep({action(SweepActionKind::cookieDomain, "doubleclick.net", true, false),
           action(SweepActionKind::fileTruncated, std::nullopt, true, false)});
    SweepLogView view(*vm, h.clock);
    h.restorer.failure = "Chrome is running: quit Chrome and undo again";
    view.rows()[0]->undoButton()->click();
    ASSERT_NE(view.rows()[0]->refusalLabel(), nullptr);
    EXPECT_EQ(view.rows()[0]->refusalLabel()->text(), "Chrome is running: quit Chrome and undo again");
    EXPECT_NE(view.rows()[0]->undoButton(), nullptr) << "it can be tried again once the browser quits";
    EXPECT_EQ(view.rows()[1]->refusalLabel(), nullptr);
    EXPECT_FALSE(std::holds_alternative<model::scan_state::Error>(vm->scanState()));

    h.restorer.failure.reset();
    view.rows()[1]->undoButton()->click();
    EXPECT_EQ(view.rows()[0]->refusalLabel(), nullptr) << "gone once an undo succeeds";
    EXPECT_NE(view.rows()[1]->restoredPill(), nullptr);
}

TEST_F(SweepLogViewTest, AnUndoKeepsTheScrollPositionAndTheFocusOnItsRow) {
    std::vector<SweepAction> actions;
    for (int i = 0; i < 30; ++i) actions.push_back(action(SweepActionKind::fileRemoved, "/h/file", true, false));
    sweep(std::move(actions));
    SweepLogView view(*vm, h.clock);
    view.resize(480, 360);
    view.show();
    auto* bar = view.scrollArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 400) << "the rows overflow the sheet";
    bar->setValue(bar->maximum() / 2);
    const int scrolled = bar->value();

    auto* undo = view.rows()[15]->undoButton();
    undo->setFocus();
    undo->click();
    QCoreApplication::processEvents();  // the retired rows go, the new ones are laid out
    ASSERT_NE(view.rows()[15]->restoredPill(), nullptr);
    EXPECT_EQ(view.scrollArea()->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(view.focusWidget(), view.rows()[15]);
    EXPECT_EQ(view.rows()[15]->accessibleDescription(), "Restored") << "the result is said where the focus stays";
}

TEST_F(SweepLogViewTest, AnExpiredRecordOffersNoUndoAndDoneClosesTheSheet) {
    sweep({action(SweepActionKind::fileTruncated, std::nullopt, true, false)});
    h.clock.advance(std::chrono::hours(25));
    SweepLogView view(*vm, h.clock);
    EXPECT_EQ(view.rows()[0]->undoButton(), nullptr);

    EXPECT_TRUE(vm->showSweepLog());
    view.doneButton()->click();
    EXPECT_FALSE(vm->showSweepLog());
    view.doneButton()->click();
    EXPECT_FALSE(vm->showSweepLog());
}

}  // namespace
}  // namespace zentrel::ui
