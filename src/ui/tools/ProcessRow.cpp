#include "ui/tools/ProcessRow.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/tools/AppIconView.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace zentrel::ui {
namespace {

constexpr int kControlWidth = 16;
constexpr int kIconSide = 22;
constexpr int kSpacing = 12;
constexpr int kPillSpacing = 6;
constexpr int kVerticalPadding = 4;

QString text(const std::string& value) { return QString::fromStdString(value); }

}  // namespace

StatusPill::Variant pillVariant(PillTone tone) {
    switch (tone) {
    case PillTone::safe: return StatusPill::Variant::safe;
    case PillTone::review: return StatusPill::Variant::review;
    case PillTone::danger: return StatusPill::Variant::danger;
    case PillTone::neutral: return StatusPill::Variant::neutral;
    }
    return StatusPill::Variant::neutral;
}

void ProcessListModel::setRows(std::vector<ProcessRowContent> rows) {
    const bool samePids = std::equal(rows.begin(), rows.end(), rows_.begin(), rows_.end(),
                                     [](const auto& a, const auto& b) { return a.pid == b.pid; });
    if (!samePids) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
        return;
    }
    rows_ = std::move(rows);
    if (!rows_.empty()) Q_EMIT dataChanged(index(0), index(static_cast<int>(rows_.size()) - 1));
}

int ProcessListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ProcessListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto& row = this->row(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return text(row.name);
    case Qt::AccessibleDescriptionRole: {
        auto description = text(row.kind.text) + ", " + text(row.detail);
        if (row.selectable) description += ". " + localizedText(BoostTexts::rowHint);
        return description;
    }
    case Qt::CheckStateRole:
        if (!row.selectable) return {};
        return row.selected ? Qt::Checked : Qt::Unchecked;
    default: return {};
    }
}

ProcessRow::ProcessRow(QObject* parent) : QStyledItemDelegate(parent) {}

int ProcessRow::rowHeight() {
    const int lines = QFontMetrics(DesignTokens::bodyFont().font()).height() + 2 +
                      QFontMetrics(DesignTokens::detailFont().font()).height();
    return std::max(lines, kIconSide) + 2 * kVerticalPadding + 1;
}

QSize ProcessRow::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), rowHeight()};
}

QPixmap ProcessRow::pill(const PillContent& content, const QPalette& palette, qreal devicePixelRatio) const {
    // Drawn once per text, tone and palette, then copied onto the rows.
    const auto key = std::make_tuple(content.text, content.tone, palette.cacheKey(), devicePixelRatio);
    auto found = pills_.find(key);
    if (found != pills_.end()) return found->second;
    StatusPill widget(text(content.text), QString(), pillVariant(content.tone));
    widget.setPalette(palette);
    widget.resize(widget.sizeHint());
    QPixmap image(widget.size() * devicePixelRatio);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return pills_.emplace(key, image).first->second;
}

