#include "ui/main/CleaningActivityRow.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/main/BusySpinner.hpp"
#include "ui/main/PageParts.hpp"

#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

using Kind = model::CleaningActivityEntry::Status::Kind;

ColorToken nameColor(ActivityTone tone) {
    switch (tone) {
    case ActivityTone::primary: return DesignTokens::textPrimary();
    case ActivityTone::danger: return DesignTokens::danger();
    case ActivityTone::secondary: break;
    }
    return DesignTokens::textSecondary();
}

ColorToken symbolColor(Kind status) {
    switch (status) {
    case Kind::deleted: return DesignTokens::health();
    case Kind::failed: return DesignTokens::danger();
    case Kind::pending:
    case Kind::inProgress: break;
    }
    return DesignTokens::textTertiary();
}

}  // namespace

CleaningActivityRow::CleaningActivityRow(const ActivityRow& row, QWidget* parent) : QWidget(parent), row_(row) {
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(12);
    auto* holder = new QWidget(this);
    holder->setFixedWidth(18);
    statusHolder_ = new QHBoxLayout(holder);
    statusHolder_->setContentsMargins(0, 2, 0, 0);
    line->addWidget(holder, 0, Qt::AlignTop);

    QVBoxLayout* texts = nullptr;
    auto* textStack = stackWidget(this, 2, texts);
    name_ = limitLines(tokenLabel({}, DesignTokens::bodyFont(), DesignTokens::textSecondary(), textStack), 2);
    texts->addWidget(name_);
    category_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textSecondary(), textStack);
    texts->addWidget(category_);
    message_ = limitLines(tokenLabel({}, DesignTokens::detailFont(), DesignTokens::danger(), textStack), 3);
    texts->addWidget(message_);
    line->addWidget(textStack, 1);
    line->addSpacing(8);
    size_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textTertiary(), this);
    line->addWidget(size_, 0, Qt::AlignTop);

    showStatus();
    showTexts();
}

void CleaningActivityRow::display(const ActivityRow& row) {
    if (row == row_) return;
    const bool statusChanged = row.status != row_.status;
    row_ = row;
    if (statusChanged) showStatus();
    showTexts();
}

void CleaningActivityRow::showTexts() {
    name_->setText(QString::fromStdString(row_.name));
    setTextColor(name_, nameColor(row_.nameTone));
    category_->setText(QString::fromStdString(row_.category));
    message_->setText(QString::fromStdString(row_.message.value_or("")));
    message_->setVisible(row_.message.has_value());
    size_->setText(QString::fromStdString(row_.size));
    setAccessibleName(QString::fromStdString(row_.accessibleLabel));
}

void CleaningActivityRow::showStatus() {
    if (status_ != nullptr) retireWidgets(statusHolder_, std::vector<QWidget*>{status_});
    if (row_.symbol.empty()) {
        status_ = new BusySpinner(14, statusHolder_->parentWidget());
    } else {
        status_ = symbolLabel(QString::fromStdString(row_.symbol), DesignTokens::rowIconFont(),
                              symbolColor(row_.status), statusHolder_->parentWidget());
    }
    statusHolder_->addWidget(status_, 0, Qt::AlignHCenter | Qt::AlignTop);
}

}  // namespace zentrel::ui
