#include "ui/main/SmartCleanupView.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/MotionPreference.hpp"
#include "ui/design/NamedColors.hpp"
#include "ui/design/PageLanding.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/SectionReveal.hpp"
#include "ui/design/StatusPill.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/main/CleanConfirmationDialog.hpp"
#include "ui/main/CleanedView.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/presenters/PlanSummaryText.hpp"
#include "viewmodels/CleanFigureText.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QProgressBar>

namespace zentrel::ui {
namespace {

constexpr std::size_t kTopPicks = 8;

QString filled(const char* key, const QStringList& values = {}) { return localizedText(key, values); }

QString bytes(std::int64_t count) { return fileSizeText(count); }

}  // namespace

SmartCleanupView::SmartCleanupView(viewmodels::ScanViewModel& viewModel, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel) {
    column_ = scrollingColumn(*this, 24, 16);

    presenter_ = [](SmartCleanupView& view) {
        auto confirmation = cleanConfirmation(view.viewModel_);
        confirmation.title = view.confirmationTitle().toStdString();
        confirmation.deleteLabel = view.confirmationDeleteLabel().toStdString();
        // The view may be gone when the dialog answers: it is the dialog's parent.
        auto* dialog = new CleanConfirmationDialog(confirmation, &view);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(dialog, &QDialog::finished, &view, [&view, dialog, confirmation](int result) {
            if (result == QDialog::Accepted) {
                view.confirmClean(confirmation);
            } else {
                view.cancelClean();
            }
        });
        dialog->open();
    };
    observers_.push_back(viewModel_.result.observe([this](const auto&) { refresh(); }));
    observers_.push_back(viewModel_.isBackgroundScanning.observe([this](const auto&) { refresh(); }));
    observers_.push_back(viewModel_.scanState.observe([this](const auto&) {
        showProgress();
        confirmScannedPlan();
        noteCleanResult();
    }));
    rebuild(plan());
}

viewmodels::SmartCleanupPlan SmartCleanupView::plan() const { return viewModel_.smartCleanupPlan(); }

bool SmartCleanupView::canApplyPlan() const {
    if (viewModel_.result().items.empty() && !viewModel_.prefs().hasSmartCleanupPlan()) return false;
    return !viewModel_.isBackgroundScanning();
}

std::int64_t SmartCleanupView::planItemCount() const { return planItemCount(plan()); }

std::int64_t SmartCleanupView::planItemCount(const viewmodels::SmartCleanupPlan& current) const {
    if (!current.items.empty()) return static_cast<std::int64_t>(current.items.size());
    const auto stored = viewModel_.prefs().lastSmartCleanupPlan();
    return stored ? stored->itemCount : 0;
}

void SmartCleanupView::apply() {
    if (plan().isSummaryOnly) {
        // The stored plan is verified by a fresh scan; its plan is then
        // confirmed as any other before anything is deleted.
        confirmAfterScan_ = true;
        startSmartScan();
        return;
    }
    selectionBeforeConfirm_.clear();
    for (const auto& item : viewModel_.selectedItems()) selectionBeforeConfirm_.insert(item.id);
    viewModel_.selectSmartCleanupItems();
    showCleanConfirm_ = true;
    if (presenter_) presenter_(*this);
}

void SmartCleanupView::startSmartScan() {
    viewModel_.resetScan(true);
    viewModel_.startScan(false, true, false, false);
}

QString SmartCleanupView::selectedFigure() const {
    const auto selected = viewModel_.selectedItems();
    return QString::fromStdString(
        viewmodels::cleanFigureText(viewModel_.result().selectedBytes(), viewmodels::trackerCookieCount(selected)));
}

QString SmartCleanupView::confirmationTitle() const { return filled("Clean %@?", {selectedFigure()}); }

QString SmartCleanupView::confirmationDeleteLabel() const { return filled("Delete %@", {selectedFigure()}); }

void SmartCleanupView::confirmClean() { confirmClean(cleanConfirmation(viewModel_)); }

void SmartCleanupView::confirmClean(const CleanConfirmation& confirmation) {
    showCleanConfirm_ = false;
    awaitingResult_ = ui::confirmClean(viewModel_, confirmation);
}

void SmartCleanupView::noteCleanResult() {
    const auto& state = viewModel_.scanState();
    const auto* cleaned = std::get_if<model::scan_state::Cleaned>(&state);
    if (awaitingResult_) {
        if (std::holds_alternative<model::scan_state::Cleaning>(state)) return;
        awaitingResult_ = false;
        if (cleaned != nullptr) result_ = *cleaned;
    } else if (result_ && cleaned == nullptr) {
        result_.reset();
    } else {
        return;
    }
    refresh();
}

void SmartCleanupView::cancelClean() {
    if (!showCleanConfirm_) return;
    showCleanConfirm_ = false;
    viewModel_.selectOnly(selectionBeforeConfirm_, std::nullopt);
}

void SmartCleanupView::addCard(QWidget* card, double revealDelay) {
    column_->insertWidget(column_->count() - 1, card);
    cards_.push_back(card);
    if (revealDelay > 0) new SectionReveal(card, revealDelay, reducedMotion());
}

QString SmartCleanupView::layoutKey(const viewmodels::SmartCleanupPlan& current) const {
    const auto result = result_ ? QString("cleaned:%1:%2:").arg(result_->freedBytes).arg(result_->trackerCookies) : QString();
    return result + planKey(current);
}

QString SmartCleanupView::planKey(const viewmodels::SmartCleanupPlan& current) const {
    if (canApplyPlan() && current.totalBytes >= 1) {
        return QString("plan:%1:%2:%3:%4:%5")
            .arg(current.totalBytes)
            .arg(current.trackerCookies)
            .arg(current.items.size())
            .arg(current.categories.size())
            .arg(current.isSummaryOnly);
    }
    return viewModel_.isBackgroundScanning() ? "scanning" : "empty";
}

void SmartCleanupView::refresh() {
    // The cards change once the clean's result is in, not as its items go.
    if (awaitingResult_) return;
    const auto current = plan();
    if (layoutKey(current) != shownKey_) rebuild(current);
}

void SmartCleanupView::confirmScannedPlan() {
    const auto& scanState = viewModel_.scanState();
    if (!confirmAfterScan_ || std::holds_alternative<model::scan_state::Idle>(scanState) ||
        std::holds_alternative<model::scan_state::Scanning>(scanState))
        return;
    confirmAfterScan_ = false;
    const auto current = plan();
    if (!current.isSummaryOnly && !current.items.empty()) apply();
}

void SmartCleanupView::showProgress() {
    // The scan's phase never changes the cards: a running scan's bar moves in place.
    if (progress_ == nullptr) return;
    const auto* scanning = std::get_if<model::scan_state::Scanning>(&viewModel_.scanState());
    progress_->setValue(scanning ? static_cast<int>(scanning->progress * 1000) : 0);
    progressMessage_->setText(scanning && !scanning->message.empty() ? QString::fromStdString(scanning->message)
                                                                      : filled("Scanning your Mac\u2026"));
}

void SmartCleanupView::rebuild(const viewmodels::SmartCleanupPlan& current) {
    shownKey_ = layoutKey(current);
    progress_ = nullptr;
    progressMessage_ = nullptr;
    // The focus on a card that goes (the pressed Apply) moves to the new
    // cards before the old ones hide, never to the sidebar.
    const bool focused = holdsFocus(*this);
    const auto retired = std::move(cards_);
    cards_.clear();
    primary_ = nullptr;
    statusLine_ = nullptr;
    if (column_->count() == 0) column_->addStretch();

    const bool showPlan = canApplyPlan() && current.totalBytes >= 1;
    if (result_) addCard(resultCard(*result_), 0);
    addCard(planCard(current, showPlan), 0);
    if (showPlan) {
        addCard(byCategoryCard(current), 0.06);
        if (current.isSummaryOnly) {
            addCard(noteCard("clock.arrow.circlepath",
                             filled(N_("Plan restored from your last scan. Applying will rescan to verify items before "
                                    "cleaning."))),
                    0.12);
        } else {
            addCard(topPicksCard(current), 0.12);
        }
    } else if (viewModel_.isBackgroundScanning()) {
        addCard(scanningCard(), 0.06);
    } else {
        addCard(emptyCard(), 0.06);
    }
    if (focused && !cards_.empty()) focusLanding(*cards_.front());
    retireWidgets(column_, retired);
}

QWidget* SmartCleanupView::planCard(const viewmodels::SmartCleanupPlan& current, bool showPlan) {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 16, content);

