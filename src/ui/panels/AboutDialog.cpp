#include "ui/panels/AboutDialog.hpp"

#include "ui/design/DesignLabels.hpp"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }

}  // namespace

AboutDialog::AboutDialog(const AboutContent& content, const QIcon& icon, QWidget* parent) : QDialog(parent) {
    setWindowTitle(localizedText("About Zentrel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(10);

    auto* header = new QHBoxLayout;
    header->setSpacing(16);
    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(icon.pixmap(64, 64));
    iconLabel->setAccessibleName(text(content.name));
    header->addWidget(iconLabel, 0, Qt::AlignTop);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(tokenLabel(text(content.name), DesignTokens::titleFont(), DesignTokens::textPrimary(), this));
    titles->addWidget(tokenLabel(text(content.versionText), DesignTokens::detailFont(), DesignTokens::textSecondary(), this));
    auto* description = tokenLabel(text(content.description), DesignTokens::bodyFont(), DesignTokens::textPrimary(), this);
    description->setWordWrap(true);
    titles->addWidget(description);
    header->addLayout(titles, 1);
    layout->addLayout(header);

    auto* licence = tokenLabel(text(content.licence), DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
    licence->setWordWrap(true);
    layout->addWidget(licence);

    QStringList libraries;
    for (const auto& library : content.libraries)
        libraries << (library.version.empty() ? text(library.name) : text(library.name + " " + library.version));
    layout->addWidget(
        tokenLabel(text(content.librariesTitle), DesignTokens::headlineFont(), DesignTokens::textPrimary(), this));
    auto* list = tokenLabel(libraries.join(QStringLiteral(", ")), DesignTokens::detailFont(),
                            DesignTokens::textSecondary(), this);
    list->setWordWrap(true);
    list->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(list);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(localizedText("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

}  // namespace zentrel::ui
