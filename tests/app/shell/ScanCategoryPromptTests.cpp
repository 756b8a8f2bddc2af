#include "app/shell/ScanCategoryPrompt.hpp"

#include <QInputDialog>

#include <gtest/gtest.h>

namespace zentrel::app {
namespace {

TEST(ScanCategoryPromptTest, RequestsWhileTheDialogIsOpenShareIt) {
    QWidget window;
    ScanCategoryPrompt prompt;
    std::vector<qsizetype> chosen;
    for (int request = 0; request < 200; ++request)
        prompt.ask(&window, "Scan Category", "Category", {"Xcode", "Trash"}, [&](qsizetype index) { chosen.push_back(index); });
    const auto dialogs = window.findChildren<QInputDialog*>();
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_TRUE(prompt.isOpen());
    dialogs[0]->setTextValue("Trash");
    dialogs[0]->accept();
    EXPECT_EQ(chosen, std::vector<qsizetype>{1});
}

}  // namespace
}  // namespace zentrel::app
