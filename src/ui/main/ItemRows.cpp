#include "ui/main/ItemRows.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/Glass.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/main/PageParts.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

QLabel* limitedLines(QLabel* label) {
    label->setWordWrap(true);
    label->setMaximumHeight(QFontMetrics(label->font()).lineSpacing() * 2 + 2);
    return label;
}

QFont medium(const FontToken& token) {
    auto font = token.font();
    font.setWeight(QFont::Medium);
    return font;
}

}  // namespace

StatusPill* safetyBadge(model::SafetyLevel level, QWidget* parent) {
    if (level == model::SafetyLevel::review) {
        return new StatusPill(localizedText("Review before deleting"), "exclamationmark.triangle.fill",
                              StatusPill::Variant::review, parent);
    }
    return new StatusPill(localizedText("Safe to delete"), "checkmark.shield.fill", StatusPill::Variant::safe, parent);
}

StatusPill* failedDeletionBadge(QWidget* parent) {
    return new StatusPill(localizedText("Could not delete"), "exclamationmark.triangle.fill",
                          StatusPill::Variant::danger, parent);
}

// ---- Suggested command ----

SuggestedCommandRow::SuggestedCommandRow(QString command, platform::Clipboard& clipboard,
                                         platform::TimerScheduler& timers, QWidget* parent)
    : QWidget(parent), command_(std::move(command)), clipboard_(clipboard), timers_(timers) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 8, 4);
    row->setSpacing(6);
    row->addWidget(symbolLabel("terminal", DesignTokens::footnoteFont(), DesignTokens::textTertiary(), this));
    auto* text = tokenLabel({}, DesignTokens::codeSmallFont(), DesignTokens::textSecondary(), this);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setText(QFontMetrics(text->font()).elidedText(command_, Qt::ElideMiddle, 420));
    setPlainToolTip(*text, command_);
    row->addWidget(text, 1);
    button_ = new QPushButton(this);
    button_->setFlat(true);
    button_->setFont(DesignTokens::pillFont().font());
    button_->setAccessibleDescription(localizedText("Copies the command to the clipboard."));
    QObject::connect(button_, &QPushButton::clicked, this, [this] { copy(); });
    row->addWidget(button_);
    followAppearance(button_, [this] { showCopied(copied_); });
}

QString SuggestedCommandRow::copiedText(const QString& command) {
    const auto comment = command.indexOf("  #");
    auto part = comment < 0 ? command : command.left(comment);
    // Spaces and tabs only, at both ends.
    qsizetype start = 0;
    qsizetype end = part.size();
    while (start < end && (part[start] == ' ' || part[start] == '\t')) ++start;
    while (end > start && (part[end - 1] == ' ' || part[end - 1] == '\t')) --end;
    return part.mid(start, end - start);
}

void SuggestedCommandRow::copy() {
    clipboard_.clear();
    clipboard_.setText(copiedText(command_).toStdString());
    showCopied(true);
    std::erase_if(resets_, [](const platform::Timer& timer) { return !timer.isActive(); });
    resets_.push_back(timers_.scheduleOnce(kCopiedFor, [this] { showCopied(false); }));
}

void SuggestedCommandRow::showCopied(bool copied) {
    copied_ = copied;
    const auto color =
        (copied ? ColorToken(DesignTokens::health()) : ColorToken(DesignTokens::accentText())).resolve(appPalette());
    const auto size = QFontMetrics(DesignTokens::pillFont().font()).height();
    button_->setText(localizedText(copied ? "Copied" : N_("Copy")));
    button_->setIcon(QIcon(tintedSymbol(copied ? "checkmark" : "doc.on.doc", size, color, devicePixelRatioF())));
    button_->setStyleSheet(QString("color: %1;").arg(color.name()));
}

void SuggestedCommandRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    fillGlass(painter, QRectF(rect()).adjusted(0, 2, 0, 0), 8, palette());
}

// ---- Shared row parts ----

ItemRowBase::ItemRowBase(ItemRowServices services, model::CleanItem item, QWidget* parent)
    : QWidget(parent), services_(services), item_(std::move(item)) {}

bool ItemRowBase::isFailed() const {
    return services_.viewModel.failedDeletionKeys().contains(viewmodels::ScanViewModel::deletionKey(item_));
}

void ItemRowBase::makeCheckBox() {
    checkBox_ = new QCheckBox(this);
    checkBox_->setChecked(item_.isSelected);
    checkBox_->setEnabled(!item_.isReadOnly);
    // The size the row shows is part of what is chosen.
    checkBox_->setAccessibleName(
        localizedText("%@, %@", {QString::fromStdString(item_.displayTitle()), fileSizeText(item_.sizeBytes)}));
    describeSelection();
    // The view model flips the flag; the row never writes it.
    QObject::connect(checkBox_, &QCheckBox::clicked, this, [this] { services_.viewModel.toggleItem(item_.id); });
}

