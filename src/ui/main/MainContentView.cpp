#include "ui/main/MainContentView.hpp"

#include "platform/files/AtomicFile.hpp"
#include "platform/text/Localization.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/KeptFocus.hpp"
#include "ui/design/PageLanding.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/design/TabOrder.hpp"
#include "ui/main/CategoryScanPromptView.hpp"
#include "ui/main/CleanedView.hpp"
#include "ui/main/CleaningView.hpp"
#include "ui/main/DiskSpaceView.hpp"
#include "ui/main/ErrorView.hpp"
#include "ui/main/PlaceholderPage.hpp"
#include "ui/main/ResultsView.hpp"
#include "ui/main/ScanProgressViews.hpp"
#include "ui/main/SmartCleanupView.hpp"
#include "ui/main/SweepLogView.hpp"

namespace zentrel::ui {
namespace {

using Kind = DetailRoute::Kind;

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The name a page of the app's other parts shows until this build has it.
QString pageName(const DetailRoute& route) {
    switch (route.kind) {
    case Kind::settings: return localizedText("Settings");
    case Kind::features: return localizedText("Vietnamese Typing");
    case Kind::boost: return localizedText("Boost");
    case Kind::uninstall: return localizedText("Uninstall Apps");
    default: return {};
    }
}

}  // namespace

MainContentView::MainContentView(viewmodels::ScanViewModel& viewModel, const platform::Clock& clock,
                                 MainPageServices services, PageFactory pages,
                                 std::unique_ptr<MainContentDialogs> dialogs, QWidget* parent)
    : QWidget(parent),
      viewModel_(viewModel),
      clock_(clock),
      services_(std::move(services)),
      pages_(std::move(pages)),
      dialogs_(std::move(dialogs)) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    auto* header = new QWidget(this);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(24, 16, 24, 8);
    // Where the header is narrow the title gives way, never a button's figure.
    title_ = elidedTokenLabel({}, DesignTokens::titleFont(), DesignTokens::textPrimary(), Qt::ElideRight, header);
    headerRow->addWidget(title_, 1);
    toolbar_ = new QHBoxLayout;
    toolbar_->setSpacing(8);
    headerRow->addLayout(toolbar_);
    layout_->addWidget(header);

    failureCount_ = viewModel_.cleanFailures().size();
    const auto changed = [this](const auto&) { refresh(); };
    observers_.push_back(viewModel_.scanState.observe(changed));
    observers_.push_back(viewModel_.sidebarSelection.observe(changed));
    observers_.push_back(viewModel_.isBackgroundScanning.observe(changed));
    observers_.push_back(viewModel_.lazyScanningCategory.observe(changed));
    observers_.push_back(viewModel_.scannedCategories.observe(changed));
    observers_.push_back(viewModel_.result.observe([this](const auto&) { rebuildToolbar(); }));
    observers_.push_back(viewModel_.cleanFailures.observe(
        [this](const std::vector<model::CleanFailureInfo>& failures) { cleanFailuresChanged(failures.size()); }));
    observers_.push_back(viewModel_.showSweepLog.observe([this](bool show) { showSweepLog(show); }));
    // A new view mode renames the categories and changes the results lists at
    // once; the tool and settings pages name none and stay (the mode may have
    // been chosen on the settings page itself).
    observers_.push_back(viewModel_.prefs().viewModeChanged.subscribe([this](const auto&) {
        const auto kind = route_.kind;
        if (kind != Kind::settings && kind != Kind::features && kind != Kind::boost && kind != Kind::uninstall)
            hasRoute_ = false;
        refresh();
    }));
    refresh();
}

void MainContentView::refresh() {
    title_->setText(fromUtf8(navigationTitle(viewModel_)));
    const auto route = detailRoute(viewModel_);
    if (!hasRoute_ || !(route == route_)) showPage(route);
    rebuildToolbar();
}

void MainContentView::showPage(const DetailRoute& route) {
    route_ = route;
    hasRoute_ = true;
    // A page that comes of what was done here takes the focus before the old
    // one goes, so it never falls to the sidebar; chosen in the sidebar, it leaves it there.
    const bool actedHere = holdsFocus(*this);
    auto* retired = page_;
    page_ = makePage(route);
    layout_->addWidget(page_, 1);
    // A page with nothing to focus (an empty state) leaves it on the pane's title, which names it.
    if (actedHere && !focusLanding(*page_)) title_->setFocus(Qt::OtherFocusReason);
    if (retired != nullptr) retireWidgets(layout_, std::vector<QWidget*>{retired});
}

QWidget* MainContentView::makePage(const DetailRoute& route) {
    const ItemRowServices rows{viewModel_, services_.clipboard, services_.timers, services_.homeFolder};
    switch (route.kind) {
    case Kind::smartCleanup: return new SmartCleanupView(viewModel_, this);
    case Kind::scanning: return new ScanningView(viewModel_, this);
    case Kind::cleaning: return new CleaningView(viewModel_, this);
    case Kind::cleaned: return new CleanedView(viewModel_, route.freedBytes, route.leftBytes, route.trackerCookies, this);
    case Kind::error: return new ErrorView(viewModel_, route.message, this);
    case Kind::overview:
        return new DiskSpaceView(viewModel_, DiskInfo::current(services_.homeFolder), clock_,
                                 [this](const CleanConfirmation& confirmation) { confirm(confirmation); }, this);
    case Kind::results: return new ResultsView(rows, services_.previewPanel, services_.thumbnails, this);
    case Kind::categoryWaiting: return new CategoryWaitingView(viewModel_, this);
    case Kind::categoryPrompt: return new CategoryScanPromptView(viewModel_, *route.category, this);
    case Kind::settings:
    case Kind::features:
    case Kind::boost:
    case Kind::uninstall: break;
    }
    if (pages_) {
        if (auto* page = pages_(route, this)) return page;
    }
    return new PlaceholderPage(pageName(route), this);
}

