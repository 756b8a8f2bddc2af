#include "ui/main/PrivacySweepResultsView.hpp"

#include "model/CookieDomains.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/KeptFocus.hpp"
#include "ui/design/NamedColors.hpp"
#include "ui/design/ScrollAreaFocus.hpp"
#include "ui/design/StatusPill.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/presenters/PrivacyTargetText.hpp"
#include "viewmodels/CleanFigureText.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QScrollArea>

namespace zentrel::ui {
namespace {

QString text(const char* key) { return localizedText(key); }

QString withCount(const char* key, std::int64_t count) { return localizedText(key, {countText(count)}); }

QLabel* symbol(const QString& name, const FontToken& font, const ColorToken& color, QWidget* parent) {
    return symbolLabel(name, font, color, parent);
}

StatusPill* kindPill(model::PrivacyKind kind, QWidget* parent) {
    switch (kind) {
    case model::PrivacyKind::trackerCookie:
        return new StatusPill(text(N_("Tracker")), "checkmark.shield", StatusPill::Variant::safe, parent);
    case model::PrivacyKind::browsingHistory:
    case model::PrivacyKind::recentsList:
        return new StatusPill(text(N_("Review")), "exclamationmark.triangle", StatusPill::Variant::review, parent);
    case model::PrivacyKind::pasteboardInsight:
        return new StatusPill(text(N_("AI")), "sparkles", StatusPill::Variant::ai, parent);
    }
    return new StatusPill(text(N_("Review")), "exclamationmark.triangle", StatusPill::Variant::review, parent);
}

}  // namespace

// ---- Target rows ----

std::optional<platform::Uuid> PrivacyTargetRow::itemID(const viewmodels::ScanViewModel& viewModel,
                                                       const model::PrivacyGroup& group,
                                                       const model::PrivacyTarget& target) {
    for (const auto& item : viewModel.result().items) {
        if (item.category != model::CategoryType::privacy || item.privacyGroupId != group.id) continue;
        if (item.path.empty() ? item.name == target.label : item.path == target.path) return item.id;
    }
    return std::nullopt;
}

PrivacyTargetRow::PrivacyTargetRow(viewmodels::ScanViewModel& viewModel, const model::PrivacyGroup& group,
                                   const model::PrivacyTarget& target, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), itemID_(itemID(viewModel, group, target)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    if (target.isBusy) {
        // Nothing to select: the card's detail line says what to do.
        row->addWidget(tokenLabel(localizedText(target.label), DesignTokens::bodyFont(),
                                  DesignTokens::textSecondary(), this));
    } else if (itemID_) {
        bool selected = false;
        for (const auto& item : viewModel_.result().items)
            if (item.id == *itemID_) selected = item.isSelected;
        auto* labels = new QVBoxLayout;
        labels->setSpacing(2);
        checkBox_ = new QCheckBox(buttonText(localizedText(target.label)), this);
        checkBox_->setFont(DesignTokens::bodyFont().font());
        checkBox_->setChecked(selected);
        checkBox_->setAccessibleName(QString::fromStdString(privacyTargetCheckBoxName(target)));
        checkBox_->setAccessibleDescription(selected ? text("Selected") : text(N_("Not selected")));
        setFocusKey(*checkBox_, QString::fromStdString(itemID_->string()));
        QObject::connect(checkBox_, &QCheckBox::clicked, this, [this](bool checked) { setChecked(checked); });
        labels->addWidget(checkBox_);
        if (!target.domains.empty()) {
            domains_ = tokenLabel(withCount(N_COUNTED("%lld domains"), static_cast<std::int64_t>(model::distinctCookieDomainCount(target.domains))),
                                  DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
            labels->addWidget(domains_);
        }
        row->addLayout(labels);
    }
    row->addStretch();
    figure_ = tokenLabel(QString::fromStdString(privacyTargetFigure(target)), DesignTokens::detailFont(),
                         DesignTokens::textSecondary(), this);
    row->addWidget(figure_);
}

void PrivacyTargetRow::setChecked(bool checked) {
    if (!itemID_) return;
    for (const auto& item : viewModel_.result().items) {
        if (item.id != *itemID_) continue;
        if (item.isSelected != checked) viewModel_.toggleItem(*itemID_);
        return;
    }
}

// ---- The page ----

PrivacySweepResultsView::PrivacySweepResultsView(viewmodels::ScanViewModel& viewModel, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel) {
    // Any number of groups: the page scrolls rather than growing the window.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    keepOutOfTabOrder(*scroll);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    column_ = new QVBoxLayout(content);
    scroll->setWidget(content);
    outer->addWidget(scroll);
    column_->setContentsMargins(16, 8, 16, 8);
    column_->setSpacing(12);
    resultObserver_ = viewModel_.result.observe([this](const auto&) { rebuild(); });
    rebuild();
}

QString PrivacySweepResultsView::groupSymbol(const model::PrivacyGroup& group) {
    if (group.browser) return *group.browser == model::BrowserKind::safari ? "safari.fill" : "globe";
    switch (group.kind) {
    case model::PrivacyKind::trackerCookie: return "globe";
    case model::PrivacyKind::browsingHistory: return "clock.arrow.circlepath";
    case model::PrivacyKind::recentsList: return "clock.fill";
    case model::PrivacyKind::pasteboardInsight: return "doc.on.clipboard";
    }
    return "globe";
}

void PrivacySweepResultsView::selectTrackers() {
    const auto count = viewModel_.result().items.size();
    for (std::size_t i = 0; i < count && i < viewModel_.result().items.size(); ++i) {
        const auto& item = viewModel_.result().items[i];
        if (item.category != model::CategoryType::privacy) continue;
        const bool tracker = item.subcategory.starts_with("priv:cookie") && !item.privacyStoreBusy;
        viewModel_.result.modify([i, tracker](model::ScanResult& r) { r.items[i].isSelected = tracker; });
    }
}

void PrivacySweepResultsView::deselectAll() { viewModel_.deselectAll(model::CategoryType::privacy); }

void PrivacySweepResultsView::rebuild() {
    // The old widgets go once the new ones hold the focus: a check box just
    // pressed keeps it through the rebuild its press caused.
    const KeptFocus focus(*column_->parentWidget());
    const auto retired = std::move(shown_);
    shown_.clear();
    cards_.clear();
    rows_.clear();
    header_ = nullptr;
    emptyState_ = nullptr;
    while (column_->count() > 0) delete column_->takeAt(0);
    build();
    focus.restore(shown_);
    retireWidgets(column_, retired);
}

void PrivacySweepResultsView::build() {

    const auto groups = viewModel_.privacyGroups();
    if (groups.empty()) {
        auto* inside = new QWidget;
        auto* stack = new QVBoxLayout(inside);
        stack->setSpacing(12);
        stack->addWidget(symbol("checkmark.shield.fill", DesignTokens::emptyStateIconFont(), DesignTokens::health(),
                                inside), 0, Qt::AlignHCenter);
        stack->addWidget(tokenLabel(text(N_("Nothing to sweep")), DesignTokens::headlineFont(), DesignTokens::textPrimary(),
                                    inside), 0, Qt::AlignHCenter);
        auto* hint = tokenLabel(text(N_("No tracker cookies or recents lists found. Enable optional scans in Settings.")),
                                DesignTokens::bodyFont(), DesignTokens::textSecondary(), inside);
        hint->setWordWrap(true);
        hint->setAlignment(Qt::AlignHCenter);
        stack->addWidget(hint);
        auto* card = new GlassCard(GlassCard::Variant::primary, 32, 14, false, inside, this);
        card->setMaximumWidth(400);
        emptyState_ = card;
        shown_.push_back(card);
        column_->addStretch();
        column_->addWidget(card, 0, Qt::AlignHCenter);
        column_->addStretch();
        return;
    }

    auto* headerRow = new QWidget(this);
    auto* header = new QHBoxLayout(headerRow);
    header->setContentsMargins(0, 2, 0, 2);
    header_ = tokenLabel(withCount(N_COUNTED("%lld privacy groups"), static_cast<std::int64_t>(groups.size())),
                         DesignTokens::bodyFont(), DesignTokens::textSecondary(), headerRow);
    header->addWidget(header_);
    header->addStretch();
    auto* trackers = new QPushButton(text(N_("Select Trackers")), headerRow);
    trackers->setFlat(true);
    setFocusKey(*trackers, "select trackers");
    QObject::connect(trackers, &QPushButton::clicked, this, [this] { selectTrackers(); });
    header->addWidget(trackers);
    auto* none = new QPushButton(text("Deselect All"), headerRow);
    none->setFlat(true);
    setFocusKey(*none, "deselect all");
    QObject::connect(none, &QPushButton::clicked, this, [this] { deselectAll(); });
    header->addWidget(none);
    column_->addWidget(headerRow);
    shown_.push_back(headerRow);

    for (const auto& group : groups) {
        auto* card = groupCard(group);
        column_->addWidget(card);
        shown_.push_back(card);
        cards_.push_back(card);
    }
    column_->addStretch();
}

QWidget* PrivacySweepResultsView::groupCard(const model::PrivacyGroup& group) {
    auto* inside = new QWidget;
    auto* stack = new QVBoxLayout(inside);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(12);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    const bool safari = group.browser == model::BrowserKind::safari;
    top->addWidget(symbol(groupSymbol(group), DesignTokens::headerIconFont(),
                          safari ? ColorToken(namedColor(model::NamedColor::blue)) : ColorToken(DesignTokens::accent()),
                          inside));
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(tokenLabel(QString::fromStdString(platform::localized(group.title)), DesignTokens::headlineFont(),
                                 DesignTokens::textPrimary(), inside));
    std::int64_t size = 0;
    std::int64_t cookies = 0;
    for (const auto& target : group.targets) {
        size += target.sizeBytes;
        if (target.isTrackerOnly && !target.isBusy) cookies += static_cast<std::int64_t>(target.domains.size());
    }
    titles->addWidget(tokenLabel(QString::fromStdString(viewmodels::cleanFigureText(size, cookies)),
                                 DesignTokens::detailFont(), DesignTokens::textSecondary(), inside));
    top->addLayout(titles);
    top->addStretch();
    top->addWidget(kindPill(group.kind, inside));
    stack->addLayout(top);
    stack->addWidget(tokenLabel(QString::fromStdString(platform::localized(group.detail)), DesignTokens::detailFont(),
                                DesignTokens::textSecondary(), inside));

    for (std::size_t i = 0; i < group.targets.size(); ++i) {
        auto* row = new PrivacyTargetRow(viewModel_, group, group.targets[i], inside);
        rows_.push_back(row);
        stack->addWidget(row);
        if (group.targets[i].id != group.targets.back().id) stack->addWidget(rowDivider(inside));
    }
    return new GlassCard(GlassCard::Variant::primary, 16, 14, true, inside, this);
}

}  // namespace zentrel::ui
