#include "ui/tools/IMEGuideRow.hpp"

#include "ui/design/DesignLabels.hpp"
#include "ui/tools/TintedPanel.hpp"

#include <QGridLayout>
#include <QHBoxLayout>

namespace zentrel::ui {

namespace {

constexpr int kMethodWidth = 42;
constexpr int kChipColumnWidth = 84;

}  // namespace

IMEGuideRow::IMEGuideRow(const IMEGuide& guide, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto* method = tokenLabel(QString::fromUtf8(guide.method.data(), static_cast<int>(guide.method.size())),
                              DesignTokens::sectionLabelFont(), DesignTokens::textSecondary(), this);
    method->setMinimumWidth(kMethodWidth);
    row->addWidget(method, 0, Qt::AlignTop);

    // A grid keeps the chips of every line in the same three columns.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    for (int column = 0; column < 3; ++column) grid->setColumnMinimumWidth(column, kChipColumnWidth);
    for (std::size_t line = 0; line < guide.lines.size(); ++line) {
        const auto& examples = guide.lines[line];
        auto& chips = chips_.emplace_back();
        for (int column = 0; column < shownExampleCount(examples); ++column) {
            const auto text = examples[static_cast<std::size_t>(column)];
            auto* chip = new TintedPanel(DesignTokens::neutralTint(), 1.0, 8, this);
            auto* inside = new QHBoxLayout(chip);
            inside->setContentsMargins(6, 2, 6, 2);
            auto* label = tokenLabel(QString::fromUtf8(text.data(), static_cast<int>(text.size())),
                                     DesignTokens::codeFont(), DesignTokens::textPrimary(), chip);
            inside->addWidget(label);
            chips.push_back(label);
            grid->addWidget(chip, static_cast<int>(line), column, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    row->addLayout(grid);
    row->addStretch();
}

std::vector<QStringList> IMEGuideRow::shownLines() const {
    std::vector<QStringList> lines;
    for (const auto& chips : chips_) {
        QStringList texts;
        for (const auto* chip : chips) texts << chip->text();
        lines.push_back(texts);
    }
    return lines;
}

}  // namespace zentrel::ui
