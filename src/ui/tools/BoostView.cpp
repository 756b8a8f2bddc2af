#include "ui/tools/BoostView.hpp"

#include "ui/design/AccessibleRole.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/Glass.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/MotionPreference.hpp"
#include "ui/design/PageLanding.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/ProgressMeter.hpp"
#include "ui/design/SectionReveal.hpp"
#include "ui/design/SegmentButton.hpp"
#include "ui/design/StatusPill.hpp"
#include "ui/design/SwitchToggle.hpp"
#include "ui/design/SymbolImage.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/presenters/BoostPresenter.hpp"
#include "ui/tools/ToolDialogs.hpp"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zentrel::ui {
namespace {

using viewmodels::BoostViewModel;

QString text(const std::string& value) { return QString::fromStdString(value); }

const DynamicColor& figureColor(FigureColor color) {
    switch (color) {
    case FigureColor::accent: return DesignTokens::accent();
    case FigureColor::review: return DesignTokens::review();
    case FigureColor::ai: return DesignTokens::ai();
    case FigureColor::health: return DesignTokens::health();
    }
    return DesignTokens::accent();
}

}  // namespace

// One gauge: its label and pill, the whole percent, the meter and the
// caption, on glass; read as one element by assistive technology.
class GaugeTileView final : public QWidget {
public:
    explicit GaugeTileView(QWidget* parent) : QWidget(parent) {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(12, 12, 12, 12);
        column->setSpacing(8);
        header_ = new QHBoxLayout;
        label_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
        header_->addWidget(label_);
        header_->addStretch();
        column->addLayout(header_);
        auto* figure = new QHBoxLayout;
        figure->setSpacing(2);
        percent_ = tokenLabel({}, DesignTokens::displayFont(), DesignTokens::textPrimary(), this);
        figure->addWidget(percent_, 0, Qt::AlignBaseline);
        figure->addWidget(tokenLabel("%", DesignTokens::headlineFont(), DesignTokens::textSecondary(), this), 0,
                          Qt::AlignBaseline);
        figure->addStretch();
        column->addLayout(figure);
        meterSlot_ = new QVBoxLayout;
        column->addLayout(meterSlot_);
        caption_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textTertiary(), this);
        column->addWidget(caption_);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

    void show(const GaugeTile& tile) {
        label_->setText(text(tile.label));
        percent_->setText(countText(tile.percent));
        caption_->setText(text(tile.caption));
        setAccessibleName(text(tile.accessibilityLabel));
        if (!meter_ || fraction_ != tile.fraction) {
            fraction_ = tile.fraction;
            if (meter_) retireWidgets(meterSlot_, std::vector<QWidget*>{meter_});
            meter_ = new ProgressMeter(tile.fraction, std::nullopt, std::nullopt, this);
            meterSlot_->addWidget(meter_);
        }
        if (shownPill_ != tile.pill) {
            shownPill_ = tile.pill;
            if (pill_) retireWidgets(header_, std::vector<QWidget*>{pill_});
            pill_ = nullptr;
            if (tile.pill) {
                pill_ = new StatusPill(text(tile.pill->text), {}, pillVariant(tile.pill->tone), this);
                header_->addWidget(pill_);
            }
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        fillGlass(painter, QRectF(rect()), 14, palette());
    }

private:
    QHBoxLayout* header_ = nullptr;
    QLabel* label_ = nullptr;
    QLabel* percent_ = nullptr;
    QLabel* caption_ = nullptr;
    QVBoxLayout* meterSlot_ = nullptr;
    QWidget* meter_ = nullptr;
    double fraction_ = -1;
    QWidget* pill_ = nullptr;
    std::optional<PillContent> shownPill_;
};

BoostView::BoostView(std::unique_ptr<BoostViewModel> viewModel, QWidget* parent)
    : QWidget(parent), viewModel_(std::move(viewModel)) {
    setAccessibleName(localizedText(BoostTexts::title));
    column_ = scrollingColumn(*this, 24, 16);
    column_->addStretch();

    addCard(headerCard(), 0);
    addCard(breakdownCard(), 0.06);
    addCard(processCard(), 0.12);
    addCard(noteCard(), 0.18);

    auto& vm = *viewModel_;
    observers_.push_back(vm.memory.observe([this](const auto&) { showMemory(); }));
    observers_.push_back(vm.systemCPU.observe([this](const auto&) { showMemory(); }));
    observers_.push_back(vm.processes.observe([this](const auto&) {
        showList();
        showActions();
    }));
    observers_.push_back(vm.selectedPIDs.observe([this](const auto&) {
        showList();
        showActions();
    }));
    observers_.push_back(vm.processIcons.observe([this](const auto&) { showList(); }));
    observers_.push_back(vm.boostState.observe([this](const auto&) { showActions(); }));
    observers_.push_back(vm.sortMode.observe([this](const auto&) { showSwitches(); }));
    observers_.push_back(vm.showBackground.observe([this](const auto&) { showSwitches(); }));
    showMemory();
    showList();
    showActions();
    showSwitches();
}

BoostView::~BoostView() {
    observers_.clear();
    viewModel_->stop();
}

void BoostView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    viewModel_->start();
}

