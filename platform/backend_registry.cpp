#include "platform/backend_registry.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/null_backend.h"

namespace platform {
namespace {

bool SameName(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

BackendRegistry::BackendRegistry() : current_(std::make_unique<NullBackend>()) {
  Add({"Null", [] { return true; },
       [](std::string*) -> std::unique_ptr<AudioBackend> { return std::make_unique<NullBackend>(); }});
}

void BackendRegistry::Add(BackendEntry entry) { entries_.push_back(std::move(entry)); }

const BackendEntry* BackendRegistry::Find(const char* name) const {
  if (!name) return nullptr;
  for (const BackendEntry& e : entries_) {
    if (SameName(e.name, name)) return &e;
  }
  return nullptr;
}

bool BackendRegistry::Exists(const char* name) const {
  const BackendEntry* e = Find(name);
  return e && e->exists();
}

void BackendRegistry::MakeCurrent(const char* name) {
  // The old output is closed before the new one opens: both may want the
  // same device.
  current_.reset();
  current_ = std::make_unique<NullBackend>();

  std::string why;
  const BackendEntry* e = Find(name);
  if (!e) {
    why = std::string("no audio back end named \"") + (name ? name : "") + "\"";
  } else if (std::unique_ptr<AudioBackend> opened = e->open(&why)) {
    current_ = std::move(opened);
    return;
  } else if (why.empty()) {
    why = e->name + " could not open its output";
  }
  std::replace(why.begin(), why.end(), '\n', ' ');  // one line, whatever the reason says
  std::fprintf(stderr, "earshot: running without sound: %s\n", why.c_str());
}

}  // namespace platform
