#include "scene.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {
namespace {

using namespace std::chrono_literals;

struct Redirect {
  int fd;        // in the child
  fs::path file;  // opened for writing
};

// fork and exec, with the child killed should this process die first.
pid_t Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
            const std::vector<Redirect>& redirects, bool own_session, int keep_fd = -1, int keep_as = -1) {
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid > 0) return pid;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(127);
  if (own_session) setsid();
  // A test runner may leave SIGINT ignored, which exec would hand on.
  signal(SIGINT, SIG_DFL);
  for (const auto& r : redirects) {
    const int fd = open(r.file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || dup2(fd, r.fd) < 0) _exit(127);
    close(fd);
  }
  if (keep_fd >= 0 && dup2(keep_fd, keep_as) < 0) _exit(127);
  for (const auto& [name, value] : env) {
    if (value.empty()) unsetenv(name.c_str());
    else setenv(name.c_str(), value.c_str(), 1);
  }
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

// The exit status as a shell reports it: 128 + n for death by signal n.
int Status(int wstatus) { return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus); }

// Waits for pid up to limit; kills it after that. nullopt if it had to be killed.
std::optional<int> Reap(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  int wstatus = 0;
  while (std::chrono::steady_clock::now() < end) {
    if (waitpid(pid, &wstatus, WNOHANG) == pid) return Status(wstatus);
    std::this_thread::sleep_for(5ms);
  }
  kill(pid, SIGKILL);
  waitpid(pid, &wstatus, 0);
  return std::nullopt;
}

std::string ReadText(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

fs::path Scene::OriginalSfx(const std::string& name) {
  return fs::path(EARSHOT_BIN).parent_path() / "sfx" / (name + ".ogg");
}

Scene::Scene() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  dir_ = fs::temp_directory_path() / ("earshot-e2e-" + std::to_string(getpid()) + "-" + name);
  fs::remove_all(dir_);
  fs::create_directories(dir_ / "sfx");
  fs::copy_file(EARSHOT_BIN, dir_ / "earshot");
  fs::copy(fs::path(EARSHOT_BIN).parent_path() / "sfx", dir_ / "sfx", fs::copy_options::recursive);
  audio_ = dir_ / "audio.raw";
}