    auto* header = new QHBoxLayout;
    auto* sparkles = symbolLabel("sparkles", DesignTokens::headerIconFont(), DesignTokens::ai(), body);
    sparkles->setAccessibleName({});
    header->addWidget(sparkles, 0, Qt::AlignTop);
    QVBoxLayout* titles = nullptr;
    auto* titleStack = stackWidget(body, 2, titles);
    titles->addWidget(tokenLabel(filled("Smart Cleanup"), DesignTokens::titleFont(), DesignTokens::textPrimary(), titleStack));
    titles->addWidget(tokenLabel(filled(N_("On-device safety rules \u2014 nothing leaves your Mac.")),
                                 DesignTokens::detailFont(), DesignTokens::textSecondary(), titleStack));
    header->addWidget(titleStack, 1);
    content->addLayout(header);

    if (showPlan) {
        auto* totalRow = new QHBoxLayout;
        totalRow->addWidget(tokenLabel(bytes(current.totalBytes), DesignTokens::heroNumberFont(),
                                       DesignTokens::textPrimary(), body), 0, Qt::AlignBaseline);
        totalRow->addWidget(tokenLabel(filled(N_("recommended")), DesignTokens::displayFont(),
                                       DesignTokens::textSecondary(), body), 0, Qt::AlignBaseline);
        totalRow->addStretch();
        content->addLayout(totalRow);
        body->setAccessibleDescription(filled(N_("Recommended cleanup: %@"), {bytes(current.totalBytes)}));
        const auto counts = safeItemsAcrossCategories(planItemCount(current),
                                                      static_cast<long long>(current.categories.size()));
        statusLine_ = tokenLabel(QString::fromStdString(counts),
                                 DesignTokens::bodyFont(), DesignTokens::textSecondary(), body);
        content->addWidget(statusLine_);
        primary_ = new PrimaryButton(filled(N_("Apply plan & clean %@"),
                                            {QString::fromStdString(
                                                viewmodels::cleanFigureText(current.totalBytes, current.trackerCookies))}), QString("sparkles"),
                                     PrimaryButton::Variant::accent, true, [this] { apply(); }, body);
        primary_->setAccessibleDescription(filled(N_("Selects all safe items and opens the clean confirmation.")));
        content->addWidget(primary_);
    } else if (viewModel_.isBackgroundScanning()) {
        statusLine_ = tokenLabel(filled(N_("Building your plan from the scan in progress\u2026")), DesignTokens::bodyFont(),
                                 DesignTokens::textSecondary(), body);
        content->addWidget(statusLine_);
    } else {
        primary_ = new PrimaryButton(filled(N_("Start Smart Scan")), QString("magnifyingglass"),
                                     PrimaryButton::Variant::accent, true, [this] { startSmartScan(); }, body);
        primary_->setAccessibleDescription(filled(N_("Scans your Mac to build a cleanup recommendation.")));
        content->addWidget(primary_);
    }
    return new GlassCard(GlassCard::Variant::accent, 24, 14, false, body);
}

