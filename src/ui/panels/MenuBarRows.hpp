#pragma once
// The small parts of the tray popover: its action buttons (a tinted symbol
// well and a title, highlighted under the pointer), the category rows, the
// heavy-application rows with their Quit button, the thin usage bar and
// the section divider.

#include "ui/design/DesignTokens.hpp"
#include "ui/presenters/MemorySectionPresenter.hpp"
#include "ui/presenters/MenuBarPresenter.hpp"

#include <QPushButton>
#include <QWidget>

#include <functional>

namespace zentrel::ui {

// A flat button whose look is its own row of widgets.
class MenuBarRowButton : public QPushButton {
public:
    explicit MenuBarRowButton(QWidget* parent);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
};

class MenuBarButton final : public MenuBarRowButton {
public:
    MenuBarButton(const MenuBarButtonContent& content, QWidget* parent);

    [[nodiscard]] MenuBarAction action() const { return action_; }

private:
    MenuBarAction action_;
};

class CategoryRow final : public MenuBarRowButton {
public:
    CategoryRow(const CategoryRowContent& content, QWidget* parent);
};

class HeavyAppRow final : public QWidget {
public:
    HeavyAppRow(const HeavyAppRowContent& content, std::function<void()> onQuit, QWidget* parent);

    [[nodiscard]] QPushButton* quitButton() const { return quit_; }

private:
    QPushButton* quit_ = nullptr;
};

// A 6-point bar: the hairline track and the used fraction in `fill`.
class UsageBar final : public QWidget {
public:
    UsageBar(double fraction, ColorToken fill, const QString& accessibleLabel, QWidget* parent);

    [[nodiscard]] double fraction() const { return fraction_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double fraction_;
    ColorToken fill_;
};

// A hairline across the popover, 16 points in from each side.
[[nodiscard]] QWidget* sectionDivider(QWidget* parent);

[[nodiscard]] ColorToken tintToken(MenuBarTint tint);
[[nodiscard]] ColorToken usageToken(UsageColor color);
[[nodiscard]] ColorToken pressureToken(services::MemoryPressure pressure);

}  // namespace zentrel::ui
