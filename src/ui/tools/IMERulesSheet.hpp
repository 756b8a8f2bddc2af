#pragma once
// The injection rules sheet over the typing manager: the add row for the
// application the user last typed in, the user's rules with a delete button
// each and the built-in rules with a switch each. Changes are stored at
// once; "Đóng" closes it. Redrawn whenever the manager's rules or its last
// other application change.

#include "ui/presenters/IMERulesSheetPresenter.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace zentrel::ui {

class IMERulesSheet final : public QDialog {
public:
    explicit IMERulesSheet(typing::VietIMEManager& manager, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* nameField() const { return name_; }
    [[nodiscard]] QComboBox* presetPicker() const { return preset_; }
    [[nodiscard]] QPushButton* addButton() const { return add_; }
    [[nodiscard]] QLabel* targetLine() const { return target_; }
    // The delete buttons of the user's rules, and the switches of the built-in ones, in list order.
    [[nodiscard]] const std::vector<QPushButton*>& deleteButtons() const { return deleteButtons_; }
    [[nodiscard]] const std::vector<QCheckBox*>& builtInSwitches() const { return switches_; }

private:
    void refresh();
    void rebuildLists(const RulesSheetState& state);
    QWidget* userRuleRow(const UserRuleRow& rule, QWidget* parent);
    QWidget* builtInRuleRow(const BuiltInRuleRow& rule, QWidget* parent);

    IMERulesSheetPresenter presenter_;
    QLineEdit* name_ = nullptr;
    QComboBox* preset_ = nullptr;
    QPushButton* add_ = nullptr;
    QLabel* target_ = nullptr;
    QVBoxLayout* lists_ = nullptr;
    std::vector<QWidget*> listWidgets_;
    std::vector<QPushButton*> deleteButtons_;
    std::vector<QCheckBox*> switches_;
    std::vector<UserRuleRow> shownUserRules_;
    std::vector<BuiltInRuleRow> shownBuiltInRules_;
    bool listsShown_ = false;
    platform::Subscription observer_;
};

}  // namespace zentrel::ui
