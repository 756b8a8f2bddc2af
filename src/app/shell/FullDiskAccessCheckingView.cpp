#include "app/shell/FullDiskAccessCheckingView.hpp"

#include "ui/design/DesignLabels.hpp"

#include <QProgressBar>
#include <QVBoxLayout>

namespace zentrel::app {

FullDiskAccessCheckingView::FullDiskAccessCheckingView(QWidget* parent) : QWidget(parent) {
    const auto text = ui::localizedText("Checking permissions…");
    setAccessibleName(text);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->addStretch();
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);  // busy, with no known end
    busy->setTextVisible(false);
    busy->setMaximumWidth(240);
    layout->addWidget(busy, 0, Qt::AlignHCenter);
    auto* label = ui::tokenLabel(text, ui::DesignTokens::bodyFont(), ui::DesignTokens::textSecondary(), this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    layout->addStretch();
}

}  // namespace zentrel::app
