#include "platform/input/SpareCodeMarks.hpp"

#include <charconv>

namespace zentrel::platform::x11 {
namespace {

constexpr std::string_view kPrefix = "_ZENTREL_SPARE_KEY_CODES_";

}  // namespace

std::string spareCodeMarkName(long pid) { return std::string(kPrefix) + std::to_string(pid); }

std::optional<long> spareCodeMarkOwner(std::string_view propertyName) {
    if (propertyName.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
    const auto digits = propertyName.substr(kPrefix.size());
    long pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc{} || end != digits.data() + digits.size() || pid <= 0) return std::nullopt;
    return pid;
}

std::vector<long> encodeSpareCodeMark(const SpareCodeMark& mark) {
    std::vector<long> values{mark.pid};
    for (const auto& m : mark.mappings) {
        values.push_back(static_cast<long>(m.code));
        values.push_back(static_cast<long>(m.withoutShift));
        values.push_back(static_cast<long>(m.withShift));
    }
    return values;
}

std::optional<SpareCodeMark> decodeSpareCodeMark(const std::vector<long>& values) {
    if (values.empty() || values.front() <= 0 || (values.size() - 1) % 3 != 0) return std::nullopt;
    SpareCodeMark mark{values.front(), {}};
    for (std::size_t i = 1; i < values.size(); i += 3) {
        if (values[i] <= 0 || values[i] > 255 || values[i + 1] <= 0 || values[i + 2] <= 0) return std::nullopt;
        mark.mappings.push_back({static_cast<unsigned>(values[i]), static_cast<SpareKeyCodes::Symbol>(values[i + 1]),
                                 static_cast<SpareKeyCodes::Symbol>(values[i + 2])});
    }
    return mark;
}

std::vector<unsigned> codesStillMarked(const SpareCodeMark& mark, const KeyLevelsOf& levelsOf) {
    std::vector<unsigned> codes;
    for (const auto& m : mark.mappings) {
        const KeyLevels now = levelsOf(m.code);
        if (!now.empty && now.withoutShift == m.withoutShift && now.withShift == m.withShift) codes.push_back(m.code);
    }
    return codes;
}

std::vector<SpareKeyCodes::Mapping> mappingsEmptied(const SpareCodeMark& mark, const KeyLevelsOf& levelsOf) {
    std::vector<SpareKeyCodes::Mapping> emptied;
    for (const auto& m : mark.mappings) {
        if (levelsOf(m.code).empty) emptied.push_back(m);
    }
    return emptied;
}

}  // namespace zentrel::platform::x11