void BoostView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    viewModel_->stop();
}

void BoostView::addCard(QWidget* card, double revealDelay) {
    column_->insertWidget(column_->count() - 1, card);
    if (revealDelay > 0) new SectionReveal(card, revealDelay, reducedMotion());
}

QWidget* BoostView::headerCard() {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 16, content);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(12);
    titleRow->addWidget(symbolLabel("bolt.fill", DesignTokens::headerIconFont(), DesignTokens::accent(), body));
    QVBoxLayout* titles = nullptr;
    auto* titleStack = stackWidget(body, 2, titles);
    titles->addWidget(tokenLabel(localizedText(BoostTexts::title), DesignTokens::titleFont(),
                                 DesignTokens::textPrimary(), titleStack));
    auto* subtitle = tokenLabel(localizedText(BoostTexts::subtitle), DesignTokens::detailFont(),
                                DesignTokens::textSecondary(), titleStack);
    subtitle->setWordWrap(true);
    titles->addWidget(subtitle);
    titleRow->addWidget(titleStack, 1);
    content->addLayout(titleRow);

    auto* gauges = new QHBoxLayout;
    gauges->setSpacing(16);
    memoryTile_ = new GaugeTileView(body);
    cpuTile_ = new GaugeTileView(body);
    gauges->addWidget(memoryTile_, 1);
    gauges->addWidget(cpuTile_, 1);
    content->addLayout(gauges);

    actions_ = new QStackedWidget(body);
    actions_->addWidget(idleActions());
    actions_->addWidget(boostingActions());
    actions_->addWidget(doneActions());
    content->addWidget(actions_);
    return new GlassCard(GlassCard::Variant::hero, 24, 14, false, body);
}

QWidget* BoostView::idleActions() {
    QVBoxLayout* content = nullptr;
    auto* page = stackWidget(nullptr, 8, content);
    primary_ = new PrimaryButton({}, QString("bolt.fill"), PrimaryButton::Variant::accent, true,
                                 [this] { requestQuit(); }, page);
    primary_->setAccessibleDescription(localizedText(BoostTexts::primaryHint));
    content->addWidget(primary_);
    auto* suggest = new QPushButton(localizedText(BoostTexts::suggest), page);
    suggest->setFlat(true);
    suggest->setFont(DesignTokens::detailFont().font());
    followAppearance(suggest, [suggest] {
        auto palette = suggest->palette();
        const auto accent = DesignTokens::accent().resolve(appPalette());
        const int side = QFontMetrics(suggest->font()).height();
        suggest->setIcon(QIcon(tintedSymbol("wand.and.stars", side, accent, suggest->devicePixelRatioF())));
        suggest->setIconSize(QSize(side, side));
        palette.setColor(QPalette::ButtonText, accent);
        suggest->setPalette(palette);
    });
    suggest->setAccessibleDescription(localizedText(BoostTexts::suggestHint));
    connect(suggest, &QPushButton::clicked, this, [this] { viewModel_->selectHeavyApps(kHeavyAppThresholdMB); });
    content->addWidget(suggest, 0, Qt::AlignLeft);
    return page;
}

QWidget* BoostView::boostingActions() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(busyIndicator(page));
    row->addWidget(tokenLabel(localizedText(BoostTexts::boosting), DesignTokens::bodyFont(),
                              DesignTokens::textSecondary(), page));
    page->setAccessibleName(localizedText(BoostTexts::boosting));
    setAccessibleRole(*page, QAccessible::Grouping);
    markLanding(*page);
    row->addStretch();
    return page;
}

