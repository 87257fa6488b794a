// One recipe per kind of sound in the bank. Each draws from its own fixed
// seed, so a recipe always gives the same wave.
#pragma once

#include "dsp.h"

namespace sfxgen {

Wave Breath(int variant);    // 0..2: a zombie's rasping inhale and exhale
Wave Footstep(int variant);  // 0..7: one walker on hard, gritty ground
Wave BodyFall();             // a heavy thud and a short crumple
Wave DryFire();              // the trigger on an empty gun
Wave Boom();                 // the closing sound
Wave Beacon();               // the target's call
Wave Strike();               // a zombie's hit
Wave Shot();                 // the gun
Wave Whoosh();               // a zombie lunging

}  // namespace sfxgen
