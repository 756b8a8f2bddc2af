#include "ui/TabRound.hpp"

#include <QApplication>
#include <QTest>

namespace zentrel::testing {

std::vector<QWidget*> tabRound(QWidget& window) {
    if (auto* focused = QApplication::focusWidget()) focused->clearFocus();
    std::vector<QWidget*> visited;
    for (int press = 0; press < 200; ++press) {
        auto* from = QApplication::focusWidget();
        QTest::keyClick(from != nullptr ? from : &window, Qt::Key_Tab);
        auto* to = QApplication::focusWidget();
        if (to == nullptr || (!visited.empty() && to == visited.front())) break;
        visited.push_back(to);
    }
    return visited;
}

}  // namespace zentrel::testing
