#pragma once
// What is cut or scrolls sideways on a laid-out page: every shown widget
// must lie inside the page, and inside the viewport of the scroll area that
// holds it in width (a scroll area may run on downwards); no horizontal
// scroll bar may show. One line per fault, naming the widget. The test
// application has a screen at 1x and one at 2x (OffscreenApplication.cpp).

#include <QSize>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

namespace zentrel::testing {

// A page's share beside the sidebar, under the title row, in the smallest
// window (900 x 600) and in the window's first size (1100 x 720).
inline constexpr QSize kSmallestPage{640, 540};
inline constexpr QSize kFirstPage{840, 640};
inline constexpr std::array kPageSizes{kSmallestPage, kFirstPage};

[[nodiscard]] std::vector<std::string> layoutFaults(QWidget& page);
// Shows the top-level page at `size` on the test screen at twice the scale,
// then on the one at 1x, lets it lay itself out each time and audits it; a
// fault at 2x says so. The page stays on the 1x screen.
[[nodiscard]] std::vector<std::string> layoutFaultsAt(QWidget& page, QSize size);

}  // namespace zentrel::testing
