#pragma once
// A page that names itself and nothing more, standing in for a screen that
// this build does not have yet.

#include <QVBoxLayout>
#include <QWidget>

#include <functional>

namespace zentrel::ui {

class PlaceholderPage final : public QWidget {
public:
    explicit PlaceholderPage(const QString& name, QWidget* parent = nullptr);

    // A button under the name.
    void addButton(const QString& title, std::function<void()> action);

private:
    QVBoxLayout* layout_ = nullptr;
};

}  // namespace zentrel::ui
