#pragma once
// The features page's Vietnamese typing card: the on/off switch in its
// header and, below, the permission notice, the typing mode with the input
// method's install and selection, the Telex/VNI/VIQR picker, the advanced
// options (tone rule, switches, the rule engine and its rules sheet, the
// excluded applications) and the row that opens the shortcut sheet. What it
// shows comes from its presenter; it redraws whenever the typing manager,
// the permissions or the install message change.

#include "ui/design/AppFeatureCard.hpp"
#include "ui/presenters/VietnameseIMECardPresenter.hpp"
#include "ui/tools/FeatureExpandRow.hpp"
#include "ui/tools/PanelButton.hpp"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <utility>
#include <vector>

namespace zentrel::ui {

class VietnameseIMEFeatureCard final : public QWidget {
public:
    explicit VietnameseIMEFeatureCard(TypingCardServices services, QWidget* parent = nullptr);

    [[nodiscard]] AppFeatureCard* card() const { return card_; }
    [[nodiscard]] QCheckBox* enabledSwitch() const { return switch_; }
    [[nodiscard]] QLabel* refusalLabel() const { return refusal_; }
    [[nodiscard]] QComboBox* integrationModePicker() const { return modePicker_; }
    [[nodiscard]] QLabel* integrationModeDetail() const { return modeDetail_; }
    // While typing is on: which path types.
    [[nodiscard]] QLabel* typingPathLabel() const { return typingPath_; }
    // Where the key tap cannot type right in the program in front.
    [[nodiscard]] QPushButton* useInputMethodButton() const { return useInputMethod_; }
    [[nodiscard]] QButtonGroup* inputMethodPicker() const { return methods_; }
    [[nodiscard]] FeatureExpandRow* advancedOptions() const { return advanced_; }
    [[nodiscard]] PanelButton* shortcutRow() const { return shortcutRow_; }
    // The sheets while they are open.
    [[nodiscard]] QDialog* shortcutSheet() const { return shortcutSheet_; }
    [[nodiscard]] QDialog* rulesSheet() const { return rulesSheet_; }
    // The texts shown now, for tests and assistive technology.
    [[nodiscard]] QStringList shownTexts() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();
    void rebuildCard(const TypingCardState& state);
    QWidget* accessibilityNotice(QWidget* parent);
    QWidget* integrationSection(QWidget* parent);
    QWidget* installSection(QWidget* parent);
    QWidget* methodSection(QWidget* parent);
    QWidget* advancedContent(QWidget* parent);
    QWidget* ruleEngineSection(QWidget* parent);
    QWidget* moreContent(QWidget* parent);
    QWidget* exclusionsSection(QWidget* parent);
    QCheckBox* optionSwitch(const OptionSwitch& option, QWidget* parent);
    void refreshInstallSection(const TypingCardState& state);
    void refreshOptions(const TypingCardState& state);
    void showShortcutSheet();
    void showRulesSheet();

    TypingCardServices services_;
    VietnameseIMECardPresenter presenter_;
    QVBoxLayout* column_ = nullptr;
    AppFeatureCard* card_ = nullptr;
    std::pair<bool, bool> cardHeader_{false, false};
    QCheckBox* switch_ = nullptr;
    QWidget* content_ = nullptr;

    QWidget* notice_ = nullptr;
    QComboBox* modePicker_ = nullptr;
    QLabel* modeDetail_ = nullptr;
    QLabel* typingPath_ = nullptr;
    QPushButton* useInputMethod_ = nullptr;
    QLabel* refusal_ = nullptr;
    QWidget* install_ = nullptr;
    QLabel* installSymbol_ = nullptr;
    QLabel* installText_ = nullptr;
    QWidget* selectionRow_ = nullptr;
    QLabel* selectionSymbol_ = nullptr;
    QLabel* selectionText_ = nullptr;
    QPushButton* selectButton_ = nullptr;
    QLabel* installError_ = nullptr;
    QLabel* installNote_ = nullptr;
    QButtonGroup* methods_ = nullptr;
    QWidget* methodPicker_ = nullptr;
    QLabel* methodDescription_ = nullptr;
    FeatureExpandRow* advanced_ = nullptr;
    PanelButton* shortcutRow_ = nullptr;

    // Inside the option rows, while they are open.
    QPointer<QComboBox> toneRule_;
    std::vector<std::pair<QPointer<QCheckBox>, bool typing::VietIMEOptions::*>> options_;
    QPointer<QCheckBox> ruleEngine_;
    QPointer<QWidget> ruleDetails_;
    QPointer<QVBoxLayout> ruleLines_;
    std::vector<QWidget*> ruleLineWidgets_;
    QPointer<QLabel> noExclusions_;
    QPointer<QLabel> exclusionSummary_;
    QPointer<QVBoxLayout> exclusionRows_;
    std::vector<QWidget*> exclusionRowWidgets_;
    std::vector<std::string> shownRuleLines_;
    std::vector<std::string> shownExclusions_;

    QPointer<QDialog> shortcutSheet_;
    QPointer<QDialog> rulesSheet_;
    platform::Subscription observer_;
};

}  // namespace zentrel::ui