QWidget* BoostView::doneActions() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 4, 0, 0);
    row->setSpacing(12);
    row->addWidget(symbolLabel("checkmark.circle.fill", DesignTokens::headerIconFont(), DesignTokens::health(), page));
    QVBoxLayout* lines = nullptr;
    auto* lineStack = stackWidget(page, 2, lines);
    doneHeadline_ = tokenLabel({}, DesignTokens::headlineFont(), DesignTokens::health(), lineStack);
    doneDetail_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textSecondary(), lineStack);
    setAccessibleRole(*page, QAccessible::Grouping);
    markLanding(*page);
    lines->addWidget(doneHeadline_);
    lines->addWidget(doneDetail_);
    row->addWidget(lineStack, 1);
    done_ = new QPushButton(localizedText(BoostTexts::done), page);
    connect(done_, &QPushButton::clicked, this,
            [this] { viewModel_->boostState.set(BoostViewModel::BoostState::idle()); });
    row->addWidget(done_);
    return page;
}

QWidget* BoostView::breakdownCard() {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 12, content);
    content->addWidget(tokenLabel(localizedText(BoostTexts::breakdownTitle), DesignTokens::titleFont(),
                                  DesignTokens::textPrimary(), body));
    auto* columns = new QHBoxLayout;
    columns->setSpacing(12);
    for (const auto& column : memoryBreakdown(viewModel_->memory())) {
        QVBoxLayout* lines = nullptr;
        auto* cell = stackWidget(body, 4, lines);
        lines->addWidget(tokenLabel(text(column.label), DesignTokens::detailFont(), DesignTokens::textSecondary(), cell));
        auto* value = tokenLabel({}, DesignTokens::headlineFont(), figureColor(column.color), cell);
        lines->addWidget(value);
        breakdown_.push_back(value);
        columns->addWidget(cell, 1);
    }
    content->addLayout(columns);
    auto* note = tokenLabel(localizedText(BoostTexts::cachedNote), DesignTokens::detailFont(),
                            DesignTokens::textTertiary(), body);
    note->setWordWrap(true);
    content->addWidget(note);
    return new GlassCard(GlassCard::Variant::primary, 16, 14, false, body);
}

QWidget* BoostView::processCard() {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 12, content);

    auto* sortRow = new QHBoxLayout;
    sortRow->addWidget(tokenLabel(localizedText(BoostTexts::listTitle), DesignTokens::titleFont(),
                                  DesignTokens::textPrimary(), body));
    sortRow->addStretch();
    auto* segments = new QButtonGroup(body);
    auto* picker = new QHBoxLayout;
    picker->setSpacing(0);
    for (const auto mode : BoostViewModel::kSortModes) {
        auto* segment = new SegmentButton(buttonText(text(BoostViewModel::title(mode))), body);
        segment->setFixedWidth(75);
        segments->addButton(segment);
        connect(segment, &QPushButton::clicked, this, [this, mode] { changeSortMode(*viewModel_, mode); });
        picker->addWidget(segment);
        sortButtons_.push_back(segment);
    }
    sortRow->addLayout(picker);
    content->addLayout(sortRow);

    if (const auto note = activeApplicationNote(*viewModel_)) {
        auto* label = tokenLabel(QString::fromStdString(*note), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                 body);
        label->setWordWrap(true);
        content->addWidget(label);
    }

    auto* filterRow = new QHBoxLayout;
    background_ = new SwitchToggle(localizedText(BoostTexts::showBackground), body);
    background_->setFont(DesignTokens::detailFont().font());
    connect(background_, &QCheckBox::toggled, this, [this](bool show) { changeShowBackground(*viewModel_, show); });
    filterRow->addWidget(background_);
    filterRow->addStretch();
    clear_ = new QPushButton(localizedText(BoostTexts::clear), body);
    clear_->setFlat(true);
    clear_->setFont(DesignTokens::detailFont().font());
    connect(clear_, &QPushButton::clicked, this, [this] { viewModel_->clearSelection(); });
    filterRow->addWidget(clear_);
    content->addLayout(filterRow);

    listProgress_ = new QWidget(body);
    auto* progressRow = new QHBoxLayout(listProgress_);
    progressRow->setContentsMargins(0, 16, 0, 16);
    progressRow->addStretch();
    progressRow->addWidget(busyIndicator(listProgress_));
    progressRow->addStretch();
    content->addWidget(listProgress_);
    nothingRunning_ = tokenLabel(localizedText(BoostTexts::nothingRunning), DesignTokens::bodyFont(),
                                 DesignTokens::textSecondary(), body);
    nothingRunning_->setAlignment(Qt::AlignHCenter);
    content->addWidget(nothingRunning_);

    model_ = new ProcessListModel(this);
    list_ = new ProcessListView(
        model_,
        [this](std::int32_t pid) {
            for (const auto& process : viewModel_->processes()) {
                if (process.pid == pid) {
                    viewModel_->toggleSelection(process);
                    return;
                }
            }
        },
        body);
    list_->setAccessibleName(localizedText(BoostTexts::listTitle));
    content->addWidget(list_);
    return new GlassCard(GlassCard::Variant::primary, 16, 14, false, body);
}

