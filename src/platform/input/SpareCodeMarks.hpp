#pragma once
// The mark a run leaves on the display for the spare key codes it mapped:
// who wrote it (the process id, the user, the host and the login session),
// a window of the writing connection, which the server destroys when that
// connection goes, and each code's two levels; kept in a root window
// property named after the run (so that two runs never share one). A run
// killed before it could empty its codes leaves its mark behind; a later
// start of the same user's session frees the codes that still hold what the
// mark says and that no key of the layout uses, once the writer's window is
// gone, and drops the mark. A mark of another session or host, of an older
// version that named none, or of a connection still open (a run in another
// process namespace, whose pid tells nothing here) is left alone. A reload
// of the keyboard map empties every code, and the run maps again those its
// mark names. Plain logic over X key symbols, without a display.

#include "platform/input/SpareKeyCodes.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::platform::x11 {

// The user, host and login session of a run, the last two as hashes of their names.
struct RunIdentity {
    long uid = 0;
    std::uint32_t host = 0;
    std::uint32_t session = 0;
    bool operator==(const RunIdentity&) const = default;
};
[[nodiscard]] RunIdentity runIdentity(long uid, std::string_view host, std::string_view session);

struct SpareCodeMark {
    long pid = 0;
    unsigned long window = 0;           // of the writing connection; 0 in a mark of an older version
    std::optional<RunIdentity> writer;  // none in a mark of an older version
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
// Whether a key of the keyboard's layout uses a code (a spare code is one it leaves empty).
using LayoutUses = std::function<bool(unsigned code)>;

// The property's name for a run, and the run a property name belongs to
// (names of older versions, without the window, included).
[[nodiscard]] std::string spareCodeMarkName(long pid, unsigned long window);
[[nodiscard]] std::optional<long> spareCodeMarkOwner(std::string_view propertyName);

// The property's contents: a version tag, pid, user, host, session and
// window, then code and levels for each mapping. Marks of the older
// version (the pid, then the mappings) are read too.
[[nodiscard]] std::vector<long> encodeSpareCodeMark(const SpareCodeMark& mark);
[[nodiscard]] std::optional<SpareCodeMark> decodeSpareCodeMark(const std::vector<long>& values);

// Whether `self` may free the codes of the mark and drop it: the mark is of
// the same user, host and session, and its writer's connection is gone.
[[nodiscard]] bool isMarkOfEndedRun(const SpareCodeMark& mark, const RunIdentity& self, bool writerConnected);

// Codes that an ended run left mapped: they still hold what the mark says,
// one symbol at both levels as runs map them, and no key of the layout uses them.
[[nodiscard]] std::vector<unsigned> codesStillMarked(const SpareCodeMark& mark, const KeyLevelsOf& levelsOf,
                                                     const LayoutUses& layoutUses);
// Mappings whose code a reload emptied; a code the new map uses is left to it.
[[nodiscard]] std::vector<SpareKeyCodes::Mapping> mappingsEmptied(const SpareCodeMark& mark,
                                                                  const KeyLevelsOf& levelsOf);

}  // namespace zentrel::platform::x11