void ItemRowBase::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) event->accept();
}

void ItemRowBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        services_.viewModel.toggleItem(item_.id);
}

void ItemRowBase::describeSelection() {
    checkBox_->setAccessibleDescription(localizedText(item_.isSelected ? "Selected" : N_("Not selected")) + ". " +
                                        localizedText("Double tap to toggle selection for cleaning."));
}

void ItemRowBase::showSelected(bool selected) {
    if (selected == item_.isSelected) return;
    item_.isSelected = selected;
    checkBox_->setChecked(selected);
    describeSelection();
    setTextColor(size_, selected ? ColorToken(DesignTokens::textPrimary()) : ColorToken(DesignTokens::textSecondary()));
}

QLabel* ItemRowBase::makeFailureLine() {
    failure_ = limitedLines(tokenLabel(localizedText("Could not delete \u2014 may be locked or need different permissions."),
                                       DesignTokens::detailFont(), DesignTokens::review(), this));
    return failure_;
}

void ItemRowBase::makeCommandRow() {
    if (item_.suggestedCommand) {
        command_ = new SuggestedCommandRow(QString::fromStdString(*item_.suggestedCommand), services_.clipboard,
                                           services_.timers, this);
    }
}

void ItemRowBase::makeSize() {
    size_ = tokenLabel(fileSizeText(item_.sizeBytes), DesignTokens::bodyFont(),
                       item_.isSelected ? ColorToken(DesignTokens::textPrimary()) : ColorToken(DesignTokens::textSecondary()),
                       this);
    size_->setFont(medium(DesignTokens::bodyFont()));
}

// ---- The two rows ----

FriendlyItemRow::FriendlyItemRow(ItemRowServices services, model::CleanItem item, QWidget* parent)
    : ItemRowBase(services, std::move(item), parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 6, 0, 6);
    row->setSpacing(12);
    makeCheckBox();
    row->addWidget(checkBox_, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    auto* title = tokenLabel(QString::fromStdString(item_.displayTitle()), DesignTokens::bodyFont(),
                             DesignTokens::textPrimary(), this);
    title->setFont(medium(DesignTokens::bodyFont()));
    texts->addWidget(title);
    if (!item_.friendlyDescription.empty()) {
        description_ = limitedLines(tokenLabel(QString::fromStdString(platform::localized(item_.friendlyDescription)),
                                               DesignTokens::detailFont(), DesignTokens::textSecondary(), this));
        texts->addWidget(description_);
    }
    if (isFailed()) texts->addWidget(makeFailureLine());
    makeCommandRow();
    if (command_ != nullptr) texts->addWidget(command_);
    row->addLayout(texts, 1);

    auto* trailing = new QVBoxLayout;
    trailing->setSpacing(4);
    makeSize();
    trailing->addWidget(size_, 0, Qt::AlignRight);
    safety_ = safetyBadge(item_.safetyLevel, this);
    trailing->addWidget(safety_, 0, Qt::AlignRight);
    if (isFailed()) {
        failedBadge_ = failedDeletionBadge(this);
        trailing->addWidget(failedBadge_, 0, Qt::AlignRight);
    }
    row->addLayout(trailing);
}

ItemRow::ItemRow(ItemRowServices services, model::CleanItem item, QWidget* parent)
    : ItemRowBase(services, std::move(item), parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 8, 0, 8);
    row->setSpacing(12);
    makeCheckBox();
    row->addWidget(checkBox_, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    auto* nameLine = new QHBoxLayout;
    // A place's name (N_("npm Cache")) has its translation; a file's name stays as it is.
    nameLine->addWidget(tokenLabel(localizedText(item_.name), DesignTokens::bodyFont(), DesignTokens::textPrimary(), this));
    safety_ = safetyBadge(item_.safetyLevel, this);
    nameLine->addWidget(safety_);
    if (isFailed()) {
        failedBadge_ = failedDeletionBadge(this);
        nameLine->addWidget(failedBadge_);
    }
    nameLine->addStretch();
    texts->addLayout(nameLine);
    if (isFailed()) {
        detail_ = makeFailureLine();
    } else if (item_.warningMessage) {
        detail_ = limitedLines(tokenLabel(localizedText(*item_.warningMessage), DesignTokens::detailFont(),
                                          DesignTokens::textSecondary(), this));
    } else {
        detail_ = tokenLabel(QString::fromStdString(item_.path), DesignTokens::detailFont(),
                             DesignTokens::textTertiary(), this);
    }
    texts->addWidget(detail_);
    makeCommandRow();
    if (command_ != nullptr) texts->addWidget(command_);
    row->addLayout(texts, 1);

    makeSize();
    row->addWidget(size_, 0, Qt::AlignTop);
}

}  // namespace zentrel::ui