QWidget* BoostView::noteCard() {
    auto* body = new QWidget;
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(symbolLabel("info.circle", DesignTokens::bodyFont(), DesignTokens::textTertiary(), body), 0,
                   Qt::AlignTop);
    auto* note = tokenLabel(localizedText(BoostTexts::purgeNote), DesignTokens::detailFont(),
                            DesignTokens::textTertiary(), body);
    note->setWordWrap(true);
    row->addWidget(note, 1);
    return new GlassCard(GlassCard::Variant::ghost, 16, 14, false, body);
}

void BoostView::showMemory() {
    const auto& memory = viewModel_->memory();
    memoryTile_->show(memoryGauge(memory));
    cpuTile_->show(cpuGauge(viewModel_->systemCPU()));
    const auto columns = memoryBreakdown(memory);
    for (std::size_t i = 0; i < columns.size() && i < breakdown_.size(); ++i) breakdown_[i]->setText(text(columns[i].value));
}

void BoostView::showList() {
    model_->setRows(processRows(*viewModel_));
    const auto state = processListState(*viewModel_);
    listProgress_->setVisible(state == ProcessListState::waiting);
    nothingRunning_->setVisible(state == ProcessListState::nothingRunning);
    list_->setVisible(state == ProcessListState::rows);
    clear_->setVisible(showsClearButton(*viewModel_));
}

void BoostView::showActions() {
    const auto area = actionArea(*viewModel_);
    switch (area.form) {
    case BoostActionArea::Form::idle:
        primary_->setText(buttonText(text(area.primaryTitle)));
        primary_->setAccessibleName(text(area.primaryTitle));
        primary_->setEnabled(area.primaryEnabled);
        showActionPage(0);
        break;
    case BoostActionArea::Form::boosting: showActionPage(1); break;
    case BoostActionArea::Form::done:
        doneHeadline_->setText(text(area.headline));
        actions_->widget(2)->setAccessibleName(text(area.headline) + ". " + text(area.detail));
        doneDetail_->setText(text(area.detail));
        showActionPage(2);
        break;
    }
}

void BoostView::showActionPage(int index) {
    // The focus on the buttons goes with them to the next page (its text, what
    // the quit did), before the page it was on hides.
    auto* page = actions_->widget(index);
    if (page != actions_->currentWidget() && holdsFocus(*actions_)) focusLanding(*page);
    actions_->setCurrentIndex(index);
}

void BoostView::showSwitches() {
    const auto mode = viewModel_->sortMode();
    for (std::size_t i = 0; i < sortButtons_.size(); ++i) {
        sortButtons_[i]->setChecked(BoostViewModel::kSortModes[i] == mode);
    }
    const QSignalBlocker blocker(background_);
    background_->setChecked(viewModel_->showBackground());
}

void BoostView::requestQuit() {
    const auto confirmation = quitConfirmation(*viewModel_);
    if (confirmation.targets.empty()) return;
    QStringList names;
    for (const auto& name : confirmation.names) names << text(name);
    confirmDestructive(this, text(confirmation.title), text(confirmation.message) + "\n\n" + names.join("\n"),
                       text(confirmation.confirmLabel), text(confirmation.cancelLabel),
                       [this, confirmation] { confirmQuit(*viewModel_, confirmation); });
}

}  // namespace zentrel::ui
