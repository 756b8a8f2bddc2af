#pragma once
// The questions the tray popover asks, behind a seam so that tests answer
// them. MessageBoxMenuBarDialogs asks with the clean confirmation dialog
// and message boxes whose default button is Cancel.

#include "ui/presenters/CalmDownPresenter.hpp"
#include "ui/presenters/MenuBarActions.hpp"

#include <QWidget>

#include <functional>

namespace zentrel::ui {

class MenuBarDialogs {
public:
    virtual ~MenuBarDialogs() = default;
    // `parent` is the main window, or none.
    virtual void askQuickClean(QWidget* parent, const QuickCleanQuestion& question,
                               std::function<void(QuickCleanAnswer)> answered) = 0;
    // `confirmed` runs only when the user chose to calm down; a notice
    // without candidates never runs it.
    virtual void askCalmDown(const CalmDownQuestion& question, std::function<void()> confirmed) = 0;
};

class MessageBoxMenuBarDialogs final : public MenuBarDialogs {
public:
    void askQuickClean(QWidget* parent, const QuickCleanQuestion& question,
                       std::function<void(QuickCleanAnswer)> answered) override;
    void askCalmDown(const CalmDownQuestion& question, std::function<void()> confirmed) override;
};

}  // namespace zentrel::ui
