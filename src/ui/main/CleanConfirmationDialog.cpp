#include "ui/main/CleanConfirmationDialog.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/PrimaryButton.hpp"

#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CleanConfirmationDialog::CleanConfirmationDialog(const CleanConfirmation& confirmation, QWidget* parent)
    : QDialog(parent) {
    setWindowModality(Qt::WindowModal);
    setWindowTitle(fromUtf8(confirmation.title));
    setMinimumWidth(420);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(12);
    auto* title = tokenLabel(fromUtf8(confirmation.title), DesignTokens::headlineFont(), DesignTokens::textPrimary(), this);
    title->setWordWrap(true);
    column->addWidget(title);

    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    for (const auto& name : confirmation.firstNames)
        names->addWidget(elidedTokenLabel(QStringLiteral("\u2022 ") + fromUtf8(name), DesignTokens::bodyFont(),
                                          DesignTokens::textPrimary(), Qt::ElideMiddle, this));
    if (confirmation.moreCount > 0)
        names->addWidget(tokenLabel(localizedText("\u2026and %lld more", {countText(confirmation.moreCount)}),
                                    DesignTokens::bodyFont(), DesignTokens::textSecondary(), this));
    column->addLayout(names);

    QString detail = localizedText("%@ in all.", {fileSizeText(confirmation.bytes)});
    if (!confirmation.message.empty()) detail += " " + fromUtf8(confirmation.message);
    else if (!confirmation.canBeUndone) detail += " " + localizedText("This action cannot be undone.");
    auto* message = tokenLabel(detail, DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
    message->setWordWrap(true);
    column->addWidget(message);

    auto* buttons = new QDialogButtonBox(this);
    buttons_ = buttons;
    // A button of our own: the toolkit's standard one brings the icon theme's
    // symbol and a text outside the translation table.
    cancel_ = buttons->addButton(localizedText("Cancel"), QDialogButtonBox::RejectRole);
    delete_ = new PrimaryButton(fromUtf8(confirmation.deleteLabel), QString("trash.fill"),
                                PrimaryButton::Variant::danger, false, {}, this);
    delete_->setAutoDefault(false);
    buttons->addButton(delete_, QDialogButtonBox::DestructiveRole);
    cancel_->setDefault(true);
    cancel_->setFocus();
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(delete_, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(buttons);
}

QPushButton* CleanConfirmationDialog::addAlternative(const QString& title) {
    auto* button = buttons_->addButton(title, QDialogButtonBox::ActionRole);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this] { done(kAlternative); });
    return button;
}

void CleanConfirmationDialog::ask(QWidget& parent, const CleanConfirmation& confirmation,
                                  std::function<void()> confirmed) {
    auto* dialog = new CleanConfirmationDialog(confirmation, &parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, dialog, [confirmed = std::move(confirmed)] { confirmed(); });
    dialog->open();
}

}  // namespace zentrel::ui
