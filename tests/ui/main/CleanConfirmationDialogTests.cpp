#include "ui/main/CleanConfirmationDialog.hpp"

#include "ui/design/ButtonKeys.hpp"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

CleanConfirmation deleteThreeKilobytes() {
    CleanConfirmation confirmation;
    confirmation.title = "Delete 2 items (3 KB)?";
    confirmation.deleteLabel = "Delete 3 KB";
    return confirmation;
}

TEST(CleanConfirmationDialogTest, CancelIsATranslatedTextWithoutASymbolAndTheDefault) {
    CleanConfirmationDialog dialog(deleteThreeKilobytes(), nullptr);
    auto* cancel = dialog.cancelButton();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_TRUE(cancel->icon().isNull());
    EXPECT_TRUE(cancel->isDefault());
}

TEST(CleanConfirmationDialogTest, KeysAnswerWithTheFocusedButtonOrElseCancel) {
    pressFocusedButtonsWithReturn();
    enum class Focus { deleteButton, cancelButton, none };
    const struct {
        Focus focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int result;
    } cases[] = {
        {Focus::deleteButton, Qt::Key_Return, Qt::NoModifier, QDialog::Accepted},
        {Focus::deleteButton, Qt::Key_Enter, Qt::KeypadModifier, QDialog::Accepted},
        {Focus::cancelButton, Qt::Key_Return, Qt::NoModifier, QDialog::Rejected},
        {Focus::none, Qt::Key_Return, Qt::NoModifier, QDialog::Rejected},
        {Focus::deleteButton, Qt::Key_Escape, Qt::NoModifier, QDialog::Rejected},
    };
    for (const auto& test : cases) {
        CleanConfirmationDialog dialog(deleteThreeKilobytes(), nullptr);
        int answers = 0;
        QObject::connect(&dialog, &QDialog::finished, [&answers] { ++answers; });
        dialog.setResult(-1);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QWidget* target = &dialog;
        if (test.focus == Focus::deleteButton) target = dialog.deleteButton();
        if (test.focus == Focus::cancelButton) target = dialog.cancelButton();
        if (target == &dialog) {
            if (auto* focused = QApplication::focusWidget()) focused->clearFocus();
        } else {
            target->setFocus();
            ASSERT_TRUE(target->hasFocus());
        }
        QTest::keyClick(target, test.key, test.modifiers);
        EXPECT_EQ(answers, 1) << test.key;
        EXPECT_EQ(dialog.result(), test.result) << static_cast<int>(test.focus) << " " << test.key;
    }
}

}  // namespace
}  // namespace zentrel::ui
