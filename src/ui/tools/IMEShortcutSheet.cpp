#include "ui/tools/IMEShortcutSheet.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/ScrollAreaFocus.hpp"
#include "ui/presenters/IMEShortcutGuide.hpp"
#include "ui/tools/IMEGuideRow.hpp"
#include "ui/tools/TintedPanel.hpp"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

constexpr int kMinimumWidth = 420;
constexpr int kMinimumHeight = 380;
constexpr int kPreferredHeight = 520;

}  // namespace

IMEShortcutSheet::IMEShortcutSheet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(localizedText(kShortcutSheetTitle));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto* header = new QHBoxLayout;
    header->addWidget(tokenLabel(localizedText(kShortcutSheetTitle), DesignTokens::titleFont(),
                                 DesignTokens::textPrimary(), this));
    header->addStretch();
    close_ = new QPushButton(localizedText("Đóng"), this);
    close_->setAutoDefault(false);
    // Escape rejects the dialog, exactly as this button does.
    QObject::connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    header->addWidget(close_);
    column->addLayout(header);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    keepOutOfTabOrder(*scroll);
    // Only the height scrolls: the sheet is as wide as its widest line.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* body = new QWidget(scroll);
    body->setAutoFillBackground(false);
    auto* stack = new QVBoxLayout(body);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(16);

    auto* general = new QVBoxLayout;
    general->setSpacing(4);
    general->addWidget(tokenLabel(localizedText(kGeneralShortcutsTitle), DesignTokens::sectionLabelFont(),
                                  DesignTokens::textSecondary(), body));
    for (const auto shortcut : kGeneralShortcuts) {
        auto* line = tokenLabel(localizedText(shortcut), DesignTokens::codeFont(), DesignTokens::textPrimary(), body);
        line->setWordWrap(true);
        general->addWidget(line);
    }
    stack->addLayout(general);
    for (const auto& guide : imeGuides()) {
        stack->addWidget(dividerLine(0.4, body));
        stack->addWidget(new IMEGuideRow(guide, body));
    }
    stack->addStretch();
    scroll->setWidget(body);
    scroll->viewport()->setAutoFillBackground(false);
    column->addWidget(scroll, 1);
    const auto contentWidth = body->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 48;
    setMinimumWidth(std::max(kMinimumWidth, contentWidth));
    resize(minimumWidth(), kPreferredHeight);
}

}  // namespace zentrel::ui
