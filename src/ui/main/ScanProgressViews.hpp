#pragma once
// The two progress pages of a running scan, one frame with a bar and a
// message: `ScanningView` for a full scan seen from the overview, and
// `CategoryWaitingView` for a category page that the scan will fill.

#include "ui/presenters/ScanProgressPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

#include <functional>

namespace zentrel::ui {

class ScanProgressPage : public QWidget {
public:
    [[nodiscard]] QProgressBar* progressBar() const { return bar_; }
    [[nodiscard]] QLabel* messageLabel() const { return message_; }

protected:
    using Figures = std::function<ScanProgress(const viewmodels::ScanViewModel&)>;
    ScanProgressPage(viewmodels::ScanViewModel& viewModel, Figures figures, QWidget* parent);

private:
    void refresh();

    viewmodels::ScanViewModel& viewModel_;
    Figures figures_;
    QProgressBar* bar_ = nullptr;
    QLabel* message_ = nullptr;
    std::vector<platform::Subscription> observers_;
};

class ScanningView final : public ScanProgressPage {
public:
    explicit ScanningView(viewmodels::ScanViewModel& viewModel, QWidget* parent = nullptr);
};

class CategoryWaitingView final : public ScanProgressPage {
public:
    explicit CategoryWaitingView(viewmodels::ScanViewModel& viewModel, QWidget* parent = nullptr);
};

}  // namespace zentrel::ui
