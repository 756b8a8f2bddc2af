#pragma once
// The typing shortcut sheet's content: the two global shortcuts and, for
// each input method, four lines of up to three examples (N_("aa → â")). A line
// whose third example is empty shows two.

#include "platform/text/Localization.hpp"
#include <array>
#include <string_view>

namespace zentrel::ui {

using GuideLine = std::array<std::string_view, 3>;

struct IMEGuide {
    std::string_view method;
    std::array<GuideLine, 4> lines;
};

inline constexpr std::string_view kShortcutSheetTitle = "Bảng phím tắt";
inline constexpr std::string_view kGeneralShortcutsTitle = N_("Phím tắt chung");
inline constexpr std::array<std::string_view, 2> kGeneralShortcuts = {
    N_("⌃⇧V — bật/tắt tiếng Việt cho app đang dùng (tự ghi nhớ)"),
    N_("⌃⌥ — phục hồi chuỗi gốc đang gõ"),
};

// Telex, VNI and VIQR, in that order.
[[nodiscard]] const std::array<IMEGuide, 3>& imeGuides();

// The examples a line shows: the third only when it is not empty.
[[nodiscard]] int shownExampleCount(const GuideLine& line);

}  // namespace zentrel::ui
