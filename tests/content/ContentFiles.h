#pragma once

// Access to the built content for the tests: the item list that the content
// build writes (name <TAB> file), the files themselves and the tool paths.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace contenttest {

std::string sourceDir();  // the repository
std::string binaryDir();  // the build folder
std::string toolPath(const std::string& tool);

// Archive item name -> built file.
const std::map<std::string, std::string>& items();
bool hasItem(const std::string& name);

std::vector<uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);

// A fresh empty folder under the system's temporary folder; removed by the caller.
std::string makeTempDir(const std::string& tag);
// Runs a command through the shell; answers its exit status.
int run(const std::string& command);

}  // namespace contenttest
