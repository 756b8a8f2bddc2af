#include "ui/main/CleanConfirmationDialog.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

TEST(CleanConfirmationDialogTest, CancelIsATranslatedTextWithoutASymbolAndTheDefault) {
    CleanConfirmation confirmation;
    confirmation.title = "Delete 2 items (3 KB)?";
    confirmation.deleteLabel = "Delete 3 KB";
    CleanConfirmationDialog dialog(confirmation, nullptr);
    auto* cancel = dialog.cancelButton();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_TRUE(cancel->icon().isNull());
    EXPECT_TRUE(cancel->isDefault());
}

}  // namespace
}  // namespace zentrel::ui
