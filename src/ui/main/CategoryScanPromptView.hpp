#pragma once
// The invitation to scan one category that has not been scanned yet: its
// symbol and name and a "Scan Category" button (Ctrl+Return) that scans it
// afresh.

#include "viewmodels/ScanViewModel.hpp"

#include <QPushButton>
#include <QWidget>

namespace zentrel::ui {

class CategoryScanPromptView final : public QWidget {
public:
    CategoryScanPromptView(viewmodels::ScanViewModel& viewModel, model::CategoryType category,
                           QWidget* parent = nullptr);

    [[nodiscard]] QPushButton* scanButton() const { return button_; }

private:
    QPushButton* button_ = nullptr;
};

}  // namespace zentrel::ui
