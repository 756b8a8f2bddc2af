#include "ui/tools/IMERulesSheet.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/KeptFocus.hpp"
#include "ui/design/NamedComboBox.hpp"
#include "ui/design/ScrollAreaFocus.hpp"
#include "ui/design/SwitchToggle.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/tools/TintedPanel.hpp"

#include <QHBoxLayout>
#include <QScrollArea>

namespace zentrel::ui {
namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }

QLabel* sectionTitle(std::string_view key, QWidget* parent) {
    auto font = DesignTokens::detailFont().font();
    font.setWeight(QFont::DemiBold);
    auto* label = tokenLabel(localizedText(key).toUpper(), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                             parent);
    label->setFont(font);
    return label;
}

}  // namespace

IMERulesSheet::IMERulesSheet(typing::VietIMEManager& manager, QWidget* parent)
    : QDialog(parent), presenter_(manager) {
    setWindowTitle(localizedText("Quản lý rule inject"));
    setFixedSize(520, 520);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto* header = new QHBoxLayout;
    auto titleFont = DesignTokens::displayFont().font();
    titleFont.setWeight(QFont::DemiBold);
    auto* title = tokenLabel(localizedText("Quản lý rule inject"), DesignTokens::displayFont(),
                             DesignTokens::textPrimary(), this);
    title->setFont(titleFont);
    header->addWidget(title);
    header->addStretch();
    auto* close = new QPushButton(localizedText("Đóng"), this);
    close->setAutoDefault(false);
    QObject::connect(close, &QPushButton::clicked, this, &QDialog::reject);
    header->addWidget(close);
    column->addLayout(header);

    auto* explanation = tokenLabel(
        localizedText("Rule user có ưu tiên cao hơn rule mặc định. Tắt rule built-in nếu gây xung đột."),
        DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
    explanation->setWordWrap(true);
    column->addWidget(explanation);

    auto* addSection = new QVBoxLayout;
    addSection->setSpacing(8);
    auto addFont = DesignTokens::bodyFont().font();
    addFont.setWeight(QFont::Medium);
    auto* addTitle = tokenLabel(localizedText("Thêm rule cho app đang mở"), DesignTokens::bodyFont(),
                                DesignTokens::textPrimary(), this);
    addTitle->setFont(addFont);
    addSection->addWidget(addTitle);
    auto* addRow = new QHBoxLayout;
    addRow->setSpacing(8);
    name_ = new QLineEdit(this);
    name_->setPlaceholderText(localizedText("Tên rule (tuỳ chọn)"));
    name_->setAccessibleName(name_->placeholderText());
    QObject::connect(name_, &QLineEdit::textChanged, this,
                     [this](const QString& typed) { presenter_.newRuleName = typed.toStdString(); });
    addRow->addWidget(name_, 1);
    preset_ = new QComboBox(this);
    preset_->setFixedWidth(200);
    nameComboBox(*preset_, localizedText("Cách inject"));
    for (const auto preset : typing::kAllInjectionProfilePresets)
        preset_->addItem(localizedText(typing::label(preset)));
    QObject::connect(preset_, &QComboBox::activated, this, [this](int index) {
        presenter_.newRulePreset = typing::kAllInjectionProfilePresets.at(static_cast<std::size_t>(index));
    });
    addRow->addWidget(preset_);
    add_ = new QPushButton(localizedText("Thêm"), this);
    add_->setAutoDefault(false);
    QObject::connect(add_, &QPushButton::clicked, this, [this] {
        presenter_.add();
        name_->clear();
        refresh();
    });
    addRow->addWidget(add_);
    addSection->addLayout(addRow);
    target_ = elidedTokenLabel({}, DesignTokens::codeSmallFont(), DesignTokens::textTertiary(), Qt::ElideMiddle, this);
    addSection->addWidget(target_);
    column->addLayout(addSection);
    column->addWidget(dividerLine(0.35, this));

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    keepOutOfTabOrder(*scroll);
    auto* body = new QWidget(scroll);
    lists_ = new QVBoxLayout(body);
    lists_->setContentsMargins(0, 0, 0, 0);
    lists_->setSpacing(16);
    lists_->addStretch();
    scroll->setWidget(body);
    scroll->viewport()->setAutoFillBackground(false);
    column->addWidget(scroll, 1);

    observer_ = presenter_.observe([this] { refresh(); });
    refresh();
}

void IMERulesSheet::refresh() {
    const auto state = presenter_.state();
    add_->setEnabled(state.targetApplication.has_value());
    target_->setVisible(state.targetApplication.has_value());
    target_->setText(text(state.targetApplication.value_or("")));
    if (!listsShown_ || state.userRules != shownUserRules_ || state.builtInRules != shownBuiltInRules_)
        rebuildLists(state);
}

void IMERulesSheet::rebuildLists(const RulesSheetState& state) {
    // A switch just turned keeps the focus; the old rows go once the new ones hold it.
    const KeptFocus focus(*lists_->parentWidget());
    const auto retired = std::move(listWidgets_);
    listWidgets_.clear();
    deleteButtons_.clear();
    switches_.clear();
    auto* body = lists_->parentWidget();
    int at = 0;
    const auto place = [&](QWidget* widget) {
        lists_->insertWidget(at++, widget);
        listWidgets_.push_back(widget);
    };
    if (!state.userRules.empty()) {
        place(sectionTitle(N_("Rule của bạn"), body));
        for (const auto& rule : state.userRules) place(userRuleRow(rule, body));
    }
    place(sectionTitle(N_("Rule mặc định"), body));
    for (const auto& rule : state.builtInRules) place(builtInRuleRow(rule, body));
    focus.restore(listWidgets_);
    retireWidgets(lists_, retired);
    shownUserRules_ = state.userRules;
    shownBuiltInRules_ = state.builtInRules;
    listsShown_ = true;
}

QWidget* IMERulesSheet::userRuleRow(const UserRuleRow& rule, QWidget* parent) {
    auto* row = new TintedPanel(DesignTokens::neutralTint(), 0.45, 8, parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(12, 12, 12, 12);
    line->setSpacing(12);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto nameFont = DesignTokens::bodyFont().font();
    nameFont.setWeight(QFont::Medium);
    auto* name = tokenLabel(text(rule.name), DesignTokens::bodyFont(), DesignTokens::textPrimary(), row);
    name->setFont(nameFont);
    name->setWordWrap(true);
    texts->addWidget(name);
    if (rule.bundleLine) {
        texts->addWidget(elidedTokenLabel(text(*rule.bundleLine), DesignTokens::codeSmallFont(),
                                          DesignTokens::textTertiary(), Qt::ElideRight, row));
    }
    texts->addWidget(tokenLabel(text(rule.deliveryText), DesignTokens::detailFont(), DesignTokens::textSecondary(), row));
    line->addLayout(texts, 1);
    auto* remove = new QPushButton(row);
    remove->setIcon(symbolIcon("trash"));
    remove->setAccessibleName(localizedText("Xoá"));
    remove->setToolTip(localizedText("Xoá"));
    remove->setAutoDefault(false);
    const auto id = rule.id;
    setFocusKey(*remove, QString::fromStdString("remove " + id));
    QObject::connect(remove, &QPushButton::clicked, this, [this, id] { presenter_.remove(id); });
    line->addWidget(remove, 0, Qt::AlignTop);
    deleteButtons_.push_back(remove);
    return row;
}

QWidget* IMERulesSheet::builtInRuleRow(const BuiltInRuleRow& rule, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* name = tokenLabel(text(rule.name), DesignTokens::bodyFont(), DesignTokens::textPrimary(), row);
    name->setWordWrap(true);
    texts->addWidget(name);
    texts->addWidget(tokenLabel(text(rule.deliveryText), DesignTokens::detailFont(), DesignTokens::textSecondary(), row));
    line->addLayout(texts, 1);
    auto* toggle = new SwitchToggle({}, row);
    toggle->setChecked(rule.isOn);
    toggle->setAccessibleName(text(rule.name));
    const auto id = rule.id;
    setFocusKey(*toggle, QString::fromStdString("built-in " + id));
    // Toggled, not clicked: assistive technology toggles without a click.
    QObject::connect(toggle, &QCheckBox::toggled, this, [this, id](bool on) { presenter_.setBuiltInRule(id, on); });
    line->addWidget(toggle, 0, Qt::AlignVCenter);
    switches_.push_back(toggle);
    return row;
}

}  // namespace zentrel::ui
