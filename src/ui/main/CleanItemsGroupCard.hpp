#pragma once
// A card of result rows of one subcategory: its title in small capitals when
// it has one, then the rows with a hairline between each two. Rows are added
// one at a time, so a long group is built as it is scrolled.

#include <QVBoxLayout>
#include <QWidget>

#include <optional>

namespace zentrel::ui {

class CleanItemsGroupCard final : public QWidget {
public:
    explicit CleanItemsGroupCard(const std::optional<QString>& title, QWidget* parent = nullptr);

    void addRow(QWidget* row);
    // Where rows go: their parent.
    [[nodiscard]] QWidget* rowParent() const { return body_; }
    [[nodiscard]] int rowCount() const { return rows_; }
    [[nodiscard]] int dividerCount() const { return rows_ > 0 ? rows_ - 1 : 0; }

private:
    QWidget* body_ = nullptr;
    QVBoxLayout* content_ = nullptr;
    int rows_ = 0;
};

}  // namespace zentrel::ui
