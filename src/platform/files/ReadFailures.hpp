#pragma once
// Places that are there but could not be read (permission denied, an I/O
// error), as the real file system meets them. Nobody is told unless a
// program sets a listener; the command line names each such place.

#include <functional>
#include <string>
#include <system_error>

namespace zentrel::platform {

using ReadFailureListener = std::function<void(const std::string& path, std::error_code error)>;

// Replaces the listener (none when empty) and returns the previous one. It
// may be called on any thread, one call at a time.
ReadFailureListener setReadFailureListener(ReadFailureListener listener);

// Tells the listener about `path` when `error` (an errno value) says it could
// not be read; a place that is not there, or is not what was asked for, is no
// read failure.
void noteReadFailure(const std::string& path, int error);

}  // namespace zentrel::platform
