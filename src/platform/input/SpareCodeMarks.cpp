#include "platform/input/SpareCodeMarks.hpp"

#include <charconv>

namespace zentrel::platform::x11 {
namespace {

constexpr std::string_view kPrefix = "_ZENTREL_SPARE_KEY_CODES_";
// The first value of a mark that names its writer; an older mark starts with a pid, far below it.
constexpr long kVersionTag = 0x5a4b4332;
constexpr std::size_t kHeader = 6;  // tag, pid, uid, host, session, window

std::uint32_t hashed(std::string_view text) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

std::optional<long> number(std::string_view digits) {
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || value <= 0) return std::nullopt;
    return value;
}

std::optional<std::vector<SpareKeyCodes::Mapping>> mappingsFrom(const std::vector<long>& values, std::size_t first) {
    if ((values.size() - first) % 3 != 0) return std::nullopt;
    std::vector<SpareKeyCodes::Mapping> mappings;
    for (std::size_t i = first; i < values.size(); i += 3) {
        if (values[i] <= 0 || values[i] > 255 || values[i + 1] <= 0 || values[i + 2] <= 0) return std::nullopt;
        mappings.push_back({static_cast<unsigned>(values[i]), static_cast<SpareKeyCodes::Symbol>(values[i + 1]),
                            static_cast<SpareKeyCodes::Symbol>(values[i + 2])});
    }
    return mappings;
}

}  // namespace

RunIdentity runIdentity(long uid, std::string_view host, std::string_view session) {
    return {uid, hashed(host), hashed(session)};
}

std::string spareCodeMarkName(long pid, unsigned long window) {
    return std::string(kPrefix) + std::to_string(pid) + "_" + std::to_string(window);
}

std::optional<long> spareCodeMarkOwner(std::string_view propertyName) {
    if (propertyName.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
    const auto rest = propertyName.substr(kPrefix.size());
    const auto separator = rest.find('_');
    if (separator != std::string_view::npos && !number(rest.substr(separator + 1))) return std::nullopt;
    return number(rest.substr(0, separator));
}

std::vector<long> encodeSpareCodeMark(const SpareCodeMark& mark) {
    const RunIdentity writer = mark.writer.value_or(RunIdentity{});
    // Format 32 properties carry 32 bits of each long.
    std::vector<long> values{kVersionTag,
                             mark.pid,
                             writer.uid,
                             static_cast<long>(writer.host),
                             static_cast<long>(writer.session),
                             static_cast<long>(mark.window & 0xffffffffUL)};
    for (const auto& m : mark.mappings) {
        values.push_back(static_cast<long>(m.code));
        values.push_back(static_cast<long>(m.withoutShift));
        values.push_back(static_cast<long>(m.withShift));
    }
    return values;
}

std::optional<SpareCodeMark> decodeSpareCodeMark(const std::vector<long>& values) {
    if (values.empty() || values.front() <= 0) return std::nullopt;
    if (values.front() != kVersionTag) {
        auto mappings = mappingsFrom(values, 1);
        if (!mappings) return std::nullopt;
        return SpareCodeMark{values.front(), 0, std::nullopt, std::move(*mappings)};
    }
    if (values.size() < kHeader || values[1] <= 0 || values[5] <= 0) return std::nullopt;
    auto mappings = mappingsFrom(values, kHeader);
    if (!mappings) return std::nullopt;
    const RunIdentity writer{values[2], static_cast<std::uint32_t>(values[3]), static_cast<std::uint32_t>(values[4])};
    return SpareCodeMark{values[1], static_cast<unsigned long>(values[5]), writer, std::move(*mappings)};
}

bool isMarkOfEndedRun(const SpareCodeMark& mark, const RunIdentity& self, bool writerConnected) {
    return mark.writer && *mark.writer == self && mark.window != 0 && !writerConnected;
}

std::vector<unsigned> codesStillMarked(const SpareCodeMark& mark, const KeyLevelsOf& levelsOf,
                                       const LayoutUses& layoutUses) {
    std::vector<unsigned> codes;
    for (const auto& m : mark.mappings) {
        if (m.withoutShift != m.withShift || layoutUses(m.code)) continue;
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
