#include "app/shell/ContentView.hpp"

#include "ui/design/AppCanvas.hpp"

#include <QEvent>
#include <QVBoxLayout>

namespace zentrel::app {

ContentView::ContentView(QWidget* sidebar, QWidget* detail, QWidget* parent) : QWidget(parent) {
    // The window's smallest size, 900 x 600, holds the menu bar as well: the
    // content takes what is left, so nothing is pushed off the bottom.
    setMinimumWidth(900);
    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setChildrenCollapsible(false);
    sidebar->setMinimumWidth(kSidebarMinimumWidth);
    sidebar->setMaximumWidth(kSidebarMaximumWidth);
    splitter_->addWidget(sidebar);
    splitter_->addWidget(detail);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kSidebarIdealWidth, 900 - kSidebarIdealWidth});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new ui::AppCanvas(splitter_, platform::SystemClock::shared(), this));
}

void ContentView::setBanner(QWidget* banner) {
    banner_ = banner;
    banner_->setParent(this);
    banner_->raise();
    placeBanner();
}

void ContentView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBanner();
}

bool ContentView::event(QEvent* event) {
    if (event->type() == QEvent::LayoutRequest) placeBanner();
    return QWidget::event(event);
}

void ContentView::placeBanner() {
    if (banner_ == nullptr) return;
    const auto size = banner_->sizeHint().boundedTo(this->size());
    banner_->setGeometry(width() - size.width() - kBannerInset, height() - size.height() - kBannerInset,
                         size.width(), size.height());
}

}  // namespace zentrel::app
