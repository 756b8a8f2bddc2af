#pragma once
// The uninstaller's application list: a model of the listed applications,
// the delegate that draws one row (icon, name, identifier or path elided in
// the middle, version, chevron), and the list view. Pressing a row, Enter on
// it, or selecting it through assistive technology opens the application;
// moving through the list with the keyboard only moves the focus.

#include "model/InstalledApp.hpp"

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>

#include <functional>
#include <vector>

namespace zentrel::ui {

class AppListModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setApps(std::vector<model::InstalledApp> apps);
    [[nodiscard]] const model::InstalledApp& app(int index) const { return apps_.at(static_cast<std::size_t>(index)); }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<model::InstalledApp> apps_;
};

class AppRow final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    [[nodiscard]] static int rowHeight();
};

class AppListView final : public QListView {
public:
    AppListView(AppListModel* model, std::function<void(const model::InstalledApp&)> open, QWidget* parent = nullptr);

    void keyboardSearch(const QString& search) override;

protected:
    [[nodiscard]] QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                                       const QEvent* event) const override;

private:
    void openRow(const QModelIndex& index);

    AppListModel* model_;
    std::function<void(const model::InstalledApp&)> open_;
};

}  // namespace zentrel::ui
