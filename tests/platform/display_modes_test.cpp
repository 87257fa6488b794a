#include "platform/sdl_display.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(UsableModesTest, KeepsDeepEnoughModesInReportedOrder) {
  const std::vector<Mode> reported = {
      {1280, 1024, 32, 60}, {800, 600, 8, 60}, {1024, 768, 24, 75}, {640, 480, 15, 60}, {640, 480, 16, 0}};
  const std::vector<Mode> usable = UsableModes(reported);
  ASSERT_EQ(usable.size(), 3u) << "modes below 16 bits per pixel are left out";
  EXPECT_EQ(usable[0].w, 1280) << "the display's order is kept";
  EXPECT_EQ(usable[1].w, 1024) << "the display's order is kept";
  EXPECT_EQ(usable[1].hz, 75) << "a mode keeps its own rate";
  EXPECT_EQ(usable[2].bpp, 16) << "16 bits per pixel is deep enough";
}

TEST(UsableModesTest, ListsAtMostTheFirst1024) {
  std::vector<Mode> reported;
  for (int i = 0; i < 3000; ++i) reported.push_back({640 + i, 480, i % 2 ? 32 : 8, 60});
  const std::vector<Mode> usable = UsableModes(reported);
  ASSERT_EQ(usable.size(), kMaxModes) << "the list is capped";
  EXPECT_EQ(usable.back().w, 640 + 2 * 1024 - 1) << "the cap counts usable modes, the first 1024 of them";
}

TEST(IsHeadlessTest, AStandInDriverIsNoDisplayUnlessAskedFor) {
  struct Case {
    const char* driver;
    const char* asked;
    bool headless;
  };
  const Case cases[] = {{"x11", nullptr, false},      {"wayland", nullptr, false},
                        {"offscreen", nullptr, true}, {"dummy", nullptr, true},
                        {"dummy", "", true},          {"dummy", "dummy", false},
                        {"offscreen", "offscreen", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsHeadless(c.driver, c.asked), c.headless)
        << "driver " << c.driver << " with SDL_VIDEODRIVER " << (c.asked ? c.asked : "unset");
  }
}

}  // namespace
}  // namespace platform
