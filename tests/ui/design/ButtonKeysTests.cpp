#include "ui/design/ButtonKeys.hpp"

#include "ui/design/PrimaryButton.hpp"
#include "ui/design/SegmentButton.hpp"
#include "ui/main/OverviewCards.hpp"
#include "ui/tools/PanelButton.hpp"

#include <QApplication>
#include <QHBoxLayout>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace zentrel::ui {
namespace {

struct ButtonKind {
    const char* name;
    std::function<QAbstractButton*(QWidget*)> make;
};

struct KeyPress {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

const ButtonKind kKinds[] = {
    {"push", [](QWidget* parent) { return new QPushButton("Continue", parent); }},
    {"primary",
     [](QWidget* parent) {
         return new PrimaryButton("Continue", std::nullopt, PrimaryButton::Variant::accent, false, {}, parent);
     }},
    {"segment", [](QWidget* parent) { return new SegmentButton("Telex", parent); }},
    {"panel", [](QWidget* parent) { return new PanelButton("Open", std::nullopt, 40, parent); }},
    {"tool", [](QWidget* parent) { return new QToolButton(parent); }},
    {"overview tile",
     [](QWidget* parent) {
         CategoryTile tile;
         tile.label = "Trash";
         return (new TopCategoriesRow({tile}, [](model::CategoryType) {}, parent))->tileButtons().front();
     }},
};

const KeyPress kReturnKeys[] = {{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}};

TEST(ButtonKeysTest, ReturnAndKeypadEnterPressTheFocusedButtonOfEveryKind) {
    pressFocusedButtonsWithReturn();
    for (const auto& kind : kKinds) {
        for (const auto& press : kReturnKeys) {
            QWidget window;
            auto* button = kind.make(&window);
            (new QHBoxLayout(&window))->addWidget(button);
            window.show();
            QApplication::setActiveWindow(&window);
            int clicks = 0;
            QObject::connect(button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
            button->setFocus();
            ASSERT_TRUE(button->hasFocus()) << kind.name;
            QTest::keyClick(button, press.key, press.modifiers);
            EXPECT_EQ(clicks, 1) << kind.name << " " << press.key;
        }
    }
}

}  // namespace
}  // namespace zentrel::ui
