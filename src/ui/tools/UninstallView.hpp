#pragma once
// The uninstaller page: the applications installed on this desktop with a
// search field and their count, a loading or empty state, the detail sheet
// of the application the user opens, and the result of a removal. The page
// owns its view model, loads the list on its first appearance, and draws
// what the uninstaller presenter says.

#include "ui/tools/AppRow.hpp"
#include "ui/tools/UninstallDetailSheet.hpp"
#include "viewmodels/UninstallViewModel.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QToolButton>
#include <QWidget>

#include <memory>

namespace zentrel::ui {

enum class UninstallContent;

class UninstallView final : public QWidget {
public:
    explicit UninstallView(std::unique_ptr<viewmodels::UninstallViewModel> viewModel, QWidget* parent = nullptr);
    ~UninstallView() override;

    [[nodiscard]] viewmodels::UninstallViewModel& viewModel() { return *viewModel_; }

    // What is shown, for the page's tests.
    [[nodiscard]] UninstallContent content() const;
    [[nodiscard]] QLineEdit* searchField() const { return search_; }
    [[nodiscard]] QLabel* countLabel() const { return count_; }
    [[nodiscard]] QLabel* emptyLabel() const { return empty_; }
    [[nodiscard]] AppListView* appList() const { return list_; }
    [[nodiscard]] UninstallDetailSheet* sheet() const { return sheet_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showContent();
    void showSheet();
    void showResult();

    std::unique_ptr<viewmodels::UninstallViewModel> viewModel_;
    QLabel* count_ = nullptr;
    QLineEdit* search_ = nullptr;
    QStackedWidget* content_ = nullptr;
    QLabel* empty_ = nullptr;
    AppListModel* model_ = nullptr;
    AppListView* list_ = nullptr;
    QPointer<UninstallDetailSheet> sheet_;
    bool appeared_ = false;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
