// The one header through which the game reaches the machine.
//
// The game decides; the platform gathers time and input and plays sound. Every
// reading the game takes of the clock, the keys, the mouse or the random source
// goes through here, so a test can drive the real game with a fake platform:
// a scripted clock, scripted input and a recording audio layer.
#pragma once

#include "platform/sound.h"

namespace platform {

// One full-screen mode of the primary display.
struct Mode {
  int w = 0, h = 0, bpp = 0, hz = 0;
};

// A channel of the audio layer. kNoChannel is what allocation gives when every
// channel is taken: it ignores every operation and never plays.
using Channel = int;
inline constexpr Channel kNoChannel = -1;

// Key codes and mouse buttons as the game names them.
inline constexpr int kKeyEscape = 27, kKeyW = 87, kKeyS = 83, kKeyA = 65, kKeyD = 68;
inline constexpr int kMouseLeft = 1, kMouseRight = 2, kMouseMiddle = 3;

// The periodic tick timer.
class Timer {
 public:
  virtual ~Timer() = default;
  // Returns once at least one tick has come since the previous Wait returned,
  // consuming every tick that has come; window and input events are processed
  // while it waits.
  virtual void Wait() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Display. Modes are those of the primary display at 16 bits per pixel or
  // more, in the order the display reports them.
  virtual int ModeCount() = 0;
  virtual Mode GetMode(int i) = 0;
  // A full-screen borderless window of w x h; where the rate is refused, the
  // same size at the display's own rate. Starts the recording of input.
  virtual void OpenDisplay(int w, int h, int bpp, int hz, int flags) = 0;
  virtual void HideCursor() = 0;
  virtual void MoveCursor(int x, int y) = 0;

  // Input. Each query first processes the pending window events. Held states
  // and counts are cleared when the window loses or regains the focus.
  virtual int KeyDown(int key) = 0;      // exactly 0 or 1
  virtual int KeyHits(int key) = 0;      // presses since last asked; repeats don't count
  virtual int MouseHits(int button) = 0; // presses since last asked
  virtual int MouseXSpeed() = 0;         // horizontal pixels moved since last asked

  // Time.
  virtual Timer* CreateTimer(int hz) = 0;  // owned by the platform
  // Milliseconds, 32-bit signed; non-negative and far below 2^31 - 1 for the
  // length of a game, and different from run to run.
  virtual int Millisecs() = 0;
  virtual void Delay(int ms) = 0;
  // Stops the sound and closes the display before the process ends.
  [[noreturn]] virtual void End(int status) = 0;

  // The random source: Rnd() is uniform in [0, 1) and never reaches 1.
  virtual void SeedRnd(int seed) = 0;
  virtual double Rnd() = 0;

  // Audio back ends by name, compared without regard to case.
  virtual bool BackendExists(const char* name) = 0;
  // Shuts the current back end down and leaves "Null" current unless the
  // named one opens its output.
  virtual void SetBackend(const char* name) = 0;
  // Decoded whole, at the mixer's rate. Null when the file is missing,
  // unreadable or not Ogg Vorbis; the sound lives until the process ends.
  virtual const Sound* LoadSound(const char* path, int flags) = 0;
  // Once, at full volume, centred; the game keeps no handle.
  virtual void PlaySound(const Sound* snd) = 0;

  // Channels. A new channel is silent, not playing, volume 1, pan 0. A
  // channel plays from the moment ChannelPlay returns until its last sample is
  // mixed or it is stopped. Stop releases it; a second stop has no effect. A
  // null sound plays nothing, and its channel never reports playing.
  virtual Channel AllocChannel() = 0;
  virtual void ChannelPan(Channel c, float pan) = 0;     // -1 left .. +1 right
  virtual void ChannelVolume(Channel c, float vol) = 0;  // 0 .. 1
  virtual void ChannelPlay(Channel c, const Sound* snd) = 0;
  virtual int ChannelPlaying(Channel c) = 0;
  virtual void StopChannel(Channel c) = 0;
};

}  // namespace platform