void MainContentView::rebuildToolbar() {
    auto items = toolbarItems(viewModel_);
    if (items == shownItems_) return;
    shownItems_ = std::move(items);
    // A pressed button that is built again keeps the focus; the old ones go after.
    const KeptFocus focus(*title_->parentWidget());
    const auto retired = std::move(buttons_);
    buttons_.clear();
    for (const auto& item : shownItems_) {
        const auto title = fromUtf8(item.title);
        const auto action = item.action;
        QPushButton* button = nullptr;
        if (action == ToolbarAction::clean || (!item.symbol.empty() && action != ToolbarAction::exportReport)) {
            button = new PrimaryButton(title, fromUtf8(item.symbol),
                                       item.destructive ? PrimaryButton::Variant::danger : PrimaryButton::Variant::accent,
                                       false, [this, action] { trigger(action); }, this);
        } else {
            button = new QPushButton(buttonText(title), this);
            if (!item.symbol.empty()) {
                const auto symbol = fromUtf8(item.symbol);
                followAppearance(button, [button, symbol] {
                    const auto size = button->fontMetrics().height();
                    button->setIcon(QIcon(tintedSymbol(symbol, size, appPalette().color(QPalette::ButtonText),
                                                       button->devicePixelRatioF())));
                });
            }
            connect(button, &QPushButton::clicked, this, [this, action] { trigger(action); });
        }
        button->setEnabled(item.enabled);
        button->setAccessibleName(title);
        if (!item.hint.empty()) {
            button->setAccessibleDescription(fromUtf8(item.hint));
            setPlainToolTip(*button, fromUtf8(item.hint));
        }
        setFocusKey(*button, QString::number(static_cast<int>(action)));
        toolbar_->addWidget(button);
        buttons_.push_back(button);
    }
    focus.restore(std::vector<QWidget*>(buttons_.begin(), buttons_.end()));
    retireWidgets(toolbar_, retired);
    // The header's buttons come before the page under them.
    if (!buttons_.empty() && page_ != nullptr) placeAfterInTabOrder(*buttons_.back(), *page_);
}

void MainContentView::trigger(ToolbarAction action) {
    switch (action) {
    case ToolbarAction::exportReport: exportReport(); return;
    case ToolbarAction::clean: requestClean(); return;
    case ToolbarAction::cancelScan:
    case ToolbarAction::fullScan:
    case ToolbarAction::scanCategory: performScanAction(action, viewModel_); return;
    }
}

void MainContentView::requestClean() { confirm(cleanConfirmation(viewModel_)); }

void MainContentView::confirm(const CleanConfirmation& confirmation) {
    if (confirmation.itemIds.empty()) return;
    dialogs_->confirmClean(*this, confirmation, [this, confirmation] { confirmClean(viewModel_, confirmation); });
}

void MainContentView::exportReport() {
    // The report is taken before the dialog opens: it describes what the user saw.
    const auto report = viewModel_.exportReport();
    const auto file = dialogs_->chooseReportFile(*this, "Zentrel-Report.txt");
    if (!file) return;
    if (const auto error = platform::writeFileAtomically(file->toStdString(), report)) {
        dialogs_->showWarning(*this, localizedText("The report could not be saved"), fromUtf8(*error));
    }
}

void MainContentView::cleanFailuresChanged(std::size_t count) {
    const bool raise = count != failureCount_ && count > 0;
    failureCount_ = count;
    if (!raise) return;
    // The clean that left them is the last one recorded.
    const auto history = viewModel_.prefs().cleaningHistory();
    const auto freed = history.empty() ? 0 : history.back().freedBytes;
    dialogs_->showCleanFailures(*this, localizedText(kCleanFailureAlertTitle),
                                fromUtf8(cleanFailureMessage(viewModel_.cleanFailures(), freed)), [this](bool viewInResults) {
                                    if (viewInResults) viewModel_.showFirstFailure();
                                    viewModel_.cleanFailures.set({});
                                });
}

void MainContentView::showSweepLog(bool show) {
    if (!show) {
        if (sheet_) sheet_->close();
        return;
    }
    if (sheet_) {
        sheet_->raise();
        sheet_->activateWindow();
        return;
    }
    // A window of its own beside the main one: the sidebar and pages keep working while it is open.
    sheet_ = new QDialog(this);
    sheet_->setAttribute(Qt::WA_DeleteOnClose);
    sheet_->setWindowModality(Qt::NonModal);
    sheet_->setWindowTitle(localizedText("Sweep Log"));
    auto* layout = new QVBoxLayout(sheet_);
    if (viewModel_.lastSweepRecord()) layout->addWidget(new SweepLogView(viewModel_, clock_, platform::Localization::shared().language(), sheet_));
    connect(sheet_, &QDialog::finished, this, [this] {
        if (viewModel_.showSweepLog()) viewModel_.showSweepLog.set(false);
    });
    // open() would make it window-modal.
    sheet_->show();
}

}  // namespace zentrel::ui
