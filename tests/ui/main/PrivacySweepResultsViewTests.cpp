#include "ui/main/PrivacySweepResultsView.hpp"

#include "viewmodels/ScanViewModelHarness.hpp"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using testing::scannedItem;

model::CleanItem privacyItem(std::string path, std::string name, std::string group, std::string subcategory,
                             std::vector<std::string> domains, bool selected, std::int64_t size = 100) {
    auto item = scannedItem(std::move(path), CategoryType::privacy, size, false);
    item.name = std::move(name);
    item.privacyGroupId = std::move(group);
    item.subcategory = std::move(subcategory);
    item.privacyDomains = std::move(domains);
    item.isSelected = selected;
    item.friendlyName = "Group";
    return item;
}

int dividers(QWidget* card) {
    int count = 0;
    for (auto* frame : card->findChildren<QFrame*>()) count += frame->frameShape() == QFrame::HLine;
    return count;
}

class PrivacySweepResultsViewTest : public ::testing::Test {
protected:
    void scanTo(std::vector<model::CleanItem> items) { h.scanTo(*vm, std::move(items)); }
    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
};

TEST_F(PrivacySweepResultsViewTest, NoPrivacyItemsShowOnlyTheEmptyState) {
    PrivacySweepResultsView view(*vm);
    EXPECT_TRUE(view.isShowingEmptyState());
    EXPECT_EQ(view.headerLabel(), nullptr);
}

TEST_F(PrivacySweepResultsViewTest, GroupsCardsAndRowsFollowTheResult) {
    scanTo({privacyItem("/h/Cookies", "Cookies", "cookies", "priv:cookie:chrome",
                        {".ads.example", "ads.example", "t.example", ".t.example"}, true),
            privacyItem("/h/Other/Cookies", "Cookies", "cookies", "priv:cookie:chrome", {"ads.example"}, true),
            privacyItem("", "Clipboard", "clip", "priv:pasteboard", {}, false, 40),
            scannedItem("/h/Library/Caches/x", CategoryType::systemCaches, 5000)});
    PrivacySweepResultsView view(*vm);
    ASSERT_FALSE(view.isShowingEmptyState());
    EXPECT_EQ(view.headerLabel()->text(), "2 privacy groups");
    ASSERT_EQ(view.groupCards().size(), 2u);
    EXPECT_EQ(dividers(view.groupCards()[0]), 1) << "a divider between the two targets only";
    EXPECT_EQ(dividers(view.groupCards()[1]), 0) << "one target, no divider";
    ASSERT_EQ(view.targetRows().size(), 3u);
    EXPECT_EQ(view.targetRows()[0]->domainsLabel()->text(), "2 domains") << "a leading dot makes no other domain";
    EXPECT_EQ(view.targetRows()[0]->figureLabel()->text(), "4 tracker cookies") << "counted, not weighed";
    EXPECT_EQ(view.targetRows()[2]->figureLabel()->text(), "40 bytes");
    ASSERT_NE(view.targetRows()[2]->checkBox(), nullptr) << "a pathless item is matched by its name";
    EXPECT_EQ(view.targetRows()[2]->domainsLabel(), nullptr);
    EXPECT_FALSE(view.targetRows()[2]->checkBox()->isChecked());

    int assignments = 0;
    auto watch = vm->result.observe([&](const auto&) { ++assignments; });
    view.targetRows()[0]->setChecked(true);
    EXPECT_EQ(assignments, 0) << "the same value calls nothing";
    view.targetRows()[2]->checkBox()->click();
    EXPECT_EQ(assignments, 1);
    EXPECT_TRUE(view.targetRows()[2]->checkBox()->isChecked()) << "rebuilt from the result";
}

TEST_F(PrivacySweepResultsViewTest, ABusyStoreShowsWhatToDoAndCannotBeSelected) {
    auto busy = privacyItem("/h/cookies.sqlite", "Cookie store in use", "firefox", "priv:cookie:firefox", {}, false);
    busy.privacyStoreBusy = true;
    busy.friendlyDescription = "Firefox is running: quit Firefox and scan again";
    scanTo({busy});
    PrivacySweepResultsView view(*vm);
    ASSERT_EQ(view.targetRows().size(), 1u);
    EXPECT_EQ(view.targetRows()[0]->checkBox(), nullptr);
    QStringList texts;
    for (auto* label : view.groupCards()[0]->findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains("Firefox is running: quit Firefox and scan again")) << texts.join("|").toStdString();
    view.selectTrackers();
    EXPECT_FALSE(vm->result().items[0].isSelected);
}

TEST_F(PrivacySweepResultsViewTest, SelectTrackersLeavesOnlyTrackerCookiesSelected) {
    auto cache = scannedItem("/h/Library/Caches/x", CategoryType::systemCaches, 5000);
    cache.isSelected = false;
    scanTo({privacyItem("/h/Cookies", "Cookies", "cookies", "priv:cookie:safari", {"ads.example"}, false),
            privacyItem("/h/History.db", "History", "history", "priv:history", {}, true),
            privacyItem("", "Clipboard", "clip", "priv:pasteboard", {}, true), cache});
    PrivacySweepResultsView view(*vm);
    view.selectTrackers();
    const auto& items = vm->result().items;
    for (const auto& item : items) {
        if (item.category == CategoryType::privacy) {
            EXPECT_EQ(item.isSelected, item.subcategory.starts_with("priv:cookie")) << item.name;
        } else {
            EXPECT_FALSE(item.isSelected) << "other categories are untouched";
        }
    }
    view.deselectAll();
    for (const auto& item : vm->result().items) {
        if (item.category == CategoryType::privacy) {
            EXPECT_FALSE(item.isSelected);
        }
    }
    model::PrivacyGroup history;
    history.kind = model::PrivacyKind::browsingHistory;
    EXPECT_EQ(PrivacySweepResultsView::groupSymbol(history), "clock.arrow.circlepath");
    history.browser = model::BrowserKind::safari;
    EXPECT_EQ(PrivacySweepResultsView::groupSymbol(history), "safari.fill") << "the browser decides first";
}

TEST_F(PrivacySweepResultsViewTest, SpaceOnACheckBoxKeepsTheFocusOnItThroughEveryRebuild) {
    scanTo({privacyItem("/h/Cookies", "Cookies", "cookies", "priv:cookie:chrome", {"ads.example"}, true),
            privacyItem("", "Clipboard", "clip", "priv:pasteboard", {}, false, 40)});
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    column->addWidget(new QPushButton("Sidebar", &window));
    auto* view = new PrivacySweepResultsView(*vm, &window);
    column->addWidget(view);
    window.show();
    QApplication::setActiveWindow(&window);
    view->targetRows()[1]->checkBox()->setFocus();
    for (int press = 1; press <= 3; ++press) {
        auto* box = view->targetRows()[1]->checkBox();
        ASSERT_TRUE(box->hasFocus()) << press;
        const bool wasChecked = box->isChecked();
        QTest::keyClick(box, Qt::Key_Space);
        auto* rebuilt = view->targetRows()[1]->checkBox();
        ASSERT_NE(rebuilt, box) << "the list was built again";
        EXPECT_NE(rebuilt->isChecked(), wasChecked);
        EXPECT_EQ(QApplication::focusWidget(), rebuilt) << press;
        QCoreApplication::processEvents();
    }
}

}  // namespace
}  // namespace zentrel::ui
