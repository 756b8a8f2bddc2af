#include "ui/main/SidebarView.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/Glass.hpp"
#include "ui/design/NamedColors.hpp"
#include "ui/design/QuietFocusList.hpp"
#include "ui/design/SidebarRow.hpp"
#include "ui/presenters/MainContentPresenter.hpp"
#include "ui/presenters/SidebarPresenter.hpp"
#include "viewmodels/CleanFigureText.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
namespace state = model::scan_state;

QString text(std::string_view key) { return localizedText(key); }

// What a clean took, under "Cleaned": its bytes, with the tracker cookies it removed counted.
QString cleanedFigure(const state::Cleaned& cleaned) {
    return QString::fromStdString(viewmodels::cleanFigureText(cleaned.freedBytes, cleaned.trackerCookies));
}

// What a clean freed, and the tracker cookies it removed.
QString cleanedResult(const state::Cleaned& cleaned) {
    return QString::fromStdString(viewmodels::cleanResultText(cleaned.freedBytes, cleaned.trackerCookies));
}

// What a selection takes, with the tracker cookies it removes counted rather than weighed as 0 KB.
QString selectedFigure(const std::vector<model::CleanItem>& items) {
    std::int64_t total = 0;
    for (const auto& item : items) total += item.sizeBytes;
    return QString::fromStdString(viewmodels::cleanFigureText(total, viewmodels::trackerCookieCount(items)));
}

// The glass panel under the list.
class SummaryPanel final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        fillGlass(painter, QRectF(rect()), 14, palette());
    }
};

}  // namespace

SidebarView::SidebarView(viewmodels::ScanViewModel& viewModel, platform::AnnouncedValue<bool>& typingEnabled,
                         QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), typingEnabled_(typingEnabled) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    list_ = new QuietFocusList(this);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAccessibleName(text(N_("Pages")));
    column->addWidget(list_, 1);
    panelHost_ = new QWidget(this);
    auto* host = new QVBoxLayout(panelHost_);
    host->setContentsMargins(12, 0, 12, 12);
    column->addWidget(panelHost_);

    // Assistive technology selects a row without moving the current one.
    QObject::connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const auto selected = list_->selectedItems();
        if (!selected.isEmpty() && selected.front() != list_->currentItem()) list_->setCurrentItem(selected.front());
    });
    QObject::connect(list_, &QListWidget::currentRowChanged, this, [this](int index) {
        markCurrentRow();
        if (applyingSelection_ || index < 0) return;
        const auto value = list_->item(index)->data(Qt::UserRole);
        if (!value.isValid()) return;
        viewModel_.sidebarSelection.set(rows_[static_cast<std::size_t>(value.toInt())].first);
    });

    const auto redraw = [this](const auto&) { refresh(); };
    // A new selection (maybe from this very list) moves the highlight; the rows stay.
    observers_.push_back(viewModel_.sidebarSelection.observe([this](const auto&) {
        highlightSelection();
        rebuildPanel();
    }));
    // The scan's phase (every clean event among them) changes only the status, not the rows.
    const auto status = [this](const auto&) { refreshStatus(); };
    observers_.push_back(viewModel_.scanState.observe(status));
    observers_.push_back(viewModel_.isBackgroundScanning.observe(status));
    observers_.push_back(viewModel_.result.observe(redraw));
    observers_.push_back(typingEnabled_.observe(redraw));
    // Category rows carry the names of the view mode, as the pages do.
    observers_.push_back(viewModel_.prefs().viewModeChanged.subscribe(redraw));
    refresh();
}

QString SidebarView::subtitle() const {
    if (viewModel_.isBackgroundScanning()) return text("Scanning\u2026");
    const auto& scanState = viewModel_.scanState();
    if (std::holds_alternative<state::Scanning>(scanState)) return text("Scanning\u2026");
    if (std::holds_alternative<state::Cleaning>(scanState)) return text(N_("Cleaning\u2026"));
    if (const auto* cleaned = std::get_if<state::Cleaned>(&scanState)) {
        return cleanedResult(*cleaned);
    }
    if (std::holds_alternative<state::Error>(scanState)) return text(N_("Error"));
    if (std::holds_alternative<state::Idle>(scanState)) return text(N_("Ready to scan"));
    return localizedText(N_COUNTED("%lld items found"), {countText(viewModel_.result().items.size())});
}

void SidebarView::refresh() {
    setWindowTitle(text(N_("Zentrel")));
    rebuildRows();
    refreshStatus();
}

void SidebarView::refreshStatus() {
    setAccessibleDescription(subtitle());
    rebuildPanel();
}

SidebarRow* SidebarView::row(const SidebarSelection& selection) const {
    for (const auto& [candidate, row] : rows_)
        if (candidate == selection) return row;
    return nullptr;
}

void SidebarView::highlightSelection() {
    applyingSelection_ = true;
    for (int i = 0; i < list_->count(); ++i) {
        const auto value = list_->item(i)->data(Qt::UserRole);
        if (value.isValid() && rows_[static_cast<std::size_t>(value.toInt())].first == viewModel_.sidebarSelection()) {
            list_->setCurrentRow(i);
        }
    }
    applyingSelection_ = false;
}

void SidebarView::markCurrentRow() {
    auto* current = list_->currentItem() != nullptr ? list_->itemWidget(list_->currentItem()) : nullptr;
    for (const auto& [selection, row] : rows_) row->setSelected(row == current);
}

void SidebarView::addHeader(const char* title) {
    auto* item = new QListWidgetItem(list_);
    item->setFlags(Qt::NoItemFlags);
    item->setData(Qt::AccessibleTextRole, text(title));
    auto* label = tokenLabel(text(title).toUpper(), DesignTokens::tagFont(), DesignTokens::textTertiary(), list_);
    auto font = label->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    label->setFont(font);
    label->setIndent(8);
    item->setSizeHint(label->sizeHint() + QSize(0, 8));
    list_->setItemWidget(item, label);
}

