#include "ui/panels/MenuBarSections.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/panels/MenuBarRows.hpp"

#include <QHBoxLayout>

namespace zentrel::ui {
namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

QVBoxLayout* sectionColumn(QWidget* section, int spacing, int vertical = 12) {
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(16, vertical, 16, vertical);
    column->setSpacing(spacing);
    return column;
}

// A section's title beside its symbol, in the body font at medium weight.
QHBoxLayout* headingRow(const QString& symbol, const QString& title, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    auto font = DesignTokens::bodyFont();
    font.weight = QFont::Medium;
    row->addWidget(symbolLabel(symbol, font, DesignTokens::textPrimary(), parent));
    row->addWidget(tokenLabel(title, font, DesignTokens::textPrimary(), parent));
    row->addStretch(1);
    return row;
}

}  // namespace

QWidget* diskUsageSection(const DiskUsageHeaderContent& content, QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* column = sectionColumn(section, 6);
    auto* heading = headingRow("internaldrive.fill", localizedText("Disk Usage"), section);
    heading->addWidget(tokenLabel(fromUtf8(content.freeText), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                  section));
    column->addLayout(heading);
    column->addWidget(
        new UsageBar(content.usedFraction, usageToken(content.color), fromUtf8(content.accessibleLabel), section));
    auto* figures = new QHBoxLayout;
    figures->addWidget(tokenLabel(fromUtf8(content.usedText), DesignTokens::detailFont(), DesignTokens::textSecondary(),
                                  section));
    figures->addStretch(1);
    figures->addWidget(tokenLabel(fromUtf8(content.totalText), DesignTokens::detailFont(), DesignTokens::textTertiary(),
                                  section));
    column->addLayout(figures);
    return section;
}

QWidget* batteryDigestSection(const BatteryDigestContent& content, QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* column = sectionColumn(section, 6);
    auto* heading = headingRow("battery.100", fromUtf8(content.title), section);
    if (content.wattsText)
        heading->addWidget(tokenLabel(fromUtf8(*content.wattsText), DesignTokens::detailFont(),
                                      DesignTokens::textSecondary(), section));
    column->addLayout(heading);
    if (content.offenders.empty()) {
        column->addWidget(tokenLabel(fromUtf8(content.collectingText), DesignTokens::detailFont(),
                                     DesignTokens::textTertiary(), section));
    }
    for (const auto& name : content.offenders) {
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        row->addWidget(symbolLabel("flame.fill", DesignTokens::footnoteFont(), DesignTokens::review(), section));
        row->addWidget(tokenLabel(fromUtf8(name), DesignTokens::detailFont(), DesignTokens::textPrimary(), section), 1);
        column->addLayout(row);
    }
    return section;
}

QWidget* categoriesSection(const std::vector<CategoryRowContent>& rows,
                           const std::function<void(model::CategoryType)>& open, QWidget* parent) {
    auto* section = new QWidget(parent);
    auto* column = sectionColumn(section, 4);
    column->addLayout(headingRow("chart.pie.fill", localizedText("Biggest categories"), section));
    for (const auto& content : rows) {
        auto* row = new CategoryRow(content, section);
        QObject::connect(row, &QPushButton::clicked, section, [open, category = content.category] { open(category); });
        column->addWidget(row);
    }
    return section;
}

QWidget* lastActivityLine(const LastActivity& activity, QWidget* parent) {
    auto* line = new QWidget(parent);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(16, 8, 16, 8);
    row->setSpacing(8);
    if (activity.cleaned)
        row->addWidget(symbolLabel("sparkles", DesignTokens::detailFont(), DesignTokens::health(), line));
    auto* text = tokenLabel(fromUtf8(activity.text), DesignTokens::detailFont(), DesignTokens::textSecondary(), line);
    text->setWordWrap(true);
    row->addWidget(text, 1);
    return line;
}

MemoryUsageSection::MemoryUsageSection(MemorySectionPresenter& presenter, std::function<void()> resized,
                                       QWidget* parent)
    : QWidget(parent), presenter_(presenter), resized_(std::move(resized)) {
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(0, 0, 0, 0);
    rebuild();
}

void MemoryUsageSection::rebuild() {
    if (body_ != nullptr) retireWidgets(column_, std::vector<QWidget*>{body_});
    body_ = new QWidget(this);
    const auto content = presenter_.content();
    auto* column = sectionColumn(body_, 6);
    auto* heading = headingRow("memorychip", localizedText("Memory"), body_);
    heading->addWidget(tokenLabel(fromUtf8(content.pressureLabel), DesignTokens::detailFont(),
                                  pressureToken(content.pressure), body_));
    column->addLayout(heading);
    column->addWidget(
        new UsageBar(content.usedFraction, pressureToken(content.pressure), fromUtf8(content.accessibleLabel), body_));
    if (!content.heavyApps.empty()) {
        auto* rows = new QVBoxLayout;
        rows->setContentsMargins(0, 2, 0, 0);
        rows->setSpacing(4);
        for (const auto& app : content.heavyApps) {
            rows->addWidget(new HeavyAppRow(app, [this, pid = app.pid] {
                presenter_.quit(pid);
                rebuild();
                if (resized_) resized_();
            }, body_));
        }
        column->addLayout(rows);
    }
    column_->addWidget(body_);
}

}  // namespace zentrel::ui
