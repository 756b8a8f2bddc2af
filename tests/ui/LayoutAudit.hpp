#pragma once
// What is cut or scrolls sideways on a laid-out page: every shown widget
// must lie inside the page, and inside the viewport of the scroll area that
// holds it in width (a scroll area may run on downwards); no horizontal
// scroll bar may show. One line per fault, naming the widget.

#include <QSize>
#include <QWidget>

#include <string>
#include <vector>

namespace zentrel::testing {

// The smallest window's share for a page beside the sidebar, under the title row.
inline constexpr QSize kSmallestPage{640, 540};

[[nodiscard]] std::vector<std::string> layoutFaults(QWidget& page);
// Shows the page at `size`, lets it lay itself out and audits it.
[[nodiscard]] std::vector<std::string> layoutFaultsAt(QWidget& page, QSize size);

}  // namespace zentrel::testing
