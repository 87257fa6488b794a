// The eighteen files of the sound bank and how each is made.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dsp.h"

namespace sfxgen {

struct Entry {
  std::string file;           // name inside the sfx folder
  std::function<Wave()> make;
  double level_db;            // active RMS in dBFS
};

std::vector<Entry> Bank();

}  // namespace sfxgen
