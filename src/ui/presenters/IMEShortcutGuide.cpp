#include "ui/presenters/IMEShortcutGuide.hpp"

namespace zentrel::ui {

const std::array<IMEGuide, 3>& imeGuides() {
    static const std::array<IMEGuide, 3> guides = {{
        {"Telex",
         {{{"aa → â", "ow → ơ", "uw → ư"},
           {"ee → ê", "oo → ô", "dd → đ"},
           {"f → huyền", "s → sắc", "r → hỏi"},
           {"x → ngã", "j → nặng", "z → xoá dấu"}}}},
        {"VNI",
         {{{"a6 → â", "a8 → ă", "e6 → ê"},
           {"o6 → ô", "o7 → ơ", "u7 → ư"},
           {"1 → sắc", "2 → huyền", "3 → hỏi"},
           {"4 → ngã", "5 → nặng", "0 → xoá dấu"}}}},
        {"VIQR",
         {{{"a^ → â", "a( → ă", "e^ → ê"},
           {"o^ → ô", "o+ → ơ", "u+ → ư"},
           {"' → sắc", "` → huyền", "? → hỏi"},
           {"~ → ngã", ". → nặng", "dd → đ"}}}},
    }};
    return guides;
}

int shownExampleCount(const GuideLine& line) { return line[2].empty() ? 2 : 3; }

}  // namespace zentrel::ui
