#include "ui/tools/VietnameseIMEFeatureCard.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/NamedComboBox.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/SegmentButton.hpp"
#include "ui/design/SwitchToggle.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/tools/IMERulesSheet.hpp"
#include "ui/tools/IMEShortcutSheet.hpp"
#include "ui/tools/TintedPanel.hpp"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QSignalBlocker>

namespace zentrel::ui {
namespace {

using typing::VietIMEIntegrationMode;

QString text(std::string_view value) { return QString::fromUtf8(value.data(), static_cast<int>(value.size())); }
QString text(const std::string& value) { return QString::fromStdString(value); }

QFont weighted(const FontToken& token, QFont::Weight weight) {
    auto font = token.font();
    font.setWeight(weight);
    return font;
}

QLabel* mediumLabel(std::string_view key, QWidget* parent) {
    auto* label = tokenLabel(localizedText(key), DesignTokens::bodyFont(), DesignTokens::textPrimary(), parent);
    label->setFont(weighted(DesignTokens::bodyFont(), QFont::Medium));
    return label;
}

QLabel* detailLabel(const QString& shown, const ColorToken& color, QWidget* parent) {
    auto* label = tokenLabel(shown, DesignTokens::detailFont(), color, parent);
    label->setWordWrap(true);
    return label;
}

QPushButton* smallButton(std::string_view key, QWidget* parent, std::function<void()> action) {
    auto* button = new QPushButton(localizedText(key), parent);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, parent, std::move(action));
    return button;
}

QVBoxLayout* stackIn(QWidget* widget, int spacing, QMargins margins = {}) {
    auto* stack = new QVBoxLayout(widget);
    stack->setContentsMargins(margins);
    stack->setSpacing(spacing);
    return stack;
}

// A symbol and a detail text, as the install and selection rows show them.
QWidget* statusRow(QLabel*& symbol, QLabel*& label, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    symbol = new QLabel(row);
    line->addWidget(symbol);
    label = detailLabel({}, DesignTokens::textSecondary(), row);
    line->addWidget(label, 1);
    return row;
}

// Shows the manager's value without running the control's action.
void setQuietly(QCheckBox* box, bool checked) {
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

void showStatus(QLabel* symbol, QLabel* label, const StatusRow& status) {
    const auto color = status.accent ? ColorToken(DesignTokens::accent()) : ColorToken(DesignTokens::textTertiary());
    const auto size = QFontMetrics(DesignTokens::detailFont().font()).height();
    symbol->setFixedSize(size, size);
    symbol->setPixmap(tintedSymbol(text(status.symbol), size, color.resolve(appPalette()),
                                   symbol->devicePixelRatioF()));
    label->setText(text(status.text));
}

}  // namespace

VietnameseIMEFeatureCard::VietnameseIMEFeatureCard(TypingCardServices services, QWidget* parent)
    : QWidget(parent), services_(services), presenter_(services) {
    column_ = stackIn(this, 0);

    switch_ = new SwitchToggle({}, this);
    switch_->setAccessibleName(localizedText("Bộ gõ tiếng Việt"));
    // Toggled, not clicked: assistive technology toggles without a click.
    QObject::connect(switch_, &QCheckBox::toggled, this, [this](bool on) {
        presenter_.setEnabled(on);
        // A refused switch announces nothing: show what the manager holds.
        refresh();
    });

    content_ = new QWidget(this);
    auto* sections = stackIn(content_, 16, {0, 4, 0, 0});
    notice_ = accessibilityNotice(content_);
    sections->addWidget(notice_);
    sections->addWidget(integrationSection(content_));
    sections->addWidget(methodSection(content_));
    methodDescription_ = detailLabel({}, DesignTokens::textSecondary(), content_);
    sections->addWidget(methodDescription_);
    advanced_ = new FeatureExpandRow(localizedText("Tuỳ chọn nâng cao"), "slider.horizontal.3", false, false,
                                     [this](QWidget* parent) { return advancedContent(parent); }, content_);
    advanced_->setExpandedChanged([this](bool) { refresh(); });
    sections->addWidget(advanced_);

    shortcutRow_ = new PanelButton(localizedText("Bảng phím tắt"),
                                   PanelButton::Background{DesignTokens::neutralTint(), 0.55}, 44, content_);
    shortcutRow_->face()->setContentsMargins(12, 12, 12, 12);
    shortcutRow_->addToFace(symbolLabel("keyboard", DesignTokens::rowIconFont(), DesignTokens::accent(), shortcutRow_));
    shortcutRow_->addToFace(mediumLabel("Bảng phím tắt", shortcutRow_), 1);
    shortcutRow_->addToFace(
        symbolLabel("arrow.up.right.square", DesignTokens::detailFont(), DesignTokens::textTertiary(), shortcutRow_));
    QObject::connect(shortcutRow_, &QPushButton::clicked, this, [this] { showShortcutSheet(); });
    sections->addWidget(shortcutRow_);

    observer_ = presenter_.observe([this] { refresh(); });
    // Drawn now, and again with the symbols' colours when the appearance changes.
    followAppearance(this, [this] { refresh(); });
}

// ---- Sections ----

QWidget* VietnameseIMEFeatureCard::accessibilityNotice(QWidget* parent) {
    auto* notice = new TintedPanel(DesignTokens::reviewTint(), 1.0, 8, parent);
    auto* stack = stackIn(notice, 8, {8, 8, 8, 8});
    auto* head = new QHBoxLayout;
    head->setSpacing(8);
    head->addWidget(symbolLabel("exclamationmark.circle.fill", DesignTokens::bodyFont(), DesignTokens::review(), notice));
    auto* heading = mediumLabel(N_("Cần quyền Accessibility"), notice);
    heading->setWordWrap(true);
    head->addWidget(heading, 1);
    stack->addLayout(head);
    // The buttons under the heading: a card of 360 points has no room beside it.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(smallButton(N_("Kiểm tra lại"), notice, [this] { presenter_.recheckAccessibility(); }));
    auto* grant = new PrimaryButton(localizedText("Cấp quyền…"), std::nullopt, PrimaryButton::Variant::accent, false,
                                    [this] { presenter_.grantAccessibility(); }, notice);
    grant->setFont(DesignTokens::buttonLabelFont().font());
    buttons->addWidget(grant);
    buttons->addStretch();
    stack->addLayout(buttons);
    stack->addWidget(detailLabel(
        localizedText("Bật Zentrel trong System Settings → Privacy & Security → Accessibility. Nếu đã bật mà app chưa "
                      "nhận, hãy khởi động lại Zentrel để macOS áp dụng quyền."),
        DesignTokens::textSecondary(), notice));
    auto* restart = smallButton(N_("Khởi động lại Zentrel"), notice, [this] { presenter_.relaunch(); });
    restart->setIcon(symbolIcon("arrow.clockwise"));
    restart->setAccessibleDescription(localizedText("Khởi động lại app để macOS áp dụng quyền Accessibility."));
    stack->addWidget(restart, 0, Qt::AlignLeft);
    return notice;
}

QWidget* VietnameseIMEFeatureCard::integrationSection(QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* outer = stackIn(section, 8);
    outer->addWidget(dividerLine(0.35, section));
    outer->addSpacing(8);
    outer->addWidget(mediumLabel(N_("Chế độ gõ"), section));
    modePicker_ = new QComboBox(section);
    nameComboBox(*modePicker_, localizedText("Đường truyền chữ gõ"));
    for (const auto value : typing::kAllIntegrationModes) modePicker_->addItem(localizedText(typing::label(value)));
    modePicker_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QObject::connect(modePicker_, &QComboBox::activated, this, [this](int index) {
        presenter_.chooseIntegrationMode(typing::kAllIntegrationModes.at(static_cast<std::size_t>(index)));
    });
    outer->addWidget(modePicker_);
    modeDetail_ = detailLabel({}, DesignTokens::textSecondary(), section);
    outer->addWidget(modeDetail_);
    // Which path types: a line of its own, apart from the mode's description.
    typingPath_ = detailLabel({}, DesignTokens::textSecondary(), section);
    outer->addWidget(typingPath_);
    useInputMethod_ = smallButton(N_("Type through the input method"), section,
                                  [this] { presenter_.typeThroughInputMethod(); });
    outer->addWidget(useInputMethod_, 0, Qt::AlignLeft);
    refusal_ = detailLabel({}, DesignTokens::review(), section);
    outer->addWidget(refusal_);
    install_ = installSection(section);
    outer->addWidget(install_);
    return section;
}

QWidget* VietnameseIMEFeatureCard::installSection(QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* stack = stackIn(section, 8, {0, 4, 0, 0});
    stack->addWidget(statusRow(installSymbol_, installText_, section));
    selectionRow_ = statusRow(selectionSymbol_, selectionText_, section);
    stack->addWidget(selectionRow_);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(smallButton(N_("Cài IME…"), section, [this] { presenter_.install(); }));
    buttons->addWidget(smallButton(N_("Cài đặt Bàn phím…"), section, [this] { presenter_.openInputSourcesSettings(); }));
    selectButton_ = new PrimaryButton(localizedText("Chọn IME"), std::nullopt, PrimaryButton::Variant::accent, false,
                                      [this] { presenter_.selectInputMethod(); }, section);
    selectButton_->setFont(DesignTokens::buttonLabelFont().font());
    buttons->addWidget(selectButton_);
    buttons->addStretch();
    stack->addLayout(buttons);
    installError_ = detailLabel({}, DesignTokens::review(), section);
    stack->addWidget(installError_);
    installNote_ = detailLabel({}, DesignTokens::textSecondary(), section);
    stack->addWidget(installNote_);
    return section;
}

QWidget* VietnameseIMEFeatureCard::methodSection(QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* stack = stackIn(section, 8);
    stack->addWidget(mediumLabel(N_("Kiểu gõ"), section));
    methodPicker_ = new QWidget(section);
    auto* segments = new QHBoxLayout(methodPicker_);
    segments->setContentsMargins(0, 0, 0, 0);
    segments->setSpacing(0);
    methods_ = new QButtonGroup(methodPicker_);
    for (std::size_t i = 0; i < typing::kAllInputMethods.size(); ++i) {
        auto* segment = new SegmentButton(text(typing::rawValue(typing::kAllInputMethods[i])), methodPicker_);
        segment->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        methods_->addButton(segment, static_cast<int>(i));
        segments->addWidget(segment);
    }
    // However a segment became the chosen one (a click, a key, an assistive
    // technology's toggle), the method follows it.
    QObject::connect(methods_, &QButtonGroup::idToggled, this, [this](int id, bool chosen) {
        const auto method = typing::kAllInputMethods.at(static_cast<std::size_t>(id));
        if (chosen && method != presenter_.state().inputMethod) presenter_.chooseInputMethod(method);
    });
    stack->addWidget(methodPicker_);
    return section;
}

QCheckBox* VietnameseIMEFeatureCard::optionSwitch(const OptionSwitch& option, QWidget* parent) {
    auto* box = new SwitchToggle(buttonText(localizedText(option.title)), parent);
    box->setFont(DesignTokens::bodyFont().font());
    setPlainToolTip(*box, localizedText(option.help));
    const auto field = option.field;
    QObject::connect(box, &QCheckBox::toggled, this, [this, field](bool on) { presenter_.setOption(field, on); });
    options_.emplace_back(box, field);
    return box;
}

QWidget* VietnameseIMEFeatureCard::advancedContent(QWidget* parent) {
    auto* content = new QWidget(parent);
    auto* stack = stackIn(content, 12);
    auto* tone = new QVBoxLayout;
    tone->setSpacing(4);
    tone->addWidget(mediumLabel("Quy tắc dấu", content));
    toneRule_ = new QComboBox(content);
    nameComboBox(*toneRule_, localizedText("Quy tắc dấu"));
    toneRule_->addItem(localizedText("Kiểu cũ (hóa)"));
    toneRule_->addItem(localizedText("Kiểu mới (hoá)"));
    toneRule_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QObject::connect(toneRule_, &QComboBox::activated, this, [this](int index) {
        presenter_.chooseToneRule(typing::kAllVietToneRules.at(static_cast<std::size_t>(index)));
    });
    tone->addWidget(toneRule_);
    stack->addLayout(tone);
    for (const auto& option : kAdvancedOptionSwitches) stack->addWidget(optionSwitch(option, content));
    stack->addWidget(ruleEngineSection(content));
    auto* more = new FeatureExpandRow(localizedText("Tuỳ chỉnh thêm"), "ellipsis.circle", false, true,
                                      [this](QWidget* p) { return moreContent(p); }, content);
    more->setExpandedChanged([this](bool) { refresh(); });
    stack->addWidget(more);
    return content;
}

QWidget* VietnameseIMEFeatureCard::ruleEngineSection(QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* stack = stackIn(section, 8);
    stack->addWidget(dividerLine(0.35, section));
    auto* toggle = new QHBoxLayout;
    toggle->setSpacing(8);
    ruleEngine_ = new SwitchToggle({}, section);
    ruleEngine_->setAccessibleName(localizedText("Rule engine theo app"));
    QObject::connect(ruleEngine_, &QCheckBox::toggled, this, [this](bool on) { presenter_.setRuleEngineEnabled(on); });
    toggle->addWidget(ruleEngine_, 0, Qt::AlignTop);
    auto* labels = new QVBoxLayout;
    labels->setSpacing(2);
    labels->addWidget(mediumLabel("Rule engine theo app", section));
    labels->addWidget(detailLabel(localizedText("Tự chọn cách inject cho Terminal, Chrome, Google Docs…"),
                                  DesignTokens::textSecondary(), section));
    toggle->addLayout(labels, 1);
    stack->addLayout(toggle);

    ruleDetails_ = new QWidget(section);
    auto* details = stackIn(ruleDetails_, 4, {0, 4, 0, 0});
    ruleLines_ = new QVBoxLayout;
    ruleLines_->setSpacing(4);
    details->addLayout(ruleLines_);
    auto* manage = new QPushButton(localizedText("Quản lý rule…"), ruleDetails_);
    manage->setFlat(true);
    manage->setAutoDefault(false);
    manage->setFont(DesignTokens::detailFont().font());
    followAppearance(manage, [manage] {
        manage->setIcon(QIcon(tintedSymbol("list.bullet.rectangle", QFontMetrics(manage->font()).height(),
                                           DesignTokens::accent().resolve(appPalette()), manage->devicePixelRatioF())));
        manage->setStyleSheet(QString("QPushButton { color: %1; text-align: left; padding: 4px 0; border: none; }")
                                  .arg(DesignTokens::accentText().resolve(appPalette()).name()));
    });
    QObject::connect(manage, &QPushButton::clicked, this, [this] { showRulesSheet(); });
    details->addWidget(manage, 0, Qt::AlignLeft);
    stack->addWidget(ruleDetails_);
    shownRuleLines_.clear();
    ruleLineWidgets_.clear();
    return section;
}

QWidget* VietnameseIMEFeatureCard::moreContent(QWidget* parent) {
    auto* content = new QWidget(parent);
    auto* stack = stackIn(content, 12);
    for (const auto& option : kMoreOptionSwitches) stack->addWidget(optionSwitch(option, content));
    stack->addWidget(exclusionsSection(content));
    return content;
}

QWidget* VietnameseIMEFeatureCard::exclusionsSection(QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* stack = stackIn(section, 8);
    stack->addWidget(dividerLine(0.35, section));
    auto* hint = new QHBoxLayout;
    hint->setSpacing(8);
    hint->addWidget(symbolLabel("keyboard", DesignTokens::detailFont(), DesignTokens::textSecondary(), section), 0,
                    Qt::AlignTop);
    hint->addWidget(detailLabel(localizedText("Nhấn ⌃⇧V khi đang ở một app để bật/tắt tiếng Việt riêng cho app đó. "
                                              "Lựa chọn được ghi nhớ."),
                                DesignTokens::textSecondary(), section),
                    1);
    stack->addLayout(hint);
    noExclusions_ = detailLabel({}, DesignTokens::textTertiary(), section);
    stack->addWidget(noExclusions_);
    exclusionSummary_ = detailLabel({}, DesignTokens::textSecondary(), section);
    stack->addWidget(exclusionSummary_);
    exclusionRows_ = new QVBoxLayout;
    exclusionRows_->setSpacing(4);
    stack->addLayout(exclusionRows_);
    shownExclusions_.clear();
    exclusionRowWidgets_.clear();
    return section;
}

// ---- Redrawing ----

void VietnameseIMEFeatureCard::refresh() {
    const auto state = presenter_.state();
    rebuildCard(state);
    setQuietly(switch_, state.isEnabled);
    notice_->setVisible(state.showsAccessibilityNotice);

    modePicker_->setCurrentIndex(static_cast<int>(state.integrationMode));
    modePicker_->setEnabled(state.integrationModeEnabled);
    modeDetail_->setText(text(state.integrationModeDetail));
    typingPath_->setVisible(state.typingPath.has_value());
    typingPath_->setText(text(state.typingPath.value_or("")));
    useInputMethod_->setVisible(state.offersInputMethod);
    refusal_->setVisible(state.refusal.has_value());
    refusal_->setText(text(state.refusal.value_or("")));
    refreshInstallSection(state);

    methods_->button(static_cast<int>(state.inputMethod))->setChecked(true);
    methodPicker_->setEnabled(state.controlsEnabled);
    methodDescription_->setVisible(state.methodDescription.has_value());
    methodDescription_->setText(text(state.methodDescription.value_or("")));
    advanced_->setEnabled(state.controlsEnabled);
    shortcutRow_->setEnabled(state.controlsEnabled);
    refreshOptions(state);
}

void VietnameseIMEFeatureCard::rebuildCard(const TypingCardState& state) {
    const std::pair header{state.isEnabled, state.needsAttention};
    if (card_ != nullptr && header == cardHeader_) return;
    cardHeader_ = header;
    // The card's badge and tint are fixed when it is made: a new card takes over the switch and the content.
    // Moved, they lose the focus (to the next widget of the window): the control used keeps it.
    QPointer<QWidget> focused = QApplication::focusWidget();
    if (focused != nullptr && !isAncestorOf(focused)) focused = nullptr;
    auto* old = card_;
    card_ = new AppFeatureCard("character.textbox", DesignTokens::accent(), localizedText("Bộ gõ tiếng Việt"),
                               localizedText("Gõ Telex, VNI hoặc VIQR trong mọi ứng dụng."), state.isEnabled,
                               state.needsAttention, switch_, content_, this);
    switch_->show();
    content_->show();
    column_->addWidget(card_);
    if (focused != nullptr) focused->setFocus(Qt::OtherFocusReason);
    if (old != nullptr) retireWidgets(column_, std::vector<QWidget*>{old});
}

void VietnameseIMEFeatureCard::refreshInstallSection(const TypingCardState& state) {
    install_->setVisible(state.showsInstallSection);
    showStatus(installSymbol_, installText_, state.installRow);
    selectionRow_->setVisible(state.selectionRow.has_value());
    if (state.selectionRow) showStatus(selectionSymbol_, selectionText_, *state.selectionRow);
    selectButton_->setVisible(state.showsSelectButton);
    installError_->setVisible(state.installError.has_value());
    installError_->setText(text(state.installError.value_or("")));
    installNote_->setVisible(state.installNote.has_value());
    installNote_->setText(text(state.installNote.value_or("")));
}

void VietnameseIMEFeatureCard::refreshOptions(const TypingCardState& state) {
    std::erase_if(options_, [](const auto& option) { return option.first.isNull(); });
    for (const auto& [box, field] : options_) setQuietly(box, state.options.*field);
    if (toneRule_) toneRule_->setCurrentIndex(static_cast<int>(state.options.toneRule));
    if (ruleEngine_) {
        setQuietly(ruleEngine_, state.ruleEngineEnabled);
        ruleDetails_->setVisible(state.showsRuleDetails);
        std::vector<std::string> lines = state.contextLines;
        lines.insert(lines.begin(), state.matchedRuleLine.value_or(""));
        if (lines != shownRuleLines_) {
            retireWidgets(ruleLines_.data(), ruleLineWidgets_);
            ruleLineWidgets_.clear();
            if (state.matchedRuleLine) {
                auto* matched = new QWidget(ruleDetails_);
                auto* row = new QHBoxLayout(matched);
                row->setContentsMargins(0, 0, 0, 0);
                row->setSpacing(8);
                row->addWidget(
                    symbolLabel("checkmark.seal.fill", DesignTokens::detailFont(), DesignTokens::accent(), matched));
                row->addWidget(detailLabel(text(*state.matchedRuleLine), DesignTokens::textSecondary(), matched), 1);
                ruleLineWidgets_.push_back(matched);
            }
            for (const auto& line : state.contextLines) {
                ruleLineWidgets_.push_back(elidedTokenLabel(text(line), DesignTokens::codeSmallFont(),
                                                            DesignTokens::textTertiary(), Qt::ElideMiddle,
                                                            ruleDetails_));
            }
            for (auto* widget : ruleLineWidgets_) ruleLines_->addWidget(widget);
            shownRuleLines_ = lines;
        }
    }
    if (exclusionSummary_) {
        // An empty list reads in the fainter colour.
        noExclusions_->setVisible(state.excludedApps.empty());
        noExclusions_->setText(text(state.exclusionSummary));
        exclusionSummary_->setVisible(!state.excludedApps.empty());
        exclusionSummary_->setText(text(state.exclusionSummary));
        if (state.excludedApps != shownExclusions_) {
            retireWidgets(exclusionRows_.data(), exclusionRowWidgets_);
            exclusionRowWidgets_.clear();
            auto* parent = exclusionSummary_->parentWidget();
            for (const auto& app : state.excludedApps) {
                auto* row = new QWidget(parent);
                auto* line = new QHBoxLayout(row);
                line->setContentsMargins(0, 0, 0, 0);
                line->addWidget(elidedTokenLabel(text(app), DesignTokens::codeSmallFont(), DesignTokens::textTertiary(),
                                                 Qt::ElideMiddle, row),
                                1);
                auto* again = new QPushButton(row);
                again->setIcon(symbolIcon("arrow.uturn.backward"));
                again->setAccessibleName(localizedText("Bật lại"));
                setPlainToolTip(*again, localizedText("Bật lại tiếng Việt cho %@", {text(app)}));
                again->setAutoDefault(false);
                QObject::connect(again, &QPushButton::clicked, this, [this, app] { presenter_.reEnable(app); });
                line->addWidget(again);
                exclusionRowWidgets_.push_back(row);
                exclusionRows_->addWidget(row);
            }
            shownExclusions_ = state.excludedApps;
        }
    }
}

// ---- Sheets and visibility ----

void VietnameseIMEFeatureCard::showShortcutSheet() {
    if (shortcutSheet_) return;
    auto* sheet = new IMEShortcutSheet(window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowModality(Qt::WindowModal);
    shortcutSheet_ = sheet;
    sheet->open();
}

void VietnameseIMEFeatureCard::showRulesSheet() {
    if (rulesSheet_) return;
    auto* sheet = new IMERulesSheet(services_.manager, window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowModality(Qt::WindowModal);
    rulesSheet_ = sheet;
    sheet->open();
}

void VietnameseIMEFeatureCard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    presenter_.cardShown();
}

void VietnameseIMEFeatureCard::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    presenter_.cardHidden();
}

QStringList VietnameseIMEFeatureCard::shownTexts() const {
    QStringList texts;
    for (const auto* label : findChildren<QLabel*>()) {
        if (label->isVisibleTo(this) && !label->text().isEmpty()) texts << label->text();
    }
    return texts;
}

}  // namespace zentrel::ui
