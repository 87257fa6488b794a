#include "bank.h"

#include "voices.h"

namespace sfxgen {

namespace {
// The common level of the bank. The beacon and the shot sit a little above
// it: one must be found from afar, the other is the player's own gun.
constexpr double kLevelDb = -17;
constexpr double kProminentDb = -15;
}  // namespace

std::vector<Entry> Bank() {
  std::vector<Entry> bank;
  for (int i = 0; i < 3; ++i) {
    bank.push_back({"brt" + std::to_string(i + 1) + ".ogg", [i] { return Breath(i); }, kLevelDb});
  }
  bank.push_back({"drp.ogg", BodyFall, kLevelDb});
  bank.push_back({"dry.ogg", DryFire, kLevelDb});
  bank.push_back({"exp.ogg", Boom, kLevelDb});
  bank.push_back({"lck.ogg", Beacon, kProminentDb});
  bank.push_back({"pch.ogg", Strike, kLevelDb});
  bank.push_back({"sht.ogg", Shot, kProminentDb});
  for (int i = 0; i < 8; ++i) {
    bank.push_back({"stp" + std::to_string(i + 1) + ".ogg", [i] { return Footstep(i); }, kLevelDb});
  }
  bank.push_back({"wsh.ogg", Whoosh, kLevelDb});
  return bank;
}

}  // namespace sfxgen
