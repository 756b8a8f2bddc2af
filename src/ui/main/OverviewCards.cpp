#include "ui/main/OverviewCards.hpp"

#include "ui/design/AccessibleRole.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/MetricCard.hpp"
#include "ui/design/NamedColors.hpp"
#include "ui/design/PageLanding.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/ProgressMeter.hpp"
#include "ui/main/PageParts.hpp"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zentrel::ui {
namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }

const DynamicColor& usageColor(UsageColor color) {
    switch (color) {
    case UsageColor::review: return DesignTokens::review();
    case UsageColor::danger: return DesignTokens::danger();
    case UsageColor::accent: break;
    }
    return DesignTokens::accent();
}

// Fills `owner` with `card` and nothing else.
void holdCard(QWidget* owner, QWidget* card) {
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(card);
}

// The used share of the volume as a capsule on a neutral track.
class UsageBar final : public QWidget {
public:
    UsageBar(double fraction, UsageColor color, QWidget* parent) : QWidget(parent), fraction_(fraction), color_(color) {
        setFixedHeight(8);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setAccessibleName({});
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double radius = height() / 2.0;
        QPainterPath track;
        track.addRoundedRect(QRectF(rect()), radius, radius);
        painter.fillPath(track, DesignTokens::neutralTint().resolve(palette()));
        const double width = this->width() * fraction_;
        if (width <= 0) return;
        QPainterPath fill;
        fill.addRoundedRect(QRectF(0, 0, std::max(width, static_cast<double>(height())), height()), radius, radius);
        painter.fillPath(fill, usageColor(color_).resolve(palette()));
    }

private:
    double fraction_;
    UsageColor color_;
};

// A plain button whose face is its content: it takes the size of its layout.
class TileButton final : public QAbstractButton {
public:
    explicit TileButton(QWidget* parent) : QAbstractButton(parent) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
    }
    [[nodiscard]] QSize sizeHint() const override { return layout() ? layout()->sizeHint() : QSize(); }
    [[nodiscard]] QSize minimumSizeHint() const override { return layout() ? layout()->minimumSize() : QSize(); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!hasFocus()) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 14, 14);
    }
};

// A column of the history chart: a rounded bar in the accent gradient.
class HistoryBar final : public QWidget {
public:
    HistoryBar(double height, QWidget* parent) : QWidget(parent) {
        setFixedSize(44, static_cast<int>(height));
        setAccessibleName({});
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, DesignTokens::accent().resolve(palette()));
        gradient.setColorAt(1, DesignTokens::accentText().resolve(palette()));
        QPainterPath bar;
        bar.addRoundedRect(QRectF(rect()), 7, 7);
        painter.fillPath(bar, gradient);
    }
};

}  // namespace

// ---- Banners ----

BackgroundScanBanner::BackgroundScanBanner(const BackgroundScanBannerContent& content, QWidget* parent) : QWidget(parent) {
    auto* meter = new ProgressMeter(content.progress, text(content.label),
                                    content.caption ? std::optional(text(*content.caption)) : std::nullopt);
    holdCard(this, new GlassCard(GlassCard::Variant::accent, 16, 14, false, meter, this));
}

CleanFailureOverviewBanner::CleanFailureOverviewBanner(const CleanFailureBannerContent& content,
                                                       std::function<void()> view, QWidget* parent)
    : QWidget(parent) {
    auto* body = new QWidget;
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(symbolLabel("exclamationmark.triangle.fill", DesignTokens::rowIconFont(), DesignTokens::review(), body));
    QVBoxLayout* texts = nullptr;
    auto* textStack = stackWidget(body, 2, texts);
    texts->addWidget(tokenLabel(text(content.title), DesignTokens::bodyFont(), DesignTokens::textPrimary(), textStack));
    auto* detail = tokenLabel(text(content.detail), DesignTokens::detailFont(), DesignTokens::textSecondary(), textStack);
    detail->setWordWrap(true);
    texts->addWidget(detail);
    row->addWidget(textStack, 1);
    view_ = new PrimaryButton(text(content.buttonTitle), std::nullopt, PrimaryButton::Variant::accent, false,
                              std::move(view), body);
    view_->setAccessibleDescription(text(content.buttonHint));
    setPlainToolTip(*view_, text(content.buttonHint));
    row->addWidget(view_);
    body->setAccessibleName(text(content.title) + ". " + text(content.detail));
    holdCard(this, new GlassCard(GlassCard::Variant::primary, 16, 14, false, body, this));
}

// ---- Storage ----

