#pragma once
// The features page: its introduction and the adaptive grid its cards stand
// in, as many columns of a minimum to a maximum width as fit the page.

#include "platform/text/Localization.hpp"
#include <string_view>

namespace zentrel::ui {

// One adaptive grid item: columns between `minimum` and `maximum` points wide,
// `spacing` apart.
struct AdaptiveGridItem {
    double minimum = 0;
    double maximum = 0;
    double spacing = 0;
};

// The main window's features grid.
inline constexpr AdaptiveGridItem kFeatureGridColumns{360, 560, 16};

inline constexpr std::string_view kFeaturesIntro =
    N_("Type Vietnamese in every app with Zentrel's built-in typing: Telex, VNI or VIQR.");

struct GridColumns {
    int count = 1;
    double width = 0;

    bool operator==(const GridColumns&) const = default;
};

// As many columns as fit `available` at their maximum width, at least one:
// a card grows with the page up to the maximum and never shrinks as the page
// widens. A page narrower than the maximum gets one column of its whole width.
[[nodiscard]] GridColumns adaptiveGridColumns(const AdaptiveGridItem& item, double available);

}  // namespace zentrel::ui
