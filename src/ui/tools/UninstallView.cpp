#include "ui/tools/UninstallView.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/presenters/UninstallDetailPresenter.hpp"
#include "ui/presenters/UninstallPresenter.hpp"
#include "ui/tools/ToolDialogs.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }

enum ContentPage { kLoadingPage, kEmptyPage, kListPage };

// The search field's rounded backdrop.
class SearchBackdrop final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(DesignTokens::neutralTint().resolve(palette()));
        painter.drawRoundedRect(QRectF(rect()), 8, 8);
    }
};

}  // namespace

UninstallView::UninstallView(std::unique_ptr<viewmodels::UninstallViewModel> viewModel, QWidget* parent)
    : QWidget(parent), viewModel_(std::move(viewModel)) {
    setAccessibleName(localizedText(UninstallTexts::title));
    auto* column = new QVBoxLayout(this);
    // In line with the pane's title above it.
    column->setContentsMargins(24, 8, 24, 16);
    column->setSpacing(12);

    // The pane's title above names the page: the search field leads the
    // page, the count and the refresh button beside it.
    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    count_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
    auto* refresh = new QToolButton(this);
    followAppearance(refresh, [refresh] {
        const int side = refresh->fontMetrics().height();
        refresh->setIcon(QIcon(tintedSymbol("arrow.clockwise", side, DesignTokens::textSecondary().resolve(appPalette()),
                                            refresh->devicePixelRatioF())));
        refresh->setIconSize(QSize(side, side));
    });
    refresh->setAutoRaise(true);
    setPlainToolTip(*refresh, localizedText(UninstallTexts::refreshHelp));
    refresh->setAccessibleName(localizedText(UninstallTexts::refreshHelp));
    connect(refresh, &QToolButton::clicked, this, [this] { viewModel_->loadApps(); });

    auto* searchBox = new SearchBackdrop(this);
    auto* searchRow = new QHBoxLayout(searchBox);
    searchRow->setContentsMargins(12, 6, 12, 6);
    searchRow->setSpacing(8);
    searchRow->addWidget(symbolLabel("magnifyingglass", DesignTokens::bodyFont(), DesignTokens::textTertiary(), searchBox));
    search_ = new QLineEdit(searchBox);
    search_->setFrame(false);
    search_->setFont(DesignTokens::bodyFont().font());
    search_->setPlaceholderText(localizedText(UninstallTexts::searchPlaceholder));
    search_->setAccessibleName(localizedText(UninstallTexts::searchPlaceholder));
    search_->setStyleSheet("QLineEdit { background: transparent; }");
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& query) {
        viewModel_->query.set(query.toStdString());
    });
    searchRow->addWidget(search_, 1);
    header->addWidget(searchBox, 1);
    header->addWidget(count_);
    header->addWidget(refresh);
    column->addLayout(header);

    content_ = new QStackedWidget(this);
    auto* loading = new QWidget;
    auto* loadingRow = new QHBoxLayout(loading);
    loadingRow->setSpacing(8);
    loadingRow->addStretch();
    loadingRow->addWidget(busyIndicator(loading));
    loadingRow->addWidget(tokenLabel(localizedText(UninstallTexts::loadingApps), DesignTokens::bodyFont(),
                                     DesignTokens::textSecondary(), loading));
    loadingRow->addStretch();
    content_->insertWidget(kLoadingPage, loading);

    auto* emptyPage = new QWidget;
    auto* emptyColumn = new QVBoxLayout(emptyPage);
    emptyColumn->setSpacing(8);
    emptyColumn->addStretch();
    emptyColumn->addWidget(symbolLabel("magnifyingglass", DesignTokens::emptyStateIconFont(), DesignTokens::textTertiary(),
                                       emptyPage),
                           0, Qt::AlignHCenter);
    empty_ = tokenLabel({}, DesignTokens::bodyFont(), DesignTokens::textSecondary(), emptyPage);
    empty_->setAlignment(Qt::AlignHCenter);
    empty_->setWordWrap(true);
    emptyColumn->addWidget(empty_);
    emptyColumn->addStretch();
    content_->insertWidget(kEmptyPage, emptyPage);

    model_ = new AppListModel(this);
    list_ = new AppListView(
        model_,
        [this](const model::InstalledApp& app) {
            // The sheet of an open application takes the clicks until it closes.
            if (!viewModel_->selectedApp()) viewModel_->selectApp(app);
        },
        this);
    list_->setAccessibleName(localizedText(UninstallTexts::title));
    content_->insertWidget(kListPage, list_);
    // The list stands on a card, as the other pages' content does.
    column->addWidget(new GlassCard(GlassCard::Variant::primary, 6, 14, false, content_), 1);

    auto& vm = *viewModel_;
    const auto changed = [this](const auto&) { showContent(); };
    observers_.push_back(vm.apps.observe(changed));
    observers_.push_back(vm.query.observe(changed));
    observers_.push_back(vm.isLoadingApps.observe(changed));
    observers_.push_back(vm.selectedApp.observe([this](const auto&) { showSheet(); }));
    observers_.push_back(vm.lastFreedBytes.observe([this](const std::optional<std::int64_t>& freed) {
        // After the removal's other results are in: the message reads them.
        if (freed) QMetaObject::invokeMethod(this, [this] { showResult(); }, Qt::QueuedConnection);
    }));
    showContent();
}

UninstallView::~UninstallView() {
    observers_.clear();
    delete sheet_.data();
}

UninstallContent UninstallView::content() const { return uninstallContent(*viewModel_); }

void UninstallView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (appeared_) return;
    appeared_ = true;
    if (loadsOnAppearance(*viewModel_)) viewModel_->loadApps();
}

void UninstallView::showContent() {
    auto& vm = *viewModel_;
    count_->setText(text(uninstallCountText(vm)));
    if (search_->text().toStdString() != vm.query()) search_->setText(text(vm.query()));
    switch (uninstallContent(vm)) {
    case UninstallContent::loading: content_->setCurrentIndex(kLoadingPage); break;
    case UninstallContent::empty:
        empty_->setText(text(uninstallEmptyText(vm.query())));
        content_->setCurrentIndex(kEmptyPage);
        break;
    case UninstallContent::list:
        model_->setApps(vm.filteredApps());
        content_->setCurrentIndex(kListPage);
        break;
    }
}

void UninstallView::showSheet() {
    const auto& selected = viewModel_->selectedApp();
    if (sheet_ && (!selected || !(sheet_->app() == *selected))) {
        // Closed by the view model (a removal ended) or replaced by another application.
        auto* closing = sheet_.data();
        sheet_ = nullptr;
        closing->hide();
        closing->deleteLater();
    }
    if (selected && !sheet_) {
        sheet_ = new UninstallDetailSheet(*viewModel_, *selected, this);
        sheet_->setAttribute(Qt::WA_DeleteOnClose);
        sheet_->open();
    }
}

void UninstallView::showResult() {
    auto& vm = *viewModel_;
    if (!vm.lastFreedBytes()) return;
    showAlert(this, localizedText(UninstallTexts::resultTitle),
              text(uninstallResultMessage(vm.lastFreedBytes(), vm.failureCount())), localizedText(UninstallTexts::ok),
              [this] { viewModel_->lastFreedBytes.set(std::nullopt); });
}

}  // namespace zentrel::ui
