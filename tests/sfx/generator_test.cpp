// The generator must write the same bytes on every run, or every build would
// ship a slightly different game.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bank_files.h"

namespace sfx_test {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Generator : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "sfxgen-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr) << "no scratch folder for the generator";
    scratch_ = pattern;
  }
  void TearDown() override {
    if (!scratch_.empty()) fs::remove_all(scratch_);
  }
  // Runs the generator into a fresh folder under the scratch folder.
  fs::path Generate(const std::string& name) {
    const fs::path out = scratch_ / name;
    const std::string command = std::string("'") + EARSHOT_SFXGEN + "' '" + out.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << "the generator failed: " << command;
    return out;
  }
  fs::path scratch_;
};

TEST_F(Generator, WritesTheSameBytesOnEveryRun) {
  const fs::path first = Generate("first");
  const fs::path second = Generate("second");
  for (const BankFile& file : Files()) {
    const std::string name = file.name + ".ogg";
    const std::string a = Contents(first / name);
    ASSERT_FALSE(a.empty()) << name << " was not written";
    EXPECT_EQ(a, Contents(second / name)) << name << " differs between two runs of the generator";
    EXPECT_EQ(a, Contents(fs::path(EARSHOT_SFX_DIR) / name))
        << name << " in the build tree is not what the generator writes now";
  }
}

TEST_F(Generator, FailsRatherThanWritingWhereItCannot) {
  const fs::path blocker = scratch_ / "a-file";
  std::ofstream(blocker) << "not a folder";
  const std::string command = std::string("'") + EARSHOT_SFXGEN + "' '" + (blocker / "sfx").string() + "' 2>/dev/null";
  EXPECT_NE(std::system(command.c_str()), 0) << "a build must stop when the sound bank can't be written";
}

}  // namespace
}  // namespace sfx_test
