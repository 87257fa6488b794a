// An audio back end of another library, for the timed program to play the
// game's sounds through in place of ours. It logs its mixed blocks itself.
#pragma once

#include <memory>
#include <string>

#include "platform/audio_backend.h"

namespace bench {

class PeerAudio : public platform::AudioBackend {
 public:
  // Makes a loaded sound playable; called once per sound, at start-up.
  virtual void Prepare(const platform::Sound* snd) = 0;
};

// SDL_mixer as it is usually set up: Mix_OpenAudio with a 2048-frame chunk.
// Null, with *why set, where it can't open its output.
std::unique_ptr<PeerAudio> OpenSdlMixer(std::string* why);

}  // namespace bench
