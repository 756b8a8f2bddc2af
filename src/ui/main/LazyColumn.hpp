#pragma once
// A scrolling column whose rows are built a batch at a time: the first batch
// when it starts, the next whenever the view comes within a page of the end.
// A list of ten thousand items opens as fast as one of forty.

#include <QScrollArea>
#include <QVBoxLayout>

#include <functional>

namespace zentrel::ui {

class LazyColumn final : public QScrollArea {
public:
    // Builds the next row (through append() or into a card already
    // appended); false when nothing is left.
    using Step = std::function<bool()>;
    static constexpr int kBatch = 40;

    LazyColumn(int margin, int spacing, QWidget* parent = nullptr);

    // Adds a widget above the built rows that start() keeps.
    void addFixed(QWidget* widget);
    // Adds a widget after everything built so far.
    void append(QWidget* widget);
    // Drops every appended widget and builds the first batch of `step`.
    void start(Step step);
    void fetchMore();
    [[nodiscard]] bool hasMore() const { return static_cast<bool>(step_); }
    [[nodiscard]] QVBoxLayout* column() const { return column_; }

private:
    void fetchIfNearEnd();

    QVBoxLayout* column_ = nullptr;
    std::vector<QWidget*> shown_;
    int fixedCount_ = 0;
    Step step_;
    bool fetchQueued_ = false;
};

}  // namespace zentrel::ui
