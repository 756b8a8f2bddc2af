#include "ui/presenters/IMEShortcutGuide.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::ui {

const std::array<IMEGuide, 3>& imeGuides() {
    static const std::array<IMEGuide, 3> guides = {{
        {"Telex",
         {{{N_("aa → â"), N_("ow → ơ"), N_("uw → ư")},
           {N_("ee → ê"), N_("oo → ô"), N_("dd → đ")},
           {N_("f → huyền"), N_("s → sắc"), N_("r → hỏi")},
           {N_("x → ngã"), N_("j → nặng"), N_("z → xoá dấu")}}}},
        {"VNI",
         {{{N_("a6 → â"), N_("a8 → ă"), N_("e6 → ê")},
           {N_("o6 → ô"), N_("o7 → ơ"), N_("u7 → ư")},
           {N_("1 → sắc"), N_("2 → huyền"), N_("3 → hỏi")},
           {N_("4 → ngã"), N_("5 → nặng"), N_("0 → xoá dấu")}}}},
        {"VIQR",
         {{{N_("a^ → â"), N_("a( → ă"), N_("e^ → ê")},
           {N_("o^ → ô"), N_("o+ → ơ"), N_("u+ → ư")},
           {N_("' → sắc"), N_("` → huyền"), N_("? → hỏi")},
           {N_("~ → ngã"), N_(". → nặng"), N_("dd → đ")}}}},
    }};
    return guides;
}

int shownExampleCount(const GuideLine& line) { return line[2].empty() ? 2 : 3; }

}  // namespace zentrel::ui
