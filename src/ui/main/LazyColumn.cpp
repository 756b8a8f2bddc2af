#include "ui/main/LazyColumn.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/ScrollAreaFocus.hpp"

#include <QScrollBar>
#include <QTimer>

namespace zentrel::ui {

LazyColumn::LazyColumn(int margin, int spacing, QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(false);  // the window's canvas shows through
    keepOutOfTabOrder(*this);
    auto* content = new QWidget;
    column_ = new QVBoxLayout(content);
    column_->setContentsMargins(margin, margin, margin, margin);
    column_->setSpacing(spacing);
    column_->addStretch();
    setWidget(content);
    const auto near = [this] {
        // After the layout settles: building inside its signals would build again at once.
        if (fetchQueued_ || !hasMore()) return;
        fetchQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            fetchQueued_ = false;
            fetchIfNearEnd();
        });
    };
    QObject::connect(verticalScrollBar(), &QScrollBar::valueChanged, this, near);
    QObject::connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, near);
}

void LazyColumn::addFixed(QWidget* widget) { column_->insertWidget(fixedCount_++, widget); }

void LazyColumn::append(QWidget* widget) {
    column_->insertWidget(column_->count() - 1, widget);
    shown_.push_back(widget);
}

void LazyColumn::start(Step step) {
    retireWidgets(column_, shown_);
    shown_.clear();
    step_ = std::move(step);
    fetchMore();
}

void LazyColumn::fetchMore() {
    for (int built = 0; built < kBatch && step_; ++built) {
        if (!step_()) step_ = nullptr;
    }
}

void LazyColumn::fetchIfNearEnd() {
    const auto* bar = verticalScrollBar();
    if (bar->maximum() - bar->value() <= bar->pageStep()) fetchMore();
}

}  // namespace zentrel::ui
