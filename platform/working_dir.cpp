#include "platform/working_dir.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {

std::string FolderOf(const std::string& file) {
  const std::size_t slash = file.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return file.substr(0, slash);
}

bool EnterProgramFolder(std::string* why) {
  // /proc/self/exe names the real file, with every link on the way resolved.
  std::error_code err;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", err);
  if (err) {
    *why = "cannot find the program's file: " + err.message();
    return false;
  }
  const std::string folder = FolderOf(exe.string());
  if (chdir(folder.c_str()) != 0) {
    *why = "cannot enter " + folder + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace platform
