#include "ui/main/CleaningView.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/PageLanding.hpp"
#include "ui/main/BusySpinner.hpp"
#include "ui/main/PageParts.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace zentrel::ui {
namespace {

// The strip behind the item being deleted: the danger tint in a rounded rectangle.
class TintedStrip final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        auto tint = DesignTokens::dangerTint().resolve(palette());
        tint.setAlphaF(tint.alphaF() * 0.55f);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 8, 8);
        painter.fillPath(shape, tint);
    }
};

bool sameRows(const std::vector<model::CleaningActivityEntry>& a, const std::vector<model::CleaningActivityEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) { return x.id == y.id; });
}

}  // namespace

CleaningView::CleaningView(viewmodels::ScanViewModel& viewModel, QWidget* parent)
    : QWidget(parent), viewModel_(viewModel) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    list_ = new LazyColumn(24, 16, this);
    outer->addWidget(list_);
    list_->addFixed(summaryCard());

    observers_.push_back(viewModel_.scanState.observe([this](const auto&) { showSummary(); }));
    observers_.push_back(viewModel_.cleaningTotalCount.observe([this](const auto&) { showSummary(); }));
    observers_.push_back(viewModel_.cleaningActivity.observe([this](const auto&) {
        showSummary();
        showActivity();
    }));
    showSummary();
    showActivity();
}

QWidget* CleaningView::summaryCard() {
    QVBoxLayout* content = nullptr;
    auto* body = stackWidget(nullptr, 16, content);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(symbolLabel("trash.fill", DesignTokens::headerIconFont(), DesignTokens::danger(), body));
    QVBoxLayout* titles = nullptr;
    auto* titleStack = stackWidget(body, 2, titles);
    titles->addWidget(tokenLabel(QString::fromStdString(cleaningSummary(viewModel_).title), DesignTokens::titleFont(),
                                 DesignTokens::textPrimary(), titleStack));
    count_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textSecondary(), titleStack);
    titles->addWidget(count_);
    header->addWidget(titleStack, 1);
    content->addLayout(header);

    bar_ = new QProgressBar(body);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(localizedText("Cleaning progress"));
    markLanding(*bar_);
    content->addWidget(bar_);

    strip_ = new TintedStrip(body);
    auto* strip = new QHBoxLayout(strip_);
    strip->setContentsMargins(12, 12, 12, 12);
    strip->setSpacing(12);
    strip->addWidget(new BusySpinner(16, strip_), 0, Qt::AlignVCenter);
    QVBoxLayout* current = nullptr;
    auto* currentStack = stackWidget(strip_, 2, current);
    current->addWidget(tokenLabel(localizedText("Deleting"), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                  currentStack));
    currentName_ = limitLines(tokenLabel({}, DesignTokens::bodyFont(), DesignTokens::textPrimary(), currentStack), 2);
    current->addWidget(currentName_);
    currentCategory_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textTertiary(), currentStack);
    current->addWidget(currentCategory_);
    strip->addWidget(currentStack, 1);
    content->addWidget(strip_);

    failureRow_ = new QWidget(body);
    auto* failure = new QHBoxLayout(failureRow_);
    failure->setContentsMargins(0, 0, 0, 0);
    failure->setSpacing(8);
    failure->addWidget(symbolLabel("exclamationmark.triangle.fill", DesignTokens::detailFont(), DesignTokens::danger(),
                                   failureRow_));
    failure_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::danger(), failureRow_);
    failure->addWidget(failure_, 1);
    content->addWidget(failureRow_);

    return new GlassCard(GlassCard::Variant::primary, 24, 14, false, body);
}

void CleaningView::showSummary() {
    const auto summary = cleaningSummary(viewModel_);
    count_->setText(QString::fromStdString(summary.countLine.value_or("")));
    count_->setVisible(summary.countLine.has_value());
    bar_->setValue(static_cast<int>(std::clamp(summary.progress, 0.0, 1.0) * 1000));
    strip_->setVisible(summary.current.has_value());
    if (summary.current) {
        currentName_->setText(QString::fromStdString(summary.current->name));
        currentCategory_->setText(QString::fromStdString(summary.current->category));
    }
    failureRow_->setVisible(summary.failureLine.has_value());
    failure_->setText(QString::fromStdString(summary.failureLine.value_or("")));
}

void CleaningView::showActivity() {
    const auto& entries = viewModel_.cleaningActivity();
    if (activity_ != nullptr && sameRows(entries, shownEntries_)) {
        // The same run moving on: built rows follow their entries in place.
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (!(entries[i] == shownEntries_[i])) rows_[i]->display(activityRow(entries[i], viewModel_.prefs().viewMode()));
        }
        shownEntries_ = entries;
        return;
    }
    shownEntries_ = entries;
    rows_.clear();
    activity_ = nullptr;
    list_->start([this, first = true]() mutable {
        if (first) {
            first = false;
            if (shownEntries_.empty()) return false;
            QVBoxLayout* content = nullptr;
            auto* body = stackWidget(nullptr, 12, content);
            content->addWidget(tokenLabel(localizedText("Activity"), DesignTokens::titleFont(), DesignTokens::textPrimary(),
                                          body));
            activity_ = content;
            list_->append(new GlassCard(GlassCard::Variant::primary, 16, 14, false, body));
            return true;
        }
        if (rows_.size() >= shownEntries_.size()) return false;
        auto* row = new CleaningActivityRow(activityRow(shownEntries_[rows_.size()], viewModel_.prefs().viewMode()), activity_->parentWidget());
        activity_->addWidget(row);
        rows_.push_back(row);
        return true;
    });
}

}  // namespace zentrel::ui
