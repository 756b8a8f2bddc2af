#include "typing/integration/InjectionProfilePreset.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::typing {

namespace {

struct PresetEntry {
    std::string_view id;
    std::string_view label;
    const InjectionProfile* profile;
};

// In the order of the enumeration.
constexpr std::array<PresetEntry, 7> kPresetEntries{{
    {"automatic", N_("Tự động (mặc định)"), &InjectionProfile::defaultProfile},
    {"slow", N_("Chậm — Terminal"), &InjectionProfile::terminal},
    {"passthrough", N_("Tắt bộ gõ"), &InjectionProfile::passthrough},
    {"axDirect", N_("AX Direct — Spotlight"), &InjectionProfile::spotlightAX},
    {"paste", N_("Dán clipboard — Remote"), &InjectionProfile::remotePaste},
    {"selection", N_("Chọn + gõ — Telegram Web"), &InjectionProfile::webPopupSelection},
    {"webEditor", N_("Web editor — Google Docs"), &InjectionProfile::webEditor},
}};

const PresetEntry& entry(InjectionProfilePreset preset) { return kPresetEntries.at(static_cast<std::size_t>(preset)); }

}  // namespace

std::string_view presetID(InjectionProfilePreset preset) { return entry(preset).id; }

std::optional<InjectionProfilePreset> injectionProfilePresetFromRaw(std::string_view raw) {
    for (auto preset : kAllInjectionProfilePresets)
        if (presetID(preset) == raw) return preset;
    return std::nullopt;
}

std::string_view label(InjectionProfilePreset preset) { return entry(preset).label; }

const InjectionProfile& profile(InjectionProfilePreset preset) { return *entry(preset).profile; }

}  // namespace zentrel::typing
