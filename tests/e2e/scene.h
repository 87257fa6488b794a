// One run of the real program: a copy of it with its own sfx/ folder in a
// temporary folder, on an X server of its own, driven with xdotool and heard
// through SDL's disk audio driver. Every process it starts dies with it, on
// every path: the destructor kills what still runs, and each child is tied
// to the test process so that not even a killed test leaves one behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "captured_audio.h"

namespace e2e {

namespace fs = std::filesystem;

class Scene {
 public:
  Scene();  // the copy of the program and its sounds; nothing runs yet
  ~Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // The copy's own sound file, to be replaced before Start.
  fs::path Sfx(const std::string& name) const { return dir_ / "sfx" / (name + ".ogg"); }
  // The build's original of a sound file, which the copy's one replaces.
  static fs::path OriginalSfx(const std::string& name);

  void StartDisplay();  // a private Xvfb at 1280 x 1024
  // The game in a session of its own (so SIGINT reaches it as from a
  // terminal), with the disk audio driver unless env says otherwise.
  void StartGame(const std::map<std::string, std::string>& env = {});
  std::string AwaitWindow();  // the game's window id, once it is mapped
  void AwaitSound();          // until the mixer's output has begun
  // Until the main loop runs, which re-centres the pointer on every tick:
  // clicks before then would all be taken up by the first pass.
  void AwaitLoop(double max_seconds = 30);

  void Key(const std::string& key);  // pressed and released at once
  void KeyDown(const std::string& key);
  void KeyUp(const std::string& key);
  void Hold(const std::string& key, double seconds);
  void Click(int button);  // 1 left, 3 right
  void Turn(int pixels);   // horizontal mouse motion, right positive
  void CloseRequest(const std::string& window);
  void Interrupt();  // SIGINT to the game
  void Sleep(double seconds);

  bool Running();
  // The exit status once the game ends within seconds; nullopt if it doesn't.
  std::optional<int> AwaitExit(double seconds);
  // Wall seconds from the end of the last input sent to the game's exit.
  double SecondsFromLastInputToExit() const;
  // Wall seconds from the moment frame was written to the game's exit.
  double SecondsFromFrameToExit(std::size_t frame) const;
  // Frames of sound written per wall second, over the run so far.
  double FramesPerSecond() const;

  std::size_t FramesNow();  // how far the output has got
  void AwaitFrames(std::size_t frame, double max_seconds = 10);
  Clip Capture(std::size_t from = 0) const { return ReadCapture(audio_, from); }
  std::string Stderr() const;
  // The stderr lines that start with prefix.
  std::vector<std::string> StderrLines(const std::string& prefix) const;

 private:
  using Clock = std::chrono::steady_clock;
  void Run(const std::vector<std::string>& argv, std::string* out = nullptr);
  void Poll();  // notes the output's length against the clock

  fs::path dir_, audio_;
  std::string display_;
  pid_t xvfb_ = -1, game_ = -1;
  std::optional<int> status_;
  Clock::time_point last_input_, exited_;
  std::vector<std::pair<Clock::time_point, std::size_t>> marks_;  // (when, frames written)
};

}  // namespace e2e