QWidget* SmartCleanupView::byCategoryCard(const viewmodels::SmartCleanupPlan& current) {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 12, content);
    content->addWidget(tokenLabel(filled(N_("By category")), DesignTokens::titleFont(), DesignTokens::textPrimary(), body));
    for (const auto& summary : current.categories) {
        auto* row = new QWidget(body);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        const auto iconName = model::icon(summary.category);
        auto* icon = symbolLabel(QString::fromUtf8(iconName.data(), static_cast<qsizetype>(iconName.size())),
                            DesignTokens::rowIconFont(),
                            namedColor(model::color(summary.category)), row);
        icon->setFixedWidth(18);
        line->addWidget(icon);
        const auto name = QString::fromStdString(viewModel_.categoryTitle(summary.category));
        line->addWidget(tokenLabel(name, DesignTokens::bodyFont(), DesignTokens::textPrimary(), row));
        line->addWidget(tokenLabel(filled(N_COUNTED("%lld items"), {countText(summary.itemCount)}),
                                   DesignTokens::detailFont(), DesignTokens::textSecondary(), row));
        line->addStretch();
        const auto figure = QString::fromStdString(planCategoryFigure(summary));
        line->addWidget(tokenLabel(figure, DesignTokens::bodyFont(), DesignTokens::textPrimary(), row));
        row->setAccessibleName(filled(N_COUNTED("%@, %lld items, %@"), {name, countText(summary.itemCount), figure}));
        content->addWidget(row);
    }
    return new GlassCard(GlassCard::Variant::primary, 16, 14, false, body);
}

