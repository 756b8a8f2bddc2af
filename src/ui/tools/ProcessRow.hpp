#pragma once
// The Boost page's process list: a model of the presenter's rows, the
// delegate that draws one row (check box or lock, icon, name with its kind
// pill, memory and CPU line, memory figure, divider), and the list view,
// as tall as its rows, where a press or the space bar picks an application.

#include "ui/design/StatusPill.hpp"
#include "ui/presenters/BoostPresenter.hpp"

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>

#include <functional>
#include <map>
#include <tuple>
#include <vector>

namespace zentrel::ui {

[[nodiscard]] StatusPill::Variant pillVariant(PillTone tone);

class ProcessListModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Keeps the rows when only their contents changed, so the view stays put.
    void setRows(std::vector<ProcessRowContent> rows);
    [[nodiscard]] const ProcessRowContent& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<ProcessRowContent> rows_;
};

class ProcessRow final : public QStyledItemDelegate {
public:
    explicit ProcessRow(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    [[nodiscard]] static int rowHeight();

private:
    [[nodiscard]] QPixmap pill(const PillContent& content, const QPalette& palette, qreal devicePixelRatio) const;

    // The kind pills as drawn by StatusPill, by text, tone, palette and pixel ratio.
    mutable std::map<std::tuple<std::string, PillTone, qint64, qreal>, QPixmap> pills_;
};

class ProcessListView final : public QListView {
public:
    // `toggle` gets the pid of a selectable row the user pressed.
    ProcessListView(ProcessListModel* model, std::function<void(std::int32_t pid)> toggle, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void toggleRow(const QModelIndex& index);
    void fitRows();

    ProcessListModel* model_;
    std::function<void(std::int32_t)> toggle_;
};

}  // namespace zentrel::ui
