#pragma once
// The uninstall detail sheet of one application: its icon, name and
// identifier, the items that removing it would delete (each with its kind,
// path, size and check box) while they are being looked for and after, the
// count and size of the kept ones, and their removal after a confirmation.
// Everything but the open confirmation lives in the page's view model.

#include "model/InstalledApp.hpp"
#include "viewmodels/UninstallViewModel.hpp"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <functional>
#include <vector>

namespace zentrel::ui {

struct UninstallItemRowContent;

// One item: its check box, kind symbol and label, path and size.
class UninstallItemRow final : public QWidget {
public:
    UninstallItemRow(const UninstallItemRowContent& item, std::function<void()> onToggle, QWidget* parent = nullptr);

    void setSelected(bool selected);
    [[nodiscard]] QCheckBox* checkBox() const { return checkBox_; }

private:
    QCheckBox* checkBox_ = nullptr;
};

class UninstallDetailSheet final : public QDialog {
public:
    UninstallDetailSheet(viewmodels::UninstallViewModel& model, model::InstalledApp app, QWidget* parent = nullptr);

    [[nodiscard]] const model::InstalledApp& app() const { return app_; }
    // Opens the removal confirmation.
    void requestRemoval();

    // What is shown, for the sheet's tests.
    [[nodiscard]] QPushButton* removeButton() const { return remove_; }
    [[nodiscard]] QLabel* footerLabel() const { return footer_; }
    [[nodiscard]] QLabel* keptBackLabel() const { return keptBack_; }
    [[nodiscard]] const std::vector<UninstallItemRow*>& rows() const { return rows_; }

private:
    void showItems();
    void showFooter();
    void showKeptBack();

    viewmodels::UninstallViewModel& model_;
    model::InstalledApp app_;
    QStackedWidget* itemArea_ = nullptr;
    QVBoxLayout* itemColumn_ = nullptr;
    std::vector<UninstallItemRow*> rows_;
    std::vector<QWidget*> rowWidgets_;
    std::vector<platform::Uuid> shownIds_;
    QLabel* footer_ = nullptr;
    QLabel* keptBack_ = nullptr;  // what is not offered, and why
    QStackedWidget* removeSlot_ = nullptr;
    QPushButton* remove_ = nullptr;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
