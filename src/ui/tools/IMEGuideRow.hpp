#pragma once
// One input method's examples in the shortcut sheet: its name at the left,
// then its lines of example chips, lined up in three columns.

#include "ui/presenters/IMEShortcutGuide.hpp"

#include <QLabel>
#include <QWidget>

#include <vector>

namespace zentrel::ui {

class IMEGuideRow final : public QWidget {
public:
    explicit IMEGuideRow(const IMEGuide& guide, QWidget* parent = nullptr);

    // The chips' texts, line by line.
    [[nodiscard]] std::vector<QStringList> shownLines() const;

private:
    std::vector<std::vector<QLabel*>> chips_;
};

}  // namespace zentrel::ui