Scene::~Scene() {
  if (game_ > 0 && !status_) {
    kill(game_, SIGKILL);
    waitpid(game_, nullptr, 0);
  }
  if (xvfb_ > 0) {
    kill(xvfb_, SIGTERM);
    Reap(xvfb_, 2000ms);
  }
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

void Scene::StartDisplay() {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  // -displayfd: Xvfb picks a free display and names it once it accepts clients.
  xvfb_ = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, {},
                {{2, dir_ / "xvfb.log"}}, false, fds[1], 3);
  close(fds[1]);
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  const auto end = Clock::now() + 10s;
  while (number.find('\n') == std::string::npos && Clock::now() < end && poll(&p, 1, 100) >= 0) {
    char buf[32];
    if (!(p.revents & (POLLIN | POLLHUP))) continue;
    const ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    number.append(buf, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  ASSERT_NE(number.find('\n'), std::string::npos) << "Xvfb names its display once it runs: "
                                                  << ReadText(dir_ / "xvfb.log");
  display_ = std::string(":").append(number, 0, number.find('\n'));
}

void Scene::StartGame(const std::map<std::string, std::string>& env) {
  // Only the test's own X server may answer: no Wayland session, no driver forced.
  std::map<std::string, std::string> all = {{"DISPLAY", display_},
                                            {"SDL_VIDEODRIVER", ""},
                                            {"WAYLAND_DISPLAY", ""},
                                            {"SDL_AUDIODRIVER", "disk"},
                                            {"SDL_DISKAUDIOFILE", audio_.string()}};
  for (const auto& [k, v] : env) all[k] = v;
  game_ = Spawn({(dir_ / "earshot").string()}, all, {{1, dir_ / "stdout"}, {2, dir_ / "stderr"}}, true);
  marks_.clear();
}

void Scene::Run(const std::vector<std::string>& argv, std::string* out) {
  const fs::path file = dir_ / "run.out";
  const pid_t pid = Spawn(argv, {{"DISPLAY", display_}}, {{1, file}}, false);
  const auto status = Reap(pid, 10s);
  last_input_ = Clock::now();
  if (out) *out = ReadText(file);
  ASSERT_TRUE(status) << argv[0] << " " << argv[1] << " didn't finish within 10 s";
}

std::string Scene::AwaitWindow() {
  std::string out;
  Run({"xdotool", "search", "--sync", "--onlyvisible", "--pid", std::to_string(game_)}, &out);
  const std::string id = out.substr(0, out.find('\n'));
  EXPECT_FALSE(id.empty()) << "the game's window appears within 10 s; stderr: " << Stderr();
  return id;
}

void Scene::AwaitSound() { AwaitFrames(kRate / 10); }

void Scene::AwaitLoop(double max_seconds) {
  Run({"xdotool", "mousemove", "0", "0"});
  const auto end = Clock::now() + std::chrono::duration<double>(max_seconds);
  std::string where;
  while (Clock::now() < end && Running()) {
    Run({"xdotool", "getmouselocation", "--shell"}, &where);
    if (where.rfind("X=640\n", 0) == 0) return;
    Sleep(0.05);
  }
  ADD_FAILURE() << "the main loop re-centres the pointer within " << max_seconds << " s; last seen at " << where;
}

void Scene::Key(const std::string& key) { Run({"xdotool", "key", key}); }
void Scene::KeyDown(const std::string& key) { Run({"xdotool", "keydown", key}); }
void Scene::KeyUp(const std::string& key) { Run({"xdotool", "keyup", key}); }

void Scene::Hold(const std::string& key, double seconds) {
  KeyDown(key);
  Sleep(seconds);
  KeyUp(key);
}

void Scene::Click(int button) { Run({"xdotool", "click", std::to_string(button)}); }

void Scene::Turn(int pixels) {
  // In slices with ticks between them: the game re-centres the pointer every
  // tick, so no slice runs it into the edge of the screen. Each slice moves
  // to a point away from the centre of the 1280 x 1024 screen, not by an
  // offset: xdotool's relative move reads the pointer first, and a re-centring
  // between its read and its move would change the distance moved.
  constexpr int kSlice = 150;
  while (pixels != 0) {
    const int dx = std::clamp(pixels, -kSlice, kSlice);
    Run({"xdotool", "mousemove", std::to_string(640 + dx), "512"});
    pixels -= dx;
    if (pixels != 0) Sleep(0.06);
  }
}

void Scene::CloseRequest(const std::string& window) {
  const pid_t pid = Spawn({CLOSE_REQUEST_BIN, window}, {{"DISPLAY", display_}}, {}, false);
  EXPECT_EQ(Reap(pid, 10s), std::optional<int>(0)) << "the close request reaches the window";
}

void Scene::Interrupt() {
  last_input_ = Clock::now();
  kill(game_, SIGINT);
}

void Scene::Sleep(double seconds) {
  const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  for (auto now = Clock::now(); now < end; now = Clock::now()) {
    Poll();
    std::this_thread::sleep_for(std::min<Clock::duration>(10ms, end - now));
  }
}

bool Scene::Running() { return !AwaitExit(0); }

std::optional<int> Scene::AwaitExit(double seconds) {
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  while (!status_) {
    int wstatus = 0;
    const pid_t got = waitpid(game_, &wstatus, WNOHANG);
    if (got == game_) {
      exited_ = Clock::now();
      status_ = Status(wstatus);
      break;
    }
    if (got < 0 && errno != EINTR) break;
    Poll();
    if (Clock::now() >= end) break;
    std::this_thread::sleep_for(5ms);
  }
  return status_;
}

double Scene::SecondsFromLastInputToExit() const {
  return std::chrono::duration<double>(exited_ - last_input_).count();
}

double Scene::SecondsFromFrameToExit(std::size_t frame) const {
  // The moment the output reached frame, between the two notes around it.
  for (std::size_t i = 1; i < marks_.size(); ++i) {
    const auto& [t1, f1] = marks_[i];
    if (f1 < frame) continue;
    const auto& [t0, f0] = marks_[i - 1];
    const double share = f1 > f0 ? static_cast<double>(frame - std::min(frame, f0)) / static_cast<double>(f1 - f0) : 0;
    const auto at = t0 + std::chrono::duration_cast<Clock::duration>((t1 - t0) * share);
    return std::chrono::duration<double>(exited_ - at).count();
  }
  ADD_FAILURE() << "the output never reached frame " << frame;
  return 0;
}

double Scene::FramesPerSecond() const {
  // From the first note after the output began, so start-up doesn't count.
  std::size_t first = 0;
  while (first < marks_.size() && marks_[first].second == 0) ++first;
  if (first + 1 >= marks_.size()) return kRate;
  const auto& [t0, f0] = marks_[first];
  const auto& [t1, f1] = marks_.back();
  return static_cast<double>(f1 - f0) / std::chrono::duration<double>(t1 - t0).count();
}

void Scene::Poll() {
  std::error_code ec;
  const auto bytes = fs::file_size(audio_, ec);
  marks_.emplace_back(Clock::now(), ec ? 0 : bytes / (2 * sizeof(float)));
}

std::size_t Scene::FramesNow() {
  Poll();
  return marks_.back().second;
}

void Scene::AwaitFrames(std::size_t frame, double max_seconds) {
  const auto end = Clock::now() + std::chrono::duration<double>(max_seconds);
  while (FramesNow() < frame && Clock::now() < end && Running()) std::this_thread::sleep_for(5ms);
  EXPECT_GE(marks_.back().second, frame) << "the game's output reaches frame " << frame << " within " << max_seconds
                                         << " s; stderr: " << Stderr();
}

std::string Scene::Stderr() const { return ReadText(dir_ / "stderr"); }

std::vector<std::string> Scene::StderrLines(const std::string& prefix) const {
  std::vector<std::string> lines;
  std::istringstream in(Stderr());
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  }
  return lines;
}

}  // namespace e2e