HeroOverviewCard::HeroOverviewCard(const HeroCardContent& content, std::function<void()> press, QWidget* parent)
    : QWidget(parent), content_(content) {
    QVBoxLayout* column = nullptr;
    auto* body = stackWidget(nullptr, 16, column);

    auto* storage = new QHBoxLayout;
    storage->setSpacing(20);
    ring_ = new DiskRing(content.ringFraction, text(content.ringLabel), text(content.ringCaption), 88, 9, body);
    storage->addWidget(ring_);
    QVBoxLayout* figures = nullptr;
    auto* figureStack = stackWidget(body, 2, figures);
    auto* title = new QHBoxLayout;
    title->setSpacing(6);
    title->addWidget(tokenLabel(localizedText("Storage"), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                figureStack),
                     0, Qt::AlignBaseline);
    if (!content.totalText.empty()) {
        title->addWidget(tokenLabel(text(content.totalText), DesignTokens::detailFont(), DesignTokens::textTertiary(),
                                    figureStack),
                         0, Qt::AlignBaseline);
    }
    title->addStretch();
    figures->addLayout(title);
    if (!content.freeText.empty()) {
        auto* free = new QHBoxLayout;
        free->setSpacing(6);
        free->addWidget(tokenLabel(text(content.freeText), DesignTokens::heroNumberFont(), DesignTokens::textPrimary(),
                                   figureStack),
                        0, Qt::AlignBaseline);
        free->addWidget(tokenLabel(localizedText("free"), DesignTokens::displayFont(), DesignTokens::textSecondary(),
                                   figureStack),
                        0, Qt::AlignBaseline);
        free->addStretch();
        figures->addLayout(free);
    }
    figures->addSpacing(6);
    figures->addWidget(new UsageBar(content.ringFraction, content.usageColor, figureStack));
    storage->addWidget(figureStack, 1, Qt::AlignVCenter);
    column->addLayout(storage);

    auto* status = new QHBoxLayout;
    status->setSpacing(4);
    auto* sparkles = symbolLabel("sparkles", DesignTokens::sectionLabelFont(), DesignTokens::health(), body);
    sparkles->setVisible(content.showsFoundBytes);
    status->addWidget(sparkles);
    status_ = tokenLabel({}, DesignTokens::bodyFont(), DesignTokens::textSecondary(), body);
    status_->setWordWrap(true);
    status->addWidget(status_, 1);
    column->addLayout(status);
    showStatus(content);

    if (content.button != HeroButton::none) {
        button_ = new PrimaryButton(text(content.buttonTitle), text(content.buttonSymbol), PrimaryButton::Variant::accent,
                                    false, std::move(press), body);
        if (content.button == HeroButton::fullScan) button_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
        button_->setAccessibleDescription(text(content.buttonHint));
        setPlainToolTip(*button_, text(content.buttonHint));
        column->addWidget(button_, 0, Qt::AlignLeft);
    }
    holdCard(this, new GlassCard(GlassCard::Variant::hero, 24, 14, false, body, this));
    // What a scan found is said when the overview comes back after it.
    setAccessibleRole(*this, QAccessible::Grouping);
    markLanding(*this);
}

bool HeroOverviewCard::canShowInPlace(const HeroCardContent& next) const {
    auto shownWithNextStatus = content_;
    shownWithNextStatus.statusText = next.statusText;
    return shownWithNextStatus == next;
}

void HeroOverviewCard::showStatus(const HeroCardContent& next) {
    content_.statusText = next.statusText;
    status_->setText(text(next.statusText));
    setAccessibleName(text(next.statusText));
    setTextColor(status_, next.showsFoundBytes ? ColorToken(DesignTokens::textPrimary())
                                               : ColorToken(DesignTokens::textSecondary()));
}

// ---- Categories and history ----

TopCategoriesRow::TopCategoriesRow(const std::vector<CategoryTile>& tiles, std::function<void(model::CategoryType)> open,
                                   QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    for (const auto& tile : tiles) {
        auto* button = new TileButton(this);
        auto* inside = new QVBoxLayout(button);
        inside->setContentsMargins(0, 0, 0, 0);
        const auto icon = model::icon(tile.category);
        auto* card = new MetricCard(text(tile.label), text(tile.value), text(tile.caption),
                                    QString::fromUtf8(icon.data(), static_cast<qsizetype>(icon.size())),
                                    namedColor(model::color(tile.category)), button);
        card->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (tile.notice) {
            card->addNote(elidedTokenLabel(text(tile.notice->line), DesignTokens::detailFont(), DesignTokens::review(),
                                           Qt::ElideMiddle, card));
            setPlainToolTip(*button, text(tile.notice->detail));
            button->setAccessibleDescription(text(tile.notice->detail));
        }
        inside->addWidget(card);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        button->setAccessibleName(text(tile.label) + ", " + text(tile.value) + ", " + text(tile.caption));
        QObject::connect(button, &QPushButton::clicked, this, [open, category = tile.category] { open(category); });
        row->addWidget(button, 1);
        buttons_.push_back(button);
    }
    // Fewer than three tiles keep a third of the row each.
    if (tiles.size() < 3) row->addStretch(static_cast<int>(3 - tiles.size()));
}

CleaningHistoryCard::CleaningHistoryCard(const CleaningHistoryContent& content, QWidget* parent) : QWidget(parent) {
    QVBoxLayout* column = nullptr;
    auto* body = stackWidget(nullptr, 24, column);
    QVBoxLayout* titles = nullptr;
    auto* titleStack = stackWidget(body, 2, titles);
    titles->addWidget(tokenLabel(text(content.title), DesignTokens::titleFont(), DesignTokens::textPrimary(), titleStack));
    titles->addWidget(tokenLabel(text(content.totalText), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                 titleStack));
    column->addWidget(titleStack);

    auto* bars = new QHBoxLayout;
    bars->setSpacing(16);
    for (const auto& record : content.columns) {
        QVBoxLayout* stack = nullptr;
        auto* recordColumn = stackWidget(body, 4, stack);
        stack->addStretch();
        stack->addWidget(tokenLabel(text(record.sizeText), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                    recordColumn),
                         0, Qt::AlignHCenter);
        stack->addWidget(new HistoryBar(record.barHeight, recordColumn), 0, Qt::AlignHCenter);
        stack->addWidget(tokenLabel(text(record.dateText), DesignTokens::footnoteFont(), DesignTokens::textTertiary(),
                                    recordColumn),
                         0, Qt::AlignHCenter);
        setPlainToolTip(*recordColumn, text(record.helpText));
        recordColumn->setAccessibleName(text(record.helpText));
        bars->addWidget(recordColumn, 0, Qt::AlignBottom);
        columns_.push_back(recordColumn);
    }
    bars->addStretch();
    column->addLayout(bars);
    holdCard(this, new GlassCard(GlassCard::Variant::primary, 24, 14, false, body, this));
}

}  // namespace zentrel::ui
