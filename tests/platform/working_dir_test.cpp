#include "platform/working_dir.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace platform {
namespace {

TEST(FolderOfTest, DropsTheFileName) {
  struct Case {
    const char* file;
    const char* folder;
  };
  const Case cases[] = {{"/opt/earshot/earshot", "/opt/earshot"}, {"/earshot", "/"}, {"earshot", "."}};
  for (const Case& c : cases) EXPECT_EQ(FolderOf(c.file), c.folder) << "the folder of " << c.file;
}

TEST(EnterProgramFolderTest, MakesTheProgramsFolderTheWorkingDirectory) {
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path("/");
  std::string why;
  ASSERT_TRUE(EnterProgramFolder(&why)) << why;
  const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe");
  EXPECT_EQ(std::filesystem::current_path(), exe.parent_path()) << "the sound bank is found beside the program";
  std::filesystem::current_path(old);
}

}  // namespace
}  // namespace platform
