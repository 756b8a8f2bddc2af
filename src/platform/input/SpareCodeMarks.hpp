#pragma once
// The mark a run leaves on the display for the spare key codes it mapped:
// its process id and each code's two levels, kept in a root window property
// named after the process (so that two runs never share one). A run killed
// before it could empty its codes leaves its mark behind; the next start
// frees the codes that still hold what the mark says and drops the mark. A
// reload of the keyboard map empties every code, and the run maps again
// those its mark names. Plain logic over X key symbols, without a display.

#include "platform/input/SpareKeyCodes.hpp"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::platform::x11 {

struct SpareCodeMark {
    long pid = 0;
    std::vector<SpareKeyCodes::Mapping> mappings;
    bool operator==(const SpareCodeMark&) const = default;
};

// The first two levels of a key code as the display maps it now.
struct KeyLevels {
    SpareKeyCodes::Symbol withoutShift = 0;
    SpareKeyCodes::Symbol withShift = 0;
    bool empty = true;  // no symbol at any level or group
};
using KeyLevelsOf = std::function<KeyLevels(unsigned code)>;

// The property's name for a run, and the run a property name belongs to.
[[nodiscard]] std::string spareCodeMarkName(long pid);
[[nodiscard]] std::optional<long> spareCodeMarkOwner(std::string_view propertyName);

// The property's contents: the pid, then code and levels for each mapping.
[[nodiscard]] std::vector<long> encodeSpareCodeMark(const SpareCodeMark& mark);
[[nodiscard]] std::optional<SpareCodeMark> decodeSpareCodeMark(const std::vector<long>& values);

// Codes that still hold what the mark says: those an ended run left mapped.
[[nodiscard]] std::vector<unsigned> codesStillMarked(const SpareCodeMark& mark, const KeyLevelsOf& levelsOf);
// Mappings whose code a reload emptied; a code the new map uses is left to it.
[[nodiscard]] std::vector<SpareKeyCodes::Mapping> mappingsEmptied(const SpareCodeMark& mark,
                                                                  const KeyLevelsOf& levelsOf);

}  // namespace zentrel::platform::x11
