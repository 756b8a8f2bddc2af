#pragma once
// Rules on entry names shared by every walk and listing: which names are
// hidden, and which folders are packages (bundles shown to the user as one
// document or application, like "Safari.app" or "Vacation.photoslibrary").

#include <string>
#include <string_view>

namespace zentrel::platform {

// A name beginning with "." (".git", ".DS_Store").
[[nodiscard]] bool isHiddenName(std::string_view name);

// A folder name whose extension names a package kind, compared without regard
// to case ("Xcode.app", "Foo.FRAMEWORK").
[[nodiscard]] bool isPackageName(std::string_view name);

// The last path component of a path ("/a/b.txt" gives "b.txt").
[[nodiscard]] std::string_view lastPathComponent(std::string_view path);

// `folder` + "/" + `name`, without doubling a trailing "/" of the folder.
[[nodiscard]] std::string appendingPathComponent(std::string_view folder, std::string_view name);

}  // namespace zentrel::platform
