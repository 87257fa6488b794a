// Starts the program and plays it through XTest, as a player would, noting
// on the steady clock when each event was sent to the X server:
//   input_driver shots N SECONDS OUT PROGRAM  N left clicks 90 to 170 ms
//       apart, then the mouse left alone until SECONDS after the start, then
//       Escape; the program's CPU time over the quiet part is noted too
//   input_driver startup OUT PROGRAM          Escape once it has had time to start
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

long long Nanos() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

void SleepMs(double ms) { std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms)); }

// User plus system time of the whole process, every thread, in seconds.
double CpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(in, line);
  // The fields after the command name, which may hold spaces, in brackets.
  std::size_t at = line.rfind(')');
  if (at == std::string::npos) return -1;
  std::istringstream rest(line.substr(at + 2));
  std::string field;
  double utime = 0, stime = 0;
  for (int i = 3; i <= 15 && rest >> field; ++i) {
    if (i == 14) utime = std::stod(field);
    if (i == 15) stime = std::stod(field);
  }
  return (utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct Game {
  pid_t pid = 0;
  int status = -1;
  bool Running() {
    if (status >= 0) return false;
    int st = 0;
    if (waitpid(pid, &st, WNOHANG) != pid) return true;
    status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
    return false;
  }
  void Await(double seconds) {
    for (int i = 0; i < seconds * 100 && Running(); ++i) SleepMs(10);
    if (Running()) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      status = 137;
    }
  }
};

void Escape(Display* dpy) {
  const KeyCode esc = XKeysymToKeycode(dpy, XK_Escape);
  XTestFakeKeyEvent(dpy, esc, True, CurrentTime);
  XFlush(dpy);
  SleepMs(20);
  XTestFakeKeyEvent(dpy, esc, False, CurrentTime);
  XFlush(dpy);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int fixed = mode == "shots" ? 4 : 2;
  if ((mode != "shots" && mode != "startup") || argc != fixed + 2) {
    std::fprintf(stderr, "usage: input_driver shots N SECONDS OUT PROGRAM | startup OUT PROGRAM\n");
    return 2;
  }
  std::ofstream out(argv[fixed]);
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "input_driver: no X display\n");
    return 1;
  }
  char* child[] = {argv[fixed + 1], nullptr};
  Game game;
  const long long exec = Nanos();
  if (posix_spawn(&game.pid, argv[fixed + 1], nullptr, nullptr, child, environ) != 0) {
    std::perror(argv[fixed + 1]);
    return 1;
  }
  out << "exec " << exec << "\n";

  if (mode == "startup") {
    SleepMs(1500);
    Escape(dpy);
  } else {
    const int shots = std::atoi(argv[2]);
    const double seconds = std::atof(argv[3]);
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> gap(90, 170);
    SleepMs(2000);
    for (int i = 0; i < shots && game.Running(); ++i) {
      XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
      XFlush(dpy);
      out << "click " << Nanos() << "\n";
      SleepMs(15);
      XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
      XFlush(dpy);
      SleepMs(gap(gen) - 15);
    }
    // The player stands still from here: no input at all.
    SleepMs(1000);
    const double cpu0 = CpuSeconds(game.pid);
    const long long quiet0 = Nanos();
    while (game.Running() && (Nanos() - exec) * 1e-9 < seconds) SleepMs(50);
    if (game.Running()) {
      out << "quiet " << (Nanos() - quiet0) * 1e-9 << " " << CpuSeconds(game.pid) - cpu0 << "\n";
      Escape(dpy);
    }
  }
  game.Await(10);
  out << "status " << game.status << "\n";
  XCloseDisplay(dpy);
  return 0;
}
