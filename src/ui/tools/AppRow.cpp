#include "ui/tools/AppRow.hpp"

#include "ui/design/DesignTokens.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/presenters/UninstallPresenter.hpp"
#include "ui/tools/AppIconView.hpp"

#include <QPainter>
#include <QEvent>
#include <QTimer>

namespace zentrel::ui {
namespace {

constexpr int kIconSide = 30;
constexpr int kSpacing = 12;
constexpr int kHorizontalInset = 8;
constexpr int kVerticalPadding = 6;

QString text(const std::string& value) { return QString::fromStdString(value); }

}  // namespace

void AppListModel::setApps(std::vector<model::InstalledApp> apps) {
    beginResetModel();
    apps_ = std::move(apps);
    endResetModel();
}

int AppListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(apps_.size());
}

QVariant AppListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto& app = this->app(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return text(app.name);
    case Qt::AccessibleDescriptionRole: {
        const auto row = appRow(app);
        return row.version.empty() ? text(row.secondLine) : text(row.secondLine) + ", " + text(row.version);
    }
    case Qt::ToolTipRole: return text(app.path);
    default: return {};
    }
}

int AppRow::rowHeight() {
    const int lines = QFontMetrics(DesignTokens::bodyFont().font()).height() + 1 +
                      QFontMetrics(DesignTokens::codeSmallFont().font()).height();
    return std::max(lines, kIconSide) + 2 * kVerticalPadding;
}

QSize AppRow::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    // No width of its own: a row spans the list beside its scroll bar, never
    // the width it was first measured at.
    return {0, rowHeight()};
}

void AppRow::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto& app = static_cast<const AppListModel*>(index.model())->app(index.row());
    const auto row = appRow(app);
    const auto& palette = option.palette;
    const QRect bounds = option.rect.adjusted(kHorizontalInset, 0, -kHorizontalInset, 0);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (option.state & QStyle::State_MouseOver) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(DesignTokens::neutralTint().resolve(palette));
        painter->drawRoundedRect(QRectF(option.rect.adjusted(2, 1, -2, -1)), 6, 6);
    }
    const int middle = bounds.top() + bounds.height() / 2;
    int x = bounds.left();
    installedAppIcon(app.path).paint(painter, QRect(x, middle - kIconSide / 2, kIconSide, kIconSide));
    x += kIconSide + kSpacing;

    int right = bounds.right();
    const QFont caption = DesignTokens::detailFont().font();
    const int chevronSide = QFontMetrics(caption).height();
    const auto chevron = tintedSymbol("chevron.right", chevronSide, DesignTokens::textTertiary().resolve(palette),
                                      painter->device()->devicePixelRatioF());
    if (!chevron.isNull()) painter->drawPixmap(right - chevronSide, middle - chevronSide / 2, chevron);
    right -= chevronSide + kSpacing;
    if (!row.version.empty()) {
        const QString version = text(row.version);
        const int width = QFontMetrics(caption).horizontalAdvance(version);
        painter->setFont(caption);
        painter->setPen(DesignTokens::textTertiary().resolve(palette));
        painter->drawText(QRect(right - width, bounds.top(), width, bounds.height()), Qt::AlignVCenter | Qt::AlignRight,
                          version);
        right -= width + kSpacing;
    }

    const QFont body = DesignTokens::bodyFont().font();
    const QFont code = DesignTokens::codeSmallFont().font();
    const int bodyHeight = QFontMetrics(body).height();
    const int codeHeight = QFontMetrics(code).height();
    const int top = middle - (bodyHeight + 1 + codeHeight) / 2;
    const int width = std::max(0, right - x);
    painter->setFont(body);
    painter->setPen(DesignTokens::textPrimary().resolve(palette));
    painter->drawText(QRect(x, top, width, bodyHeight), Qt::AlignVCenter | Qt::AlignLeft,
                      QFontMetrics(body).elidedText(text(row.name), Qt::ElideRight, width));
    painter->setFont(code);
    painter->setPen(DesignTokens::textTertiary().resolve(palette));
    painter->drawText(QRect(x, top + bodyHeight + 1, width, codeHeight), Qt::AlignVCenter | Qt::AlignLeft,
                      QFontMetrics(code).elidedText(text(row.secondLine), Qt::ElideMiddle, width));
    painter->restore();
}

AppListView::AppListView(AppListModel* model, std::function<void(const model::InstalledApp&)> open, QWidget* parent)
    : QListView(parent), model_(model), open_(std::move(open)) {
    setModel(model_);
    setItemDelegate(new AppRow(this));
    setUniformItemSizes(true);
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    connect(this, &QListView::activated, this, [this](const QModelIndex& index) { openRow(index); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this](const QItemSelection& selected) {
        if (selected.indexes().isEmpty()) return;
        const auto index = selected.indexes().first();
        // The selection only carries the press; it is gone before the sheet shows.
        QTimer::singleShot(0, this, [this] { clearSelection(); });
        openRow(index);
    });
}

QItemSelectionModel::SelectionFlags AppListView::selectionCommand(const QModelIndex& index, const QEvent* event) const {
    if (event != nullptr && event->type() == QEvent::KeyPress) return QItemSelectionModel::NoUpdate;
    return QListView::selectionCommand(index, event);
}

void AppListView::keyboardSearch(const QString& search) {
    // Typing finds a row and makes it current without selecting it, which
    // would open it: Return opens it.
    setSelectionMode(QAbstractItemView::NoSelection);
    QListView::keyboardSearch(search);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void AppListView::openRow(const QModelIndex& index) {
    if (!index.isValid() || !open_) return;
    open_(model_->app(index.row()));
}

}  // namespace zentrel::ui
