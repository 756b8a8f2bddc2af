#pragma once
// The spare code marks (SpareCodeMarks) on an X display: each run publishes
// the codes it mapped on the root window, frees at its start what ended runs
// left mapped, and maps its own codes again after a reload of the keyboard
// map emptied them. Reading a mark and the map and acting on them happens
// under a server grab, so that no other change lands in between.

#include "platform/input/SpareKeyCodes.hpp"

#include <functional>
#include <string>
#include <vector>

using Display = struct _XDisplay;

namespace zentrel::platform::x11 {

// Replaces this run's mark with `mappings` (none: removes it). The first
// mark makes a window on `display` that the mark names; the server destroys
// it when that connection closes, however the run ends.
void publishSpareCodeMark(Display* display, const std::vector<SpareKeyCodes::Mapping>& mappings);

// Whether a process runs; a pid another user's process holds counts as running.
[[nodiscard]] bool processIsRunning(long pid);

// Empties the codes that ended runs of this user's session left mapped as
// their marks say, where the keyboard's layout uses no such code, and
// removes those marks (SpareCodeMarks). A run counts as ended when its
// window is gone and, as far as this process can see, its pid too.
void freeSpareCodesOfEndedRuns(Display* display, const std::function<bool(long)>& isRunning = processIsRunning);
// The same on a connection of its own (empty name: $DISPLAY); nothing when no display opens.
void freeSpareCodesOfEndedRuns(const std::string& displayName);

// Maps again this run's codes that the map now leaves empty.
void mapEmptiedSpareCodesAgain(Display* display);

}  // namespace zentrel::platform::x11
