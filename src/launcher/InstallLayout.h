#pragma once

#include <string>
#include <vector>

namespace launcher {

// An installed program finds its library and its data relative to its own
// directory (bin/), so that an install under any prefix works with no
// environment and from any working directory.

// The installed data directory beside the program (bin/../share/mentarium).
std::string installedDataDirectory(const std::string& programDirectory);
// Adds the installed data directory to the search, right after the program's
// own directory (or at the end when that is not in the list).
void addInstalledDataDirectory(std::vector<std::string>& directories, const std::string& programDirectory);

// Opens the game library: the one beside the program (a build tree), else the
// installed one (bin/../lib/mentarium), else the one the program's RUNPATH leads to. Answers the handle, or null
// with the reason in error; path tells which file was tried last.
void* openGameLibrary(const std::string& programDirectory, std::string& path, std::string& error);

}  // namespace launcher
