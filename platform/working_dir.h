// The sound bank is opened by relative paths, so the game runs from the folder
// that holds the program, wherever it was started from.
#pragma once

#include <string>

namespace platform {

// The folder part of a file's absolute path: "/opt/earshot/earshot" gives
// "/opt/earshot", and a file at the root gives "/".
std::string FolderOf(const std::string& file);

// Makes the folder of the running program the working directory, following
// symbolic links, so an installed link bin/earshot finds the sounds beside
// the real file. False, with *why set, where that can't be done.
bool EnterProgramFolder(std::string* why);

}  // namespace platform