void ProcessRow::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto* model = static_cast<const ProcessListModel*>(index.model());
    const auto& row = model->row(index.row());
    const auto& palette = option.palette;
    const QRect bounds = option.rect;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setOpacity(row.opacity);
    const int middle = bounds.top() + (bounds.height() - 1) / 2;
    int x = bounds.left();

    if (row.selectable) {
        QStyleOptionButton box;
        box.rect = QRect(x, middle - kControlWidth / 2, kControlWidth, kControlWidth);
        box.state = QStyle::State_Enabled | (row.selected ? QStyle::State_On : QStyle::State_Off);
        box.palette = palette;
        const auto* style = option.widget ? option.widget->style() : QApplication::style();
        painter->save();
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
        painter->restore();
    } else {
        const auto& footnote = DesignTokens::footnoteFont();
        const int side = QFontMetrics(footnote.font()).height();
        const auto lock = tintedSymbol("lock.fill", side, DesignTokens::textTertiary().resolve(palette),
                                       painter->device()->devicePixelRatioF());
        if (!lock.isNull()) painter->drawPixmap(x + (kControlWidth - side) / 2, middle - side / 2, lock);
    }
    x += kControlWidth + kSpacing;

    const QRect iconRect(x, middle - kIconSide / 2, kIconSide, kIconSide);
    if (row.icon) {
        appIcon(row.icon).paint(painter, iconRect);
    } else {
        const auto symbol = tintedSymbol(text(row.fallbackSymbol), kIconSide, DesignTokens::textTertiary().resolve(palette),
                                         painter->device()->devicePixelRatioF());
        if (!symbol.isNull()) painter->drawPixmap(iconRect, symbol);
    }
    x += kIconSide + kSpacing;

    const QFont body = DesignTokens::bodyFont().font();
    const QFont detail = DesignTokens::detailFont().font();
    const QString memory = text(row.memory);
    const int memoryWidth = QFontMetrics(body).horizontalAdvance(memory);
    const int right = bounds.right() - memoryWidth - kSpacing;
    painter->setFont(body);
    painter->setPen(row.selectable ? DesignTokens::textPrimary().resolve(palette)
                                   : DesignTokens::textTertiary().resolve(palette));
    painter->drawText(QRect(bounds.right() - memoryWidth, bounds.top(), memoryWidth, bounds.height() - 1),
                      Qt::AlignVCenter | Qt::AlignRight, memory);

    const int bodyHeight = QFontMetrics(body).height();
    const int detailHeight = QFontMetrics(detail).height();
    const int top = middle - (bodyHeight + 2 + detailHeight) / 2;
    const auto kindPill = pill(row.kind, palette, painter->device()->devicePixelRatioF());
    const QSize pillSize = kindPill.deviceIndependentSize().toSize();
    const int nameWidth = std::max(0, right - x - kPillSpacing - pillSize.width());
    const QString name = QFontMetrics(body).elidedText(text(row.name), Qt::ElideRight, nameWidth);
    painter->setPen(DesignTokens::textPrimary().resolve(palette));
    painter->drawText(QRect(x, top, nameWidth, bodyHeight), Qt::AlignVCenter | Qt::AlignLeft, name);
    const int pillX = x + QFontMetrics(body).horizontalAdvance(name) + kPillSpacing;
    painter->drawPixmap(QPoint(pillX, top + (bodyHeight - pillSize.height()) / 2), kindPill);

    painter->setFont(detail);
    painter->setPen(DesignTokens::textSecondary().resolve(palette));
    const QString detailLine = QFontMetrics(detail).elidedText(text(row.detail), Qt::ElideRight, right - x);
    painter->drawText(QRect(x, top + bodyHeight + 2, right - x, detailHeight), Qt::AlignVCenter | Qt::AlignLeft,
                      detailLine);

    if (row.dividerBelow) {
        painter->setOpacity(1.0);
        painter->setPen(DesignTokens::hairline().resolve(palette));
        painter->drawLine(bounds.left(), bounds.bottom(), bounds.right(), bounds.bottom());
    }
    painter->restore();
}

ProcessListView::ProcessListView(ProcessListModel* model, std::function<void(std::int32_t)> toggle, QWidget* parent)
    : QListView(parent), model_(model), toggle_(std::move(toggle)) {
    setModel(model_);
    setItemDelegate(new ProcessRow(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) { toggleRow(index); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { fitRows(); });
    fitRows();
}

void ProcessListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentIndex().isValid()) {
        toggleRow(currentIndex());
        return;
    }
    QListView::keyPressEvent(event);
}

void ProcessListView::toggleRow(const QModelIndex& index) {
    if (!index.isValid()) return;
    const auto& row = model_->row(index.row());
    if (row.selectable && toggle_) toggle_(row.pid);
}

void ProcessListView::fitRows() { setFixedHeight(model_->rowCount() * ProcessRow::rowHeight()); }

}  // namespace zentrel::ui