void SidebarView::addRow(const SidebarSelection& selection, SidebarRow* row, const char* hint) {
    auto* item = new QListWidgetItem(list_);
    item->setData(Qt::UserRole, static_cast<int>(rows_.size()));
    // Assistive technology reads the list's items, not the widgets drawn on them.
    item->setData(Qt::AccessibleTextRole, row->accessibleName());
    if (hint != nullptr) {
        row->setAccessibleDescription(text(hint));
        item->setData(Qt::AccessibleDescriptionRole, text(hint));
    }
    item->setSizeHint(row->sizeHint() + QSize(0, 10));
    list_->setItemWidget(item, row);
    rows_.emplace_back(selection, row);
    if (selection == viewModel_.sidebarSelection()) list_->setCurrentItem(item);
}

void SidebarView::rebuildRows() {
    applyingSelection_ = true;
    rows_.clear();  // first: clearing the list reports a current row change
    list_->clear();
    const auto categoryRow = [&](CategoryType category, bool isNew) {
        const auto size = sidebarCategorySize(viewModel_, category);
        const auto iconName = model::icon(category);
        auto* row = new SidebarRow(QString::fromStdString(viewModel_.categoryTitle(category)),
                                   QString::fromUtf8(iconName.data(), static_cast<qsizetype>(iconName.size())),
                                   namedColor(model::color(category)),
                                   size ? std::optional(QString::fromStdString(*size)) : std::nullopt, isNew, false);
        addRow(SidebarSelection::category(category), row);
    };

    addRow(SidebarSelection::overview(), new SidebarRow(text("Overview"), "gauge.with.dots.needle.67percent",
                                                        DesignTokens::accent(), std::nullopt, false, false));
    addHeader("Clean");
    for (auto category : sidebarCleanCategories(viewModel_)) categoryRow(category, false);
    addHeader(N_("Optimize"));
    for (auto category : sidebarOptimizeCategories(viewModel_))
        categoryRow(category, category == CategoryType::privacy);
    addRow(SidebarSelection::boost(),
           new SidebarRow(text("Boost"), "bolt.fill", DesignTokens::accent(), std::nullopt, true, false),
           "Frees RAM and CPU by quitting heavy apps you choose.");
    addRow(SidebarSelection::uninstall(),
           new SidebarRow(text("Uninstall Apps"), "trash.square.fill", DesignTokens::accent(), std::nullopt, true, false),
           "Removes an app and all of its leftover files.");
    addRow(SidebarSelection::smartCleanup(),
           new SidebarRow(text("Smart Cleanup"), "sparkles", DesignTokens::textSecondary(), std::nullopt, true, true),
           N_("Opens an on-device cleanup recommendation based on your scan."));
    addHeader(N_("Features"));
    addRow(SidebarSelection::features(),
           new SidebarRow(text("Vietnamese Typing"), "character.textbox", DesignTokens::accent(),
                          typingEnabled_() ? std::optional(text("ON")) : std::nullopt, false, false));
    addRow(SidebarSelection::settings(),
           new SidebarRow(text("Settings"), "gear", DesignTokens::textSecondary(), std::nullopt, false, false));
    applyingSelection_ = false;
}

void SidebarView::rebuildPanel() {
    if (panel_ != nullptr) retireWidgets(panelHost_->layout(), std::vector<QWidget*>{panel_});
    panel_ = nullptr;
    panelLabel_ = nullptr;
    panelValue_ = nullptr;
    const auto& scanState = viewModel_.scanState();
    if (!std::holds_alternative<state::Cleaned>(scanState) && !std::holds_alternative<state::Done>(scanState)) return;
    // The freed figure stands beside the page that cleaned; the others show their selection.
    const auto* cleaned = shownCleanResult(viewModel_);

    panel_ = new SummaryPanel(panelHost_);
    auto* row = new QHBoxLayout(panel_);
    row->setContentsMargins(16, 12, 16, 12);
    row->setSpacing(8);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    if (cleaned) {
        row->addWidget(symbolLabel("checkmark.circle.fill", DesignTokens::titleFont(), DesignTokens::health(), panel_));
        panelLabel_ = tokenLabel(text("Cleaned"), DesignTokens::detailFont(), DesignTokens::textSecondary(), panel_);
        panelValue_ = tokenLabel(cleanedFigure(*cleaned), DesignTokens::titleFont(), DesignTokens::health(), panel_);
    } else if (viewModel_.sidebarSelection().category()) {
        panelLabel_ = tokenLabel(text(N_("Selected in this category")), DesignTokens::detailFont(),
                                 DesignTokens::textSecondary(), panel_);
        panelValue_ = tokenLabel(selectedFigure(viewModel_.currentCategoryItems()), DesignTokens::titleFont(),
                                 DesignTokens::accentText(), panel_);
    } else {
        panelLabel_ = tokenLabel(text(N_("Selected to clean")), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                 panel_);
        panelValue_ = tokenLabel(selectedFigure(viewModel_.selectedItems()), DesignTokens::titleFont(),
                                 DesignTokens::accentText(), panel_);
    }
    // A long figure ("49.7 MB and 18 tracker cookies") wraps in the narrow sidebar rather than losing its end.
    panelLabel_->setWordWrap(true);
    panelValue_->setWordWrap(true);
    texts->addWidget(panelLabel_);
    texts->addWidget(panelValue_);
    row->addLayout(texts, 1);
    panelHost_->layout()->addWidget(panel_);
}

}  // namespace zentrel::ui
