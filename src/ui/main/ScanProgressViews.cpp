#include "ui/main/ScanProgressViews.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/PageLanding.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace zentrel::ui {

ScanProgressPage::ScanProgressPage(viewmodels::ScanViewModel& viewModel, Figures figures, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), figures_(std::move(figures)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(20);
    column->addStretch();
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    bar_->setMaximumWidth(400);
    bar_->setAccessibleName(localizedText("Scan progress"));
    markLanding(*bar_);
    bar_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* barRow = new QHBoxLayout;
    barRow->addStretch();
    barRow->addWidget(bar_, 10);
    barRow->addStretch();
    column->addLayout(barRow);
    message_ = tokenLabel({}, DesignTokens::bodyFont(), DesignTokens::textSecondary(), this);
    message_->setAlignment(Qt::AlignHCenter);
    message_->setWordWrap(true);
    column->addWidget(message_);
    column->addStretch();

    const auto changed = [this](const auto&) { refresh(); };
    observers_.push_back(viewModel_.scanState.observe(changed));
    observers_.push_back(viewModel_.lazyScanningCategory.observe(changed));
    observers_.push_back(viewModel_.sidebarSelection.observe(changed));
    refresh();
}

void ScanProgressPage::refresh() {
    const auto figures = figures_(viewModel_);
    bar_->setValue(static_cast<int>(std::clamp(figures.progress, 0.0, 1.0) * 1000));
    message_->setText(QString::fromStdString(figures.message));
}

ScanningView::ScanningView(viewmodels::ScanViewModel& viewModel, QWidget* parent)
    : ScanProgressPage(viewModel, scanningProgress, parent) {}

CategoryWaitingView::CategoryWaitingView(viewmodels::ScanViewModel& viewModel, QWidget* parent)
    : ScanProgressPage(viewModel, categoryWaitingProgress, parent) {}

}  // namespace zentrel::ui