QWidget* SmartCleanupView::topPicksCard(const viewmodels::SmartCleanupPlan& current) {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 12, content);
    content->addWidget(tokenLabel(filled(N_("Top picks")), DesignTokens::titleFont(), DesignTokens::textPrimary(), body));
    for (std::size_t i = 0; i < std::min(kTopPicks, current.items.size()); ++i) {
        const auto& item = current.items[i];
        auto* row = new QWidget(body);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        QVBoxLayout* names = nullptr;
        auto* nameStack = stackWidget(row, 2, names);
        names->addWidget(tokenLabel(QString::fromStdString(item.displayTitle()), DesignTokens::bodyFont(),
                                    DesignTokens::textPrimary(), nameStack));
        names->addWidget(tokenLabel(QString::fromStdString(viewModel_.categoryTitle(item.category)),
                                    DesignTokens::detailFont(), DesignTokens::textSecondary(), nameStack));
        line->addWidget(nameStack, 1);
        line->addWidget(tokenLabel(bytes(item.sizeBytes), DesignTokens::bodyFont(), DesignTokens::textSecondary(), row));
        line->addWidget(new StatusPill(filled(N_("Safe")), {}, StatusPill::Variant::safe, row));
        content->addWidget(row);
    }
    if (current.items.size() > kTopPicks) {
        content->addWidget(tokenLabel(filled(N_COUNTED("and %lld more items"), {countText(current.items.size() - kTopPicks)}),
                                      DesignTokens::detailFont(), DesignTokens::textTertiary(), body));
    }
    return new GlassCard(GlassCard::Variant::primary, 16, 14, false, body);
}

QWidget* SmartCleanupView::noteCard(const QString& symbolName, const QString& text) {
    auto* body = new QWidget;
    auto* line = new QHBoxLayout(body);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(symbolLabel(symbolName, DesignTokens::rowIconFont(), DesignTokens::textSecondary(), body), 0,
                    Qt::AlignTop);
    auto* label = tokenLabel(text, DesignTokens::detailFont(), DesignTokens::textSecondary(), body);
    label->setWordWrap(true);
    line->addWidget(label, 1);
    return new GlassCard(GlassCard::Variant::primary, 16, 14, false, body);
}

QWidget* SmartCleanupView::resultCard(const model::scan_state::Cleaned& cleaned) {
    const auto page = cleanedPage(cleaned.freedBytes, viewModel_.foundBytes(), cleaned.trackerCookies);
    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(cleanedResult(page, body));
    return new GlassCard(GlassCard::Variant::primary, 24, 14, false, body);
}

QWidget* SmartCleanupView::scanningCard() {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 8, content);
    const auto* scanning = std::get_if<model::scan_state::Scanning>(&viewModel_.scanState());
    progress_ = new QProgressBar(body);
    progress_->setRange(0, 1000);
    progress_->setValue(scanning ? static_cast<int>(scanning->progress * 1000) : 0);
    progress_->setTextVisible(false);
    content->addWidget(progress_);
    const auto message = scanning && !scanning->message.empty() ? QString::fromStdString(scanning->message)
                                                                 : filled("Scanning your Mac\u2026");
    progressMessage_ = tokenLabel(message, DesignTokens::bodyFont(), DesignTokens::textSecondary(), body);
    content->addWidget(progressMessage_, 0, Qt::AlignHCenter);
    return new GlassCard(GlassCard::Variant::primary, 16, 14, false, body);
}

QWidget* SmartCleanupView::emptyCard() {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 8, content);
    content->setContentsMargins(0, 12, 0, 12);
    content->addWidget(symbolLabel("checkmark.circle.fill", DesignTokens::emptyStateIconFont(), DesignTokens::health(), body),
                       0, Qt::AlignHCenter);
    content->addWidget(tokenLabel(filled(N_("Nothing to recommend")), DesignTokens::headlineFont(),
                                  DesignTokens::textPrimary(), body), 0, Qt::AlignHCenter);
    auto* hint = tokenLabel(filled(N_("Run a scan \u2014 we'll suggest only items our safety rules mark as safe to delete.")),
                            DesignTokens::bodyFont(), DesignTokens::textSecondary(), body);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignHCenter);
    content->addWidget(hint);
    body->setAccessibleName(filled(N_("Nothing to recommend. Run a scan to get suggestions.")));
    return new GlassCard(GlassCard::Variant::primary, 16, 14, false, body);
}

QStringList SmartCleanupView::shownTexts() const {
    QStringList texts;
    for (auto* card : cards_) {
        for (auto* label : card->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) texts << label->text();
        }
        for (auto* button : card->findChildren<QPushButton*>()) texts << button->text();
    }
    return texts;
}

}  // namespace zentrel::ui
