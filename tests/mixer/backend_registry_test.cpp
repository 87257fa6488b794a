// Choosing an audio back end by name, and the fall-back to the silent "Null".
#include "platform/backend_registry.h"

#include <gtest/gtest.h>

#include "platform/null_backend.h"

namespace platform::test {
namespace {

// A back end that says when it is shut down.
class FakeBackend final : public AudioBackend {
 public:
  explicit FakeBackend(bool* alive) : alive_(alive) { *alive_ = true; }
  ~FakeBackend() override { *alive_ = false; }
  void PlaySound(const Sound*) override {}
  Channel AllocChannel() override { return 7; }
  void ChannelPan(Channel, float) override {}
  void ChannelVolume(Channel, float) override {}
  void ChannelPlay(Channel, const Sound*) override {}
  int ChannelPlaying(Channel) override { return 0; }
  void StopChannel(Channel) override {}

 private:
  bool* alive_;
};

class BackendRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.Add({"Fake Out", [] { return true; },
                  [this](std::string*) -> std::unique_ptr<AudioBackend> {
                    ++fakeOpens;
                    return std::make_unique<FakeBackend>(&fakeAlive);
                  }});
    registry.Add({"Broken", [] { return true; },
                  [this](std::string* why) -> std::unique_ptr<AudioBackend> {
                    fakeAliveWhenBrokenOpened = fakeAlive;
                    *why = "device busy";
                    return nullptr;
                  }});
    registry.Add({"Absent", [] { return false; }, [](std::string*) { return std::unique_ptr<AudioBackend>(); }});
  }

  bool IsNull() { return dynamic_cast<NullBackend*>(&registry.Current()) != nullptr; }
  bool IsFake() { return dynamic_cast<FakeBackend*>(&registry.Current()) != nullptr; }

  // What MakeCurrent wrote to stderr.
  std::string MakeCurrent(const char* name) {
    ::testing::internal::CaptureStderr();
    registry.MakeCurrent(name);
    return ::testing::internal::GetCapturedStderr();
  }

  BackendRegistry registry;
  bool fakeAlive = false;
  bool fakeAliveWhenBrokenOpened = false;
  int fakeOpens = 0;
};

struct NameCase {
  const char* name;
  bool exists;
  const char* why;
};

class BackendNameTest : public BackendRegistryTest, public ::testing::WithParamInterface<NameCase> {};

INSTANTIATE_TEST_SUITE_P(
    Table, BackendNameTest,
    ::testing::Values(NameCase{"Null", true, "Null is always registered"},
                      NameCase{"nULL", true, "letter case doesn't matter"},
                      NameCase{"fake out", true, "names with spaces match in any case"},
                      NameCase{"FAKE OUT", true, "upper case matches"},
                      NameCase{"Fake", false, "a prefix is not the whole name"},
                      NameCase{"Fake Outside", false, "a longer name is not the name"},
                      NameCase{"Fake Out ", false, "a trailing space counts"},
                      NameCase{"", false, "the empty name names nothing"},
                      NameCase{"Absent", false, "a registered back end may say it doesn't exist"},
                      NameCase{"Mixer", false, "nothing else is registered"}));

TEST_P(BackendNameTest, MatchesWholeNamesInAnyCase) {
  EXPECT_EQ(registry.Exists(GetParam().name), GetParam().exists) << GetParam().why;
}

TEST_F(BackendRegistryTest, NullIsCurrentFromTheStart) {
  EXPECT_TRUE(IsNull()) << "before any choice the silent back end is current";
}

TEST_F(BackendRegistryTest, SuccessfulOpenReplacesNullQuietly) {
  EXPECT_EQ(MakeCurrent("fake OUT"), "") << "a back end that opens says nothing";
  EXPECT_TRUE(IsFake()) << "the named back end, found in any case, is current";
  EXPECT_EQ(registry.Current().AllocChannel(), 7) << "calls reach the chosen back end";
}

TEST_F(BackendRegistryTest, FailedOpenFallsBackToNullWithOneLine) {
  EXPECT_EQ(MakeCurrent("Broken"), "earshot: running without sound: device busy\n")
      << "one line on stderr, with the back end's own reason";
  EXPECT_TRUE(IsNull()) << "the game plays on in silence";
}

TEST_F(BackendRegistryTest, UnknownNameFallsBackToNullAndSaysSo) {
  const std::string said = MakeCurrent("Quadraphonic");
  EXPECT_EQ(said.rfind("earshot: running without sound: ", 0), 0u) << "the fall-back line: " << said;
  EXPECT_NE(said.find("Quadraphonic"), std::string::npos) << "the line names what was asked for: " << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << "exactly one line: " << said;
  EXPECT_TRUE(IsNull()) << "an unknown name leaves the silent back end";
}

TEST_F(BackendRegistryTest, PreviousBackendIsShutDownBeforeTheNextOpens) {
  MakeCurrent("Fake Out");
  ASSERT_TRUE(fakeAlive) << "the fake is open";
  MakeCurrent("Broken");
  EXPECT_FALSE(fakeAliveWhenBrokenOpened) << "the old output is closed before the new one is opened";
  EXPECT_FALSE(fakeAlive) << "and stays closed when the new one fails";
  EXPECT_TRUE(IsNull()) << "Null takes over";
}

TEST_F(BackendRegistryTest, ChoosingAgainShutsDownAndReopens) {
  MakeCurrent("Fake Out");
  MakeCurrent("Null");
  EXPECT_FALSE(fakeAlive) << "making Null current shuts the fake down";
  EXPECT_TRUE(IsNull()) << "Null is current";
  MakeCurrent("Fake Out");
  EXPECT_EQ(fakeOpens, 2) << "each choice opens the back end afresh";
  EXPECT_TRUE(fakeAlive && IsFake()) << "the fake is current again";
}

}  // namespace
}  // namespace platform::test
