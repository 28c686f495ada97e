#pragma once

#include <string>
#include <vector>

namespace platform {

// Where data files are looked for, in order: first (when not empty; the host's
// game directory), $MENTARIUM_DATA (when set), the directory of the running
// executable, the current directory, then each directory on $PATH.
std::vector<std::string> searchDirectories(const std::string& first = {});

// The full path of the first regular file of that name in those directories
// ("" when none). A name with a directory part is only checked as it stands.
std::string findOnSearchPath(const std::string& name, const std::string& first = {});

// A path with the Windows separator '\' turned into '/'.
std::string nativePath(const std::string& path);

}  // namespace platform
