// The audio back ends, registered by name. "Null" is always registered and
// always current when nothing else is.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_backend.h"

namespace platform {

struct BackendEntry {
  std::string name;
  std::function<bool()> exists;
  // Opens the output; null, with *why set, where it can't be opened.
  std::function<std::unique_ptr<AudioBackend>(std::string* why)> open;
};

class BackendRegistry {
 public:
  BackendRegistry();  // registers "Null"
  void Add(BackendEntry entry);
  // Whole names, compared without regard to case.
  bool Exists(const char* name) const;
  // Shuts the current back end down and makes "Null" current; the named one
  // replaces it only if it opens its output. Falling back to "Null" prints
  // one line to stderr saying the game runs without sound, and why.
  void MakeCurrent(const char* name);
  AudioBackend& Current() { return *current_; }

 private:
  const BackendEntry* Find(const char* name) const;
  std::vector<BackendEntry> entries_;
  std::unique_ptr<AudioBackend> current_;
};

}  // namespace platform
