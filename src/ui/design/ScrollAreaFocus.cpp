#include "ui/design/ScrollAreaFocus.hpp"

namespace zentrel::ui {

void keepOutOfTabOrder(QAbstractScrollArea& area) {
    area.setFocusPolicy(Qt::NoFocus);
    area.viewport()->setFocusPolicy(Qt::NoFocus);
}

}  // namespace zentrel::ui
