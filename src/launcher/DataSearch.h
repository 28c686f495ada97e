#pragma once

#include <string>
#include <vector>

namespace launcher {

// Where the host looks for a file of the game, in order: the --data directory (when
// given), $MENTARIUM_DATA, the program's directory, the current directory, the
// directories on PATH.
std::vector<std::string> searchDirectories(const std::string& dataOption, const std::string& programDirectory);
// The first directory that holds name, or "" when none does.
std::string findIn(const std::vector<std::string>& directories, const std::string& name);
// The directory of the running executable.
std::string programDirectory();

}  // namespace launcher
