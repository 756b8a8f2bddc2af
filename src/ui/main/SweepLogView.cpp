#include "ui/main/SweepLogView.hpp"

#include "engine/ScanDateFormatter.hpp"
#include "model/SweepActionTitle.hpp"
#include "platform/text/Localization.hpp"
#include "ui/design/AccessibleRole.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/ScrollAreaFocus.hpp"
#include "ui/design/StatusPill.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <QHBoxLayout>
#include <QScrollArea>

namespace zentrel::ui {
namespace {

QString text(const char* key) { return localizedText(key); }

QLabel* accentSymbol(const QString& name, const FontToken& font, QWidget* parent) {
    return symbolLabel(name, font, DesignTokens::accent(), parent);
}

}  // namespace

QString SweepActionRow::symbolName(model::SweepActionKind kind) {
    switch (kind) {
    case model::SweepActionKind::cookieDomain: return "globe";
    case model::SweepActionKind::fileRemoved: return "doc.fill";
    case model::SweepActionKind::fileTruncated: return "text.alignleft";
    case model::SweepActionKind::recentsCleared: return "clock.arrow.circlepath";
    case model::SweepActionKind::pasteboardCleared: return "doc.on.clipboard";
    }
    return "doc.fill";
}

SweepActionRow::SweepActionRow(viewmodels::ScanViewModel& viewModel, model::SweepRecord record,
                               model::SweepAction action, platform::Date now, std::optional<std::string> refusal,
                               QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), record_(std::move(record)), action_(std::move(action)) {
    auto* inside = new QWidget;
    auto* row = new QHBoxLayout(inside);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    auto* symbol = accentSymbol(symbolName(action_.kind), DesignTokens::rowIconFont(), inside);
    symbol->setFixedWidth(20);
    symbol->setAccessibleName({});
    row->addWidget(symbol, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    const auto title = QString::fromStdString(model::sweepActionTitle(action_));
    texts->addWidget(tokenLabel(title, DesignTokens::bodyFont(),
                                DesignTokens::textPrimary(), inside));
    if (action_.detail) {
        detail_ = tokenLabel(QString::fromStdString(*action_.detail), DesignTokens::detailFont(),
                             DesignTokens::textSecondary(), inside);
        texts->addWidget(detail_);
    }
    if (refusal && !action_.isRestored) {
        refusal_ = tokenLabel(QString::fromStdString(*refusal), DesignTokens::detailFont(), DesignTokens::danger(), inside);
        refusal_->setWordWrap(true);
        texts->addWidget(refusal_);
    }
    row->addLayout(texts);
    row->addStretch();

    if (action_.isRestored) {
        restored_ = new StatusPill(text(N_("Restored")), "arrow.uturn.backward", StatusPill::Variant::safe, inside);
        row->addWidget(restored_, 0, Qt::AlignTop);
    } else if (action_.backupPath && now < record_.expiresAt) {
        undo_ = new QPushButton(text(N_("Undo")), inside);
        // Every row has one: the name says what this one undoes.
        // TRANSLATORS: the Undo button of one sweep row, named after what it undoes ("Undo Chrome: .doubleclick.net").
        undo_->setAccessibleName(localizedText("Undo %@", {title}));
        undo_->setFlat(true);
        undo_->setFont(DesignTokens::detailFont().font());
        QObject::connect(undo_, &QPushButton::clicked, this, [this] { undo(); });
        row->addWidget(undo_, 0, Qt::AlignTop);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new GlassCard(GlassCard::Variant::primary, 12, 14, false, inside, this));
    // One Tab stop an entry: its Undo, which names it, or else the row itself
    // (a restored row keeps the keyboard focus its Undo had).
    setFocusPolicy(undo_ != nullptr ? Qt::ClickFocus : Qt::TabFocus);
    setAccessibleName(title);
    setAccessibleRole(*this, QAccessible::ListItem);
    if (refusal_ != nullptr) setAccessibleDescription(refusal_->text());
    // An undo's result is said where its focus stays.
    if (restored_ != nullptr) setAccessibleDescription(text(N_("Restored")));
    // What the row says beside its Undo is said with it.
    if (undo_ != nullptr && (refusal_ != nullptr || detail_ != nullptr))
        undo_->setAccessibleDescription((refusal_ != nullptr ? refusal_ : detail_)->text());
}

void SweepActionRow::takeFocus() {
    if (undo_ != nullptr) undo_->setFocus(Qt::OtherFocusReason);
    else setFocus(Qt::OtherFocusReason);
}

void SweepActionRow::undo() {
    if (action_.isRestored || !action_.backupPath) return;
    // The row changes only when the view model publishes the updated record.
    viewModel_.undoSweep(action_, record_);
}

SweepLogView::SweepLogView(viewmodels::ScanViewModel& viewModel, const platform::Clock& clock, std::string language,
                           QWidget* parent)
    : QWidget(parent), viewModel_(viewModel), clock_(clock), language_(std::move(language)) {
    setMinimumSize(480, 360);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto* header = new QVBoxLayout;
    header->setSpacing(8);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(accentSymbol("list.bullet.clipboard.fill", DesignTokens::headerIconFont(), this));
    titleRow->addWidget(tokenLabel(text(N_("What just happened?")), DesignTokens::titleFont(), DesignTokens::textPrimary(), this));
    titleRow->addStretch();
    header->addLayout(titleRow);
    header->addWidget(tokenLabel(text(N_("Every action below can be undone for 24 hours.")), DesignTokens::bodyFont(),
                                 DesignTokens::textSecondary(), this));
    column->addLayout(header);

    auto* scroll = new QScrollArea(this);
    scroll_ = scroll;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    keepOutOfTabOrder(*scroll);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* list = new QWidget;
    rowsLayout_ = new QVBoxLayout(list);
    rowsLayout_->setSpacing(12);
    rowsLayout_->addStretch();
    scroll->setWidget(list);
    column->addWidget(scroll, 1);

    auto* footerRow = new QHBoxLayout;
    footer_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textTertiary(), this);
    footerRow->addWidget(footer_);
    footerRow->addStretch();
    done_ = new PrimaryButton(text("Done"), std::nullopt, PrimaryButton::Variant::accent, false, [this] {
        if (viewModel_.showSweepLog()) viewModel_.showSweepLog.set(false);
    }, this);
    done_->setDefault(true);
    footerRow->addWidget(done_);
    column->addLayout(footerRow);

    recordObserver_ = viewModel_.lastSweepRecord.observe([this](const auto&) { rebuild(); });
    refusalObserver_ = viewModel_.sweepUndoRefusal.observe([this](const auto&) { rebuild(); });
    rebuild();
}

void SweepLogView::rebuild() {
    // An Undo republishes the record: the list stays where it was scrolled
    // and the focus stays on the row that had it.
    const int scrolled = scroll_->verticalScrollBar()->value();
    std::optional<std::size_t> focused;
    const auto* focus = focusWidget();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (focus != nullptr && (rows_[i] == focus || rows_[i]->isAncestorOf(focus))) focused = i;
    retireWidgets(rowsLayout_, rows_);
    rows_.clear();
    const auto& record = viewModel_.lastSweepRecord();
    if (!record) {
        footer_->clear();
        return;
    }
    const auto now = clock_.now();
    const auto& refusal = viewModel_.sweepUndoRefusal();
    for (const auto& action : record->actions) {
        auto note = refusal && refusal->actionID == action.id ? std::optional(refusal->message) : std::nullopt;
        auto* row = new SweepActionRow(viewModel_, *record, action, now, std::move(note));
        rowsLayout_->insertWidget(rowsLayout_->count() - 1, row);
        row->show();  // now, so that it can take the focus below
        rows_.push_back(row);
    }
    // Measure the new rows now, so the scroll bar can take its old value back.
    QCoreApplication::sendPostedEvents(rowsLayout_->parentWidget(), QEvent::LayoutRequest);
    rowsLayout_->activate();
    QCoreApplication::sendPostedEvents(rowsLayout_->parentWidget(), QEvent::LayoutRequest);
    scroll_->verticalScrollBar()->setValue(scrolled);
    if (focused && *focused < rows_.size()) rows_[*focused]->takeFocus();
    // The moment itself: "until in 23 hours" reads wrong in any language.
    const engine::ScanDateFormatter until(language_, {}, engine::ScanDateFormatter::Style::mediumStyle,
                                          engine::ScanDateFormatter::Style::shortStyle);
    footer_->setText(localizedText("Undo available until %@", {QString::fromStdString(until.format(record->expiresAt))}));
}

}  // namespace zentrel::ui
