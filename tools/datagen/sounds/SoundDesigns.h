// The sound designs of the game, one function per sound. Each returns the
// sound at 44.1 kHz: one-shots faded in and out, loops trimmed to an exact
// period whose end flows into its start. Their level is only a working one:
// Sounds.cpp sets the loudness of each when it is written (SoundLevels.h).
#pragma once

#include "tools/datagen/sounds/dsp/SynthDsp.h"

namespace sounds {

// Weather (SoundWeather.cpp): three claps with rolling rumble; steady rain loop.
synth::Stereo Thunder(int variant);  // 0, 1 or 2
synth::Stereo RainLoop();

// Magic (SoundMagic.cpp).
synth::Stereo GrowingSwell();  // creaking wood and a woody tone rising
synth::Stereo MagicBells();    // short, bright bells
synth::Stereo EvilLaugh();     // a deep, gravelly "mwa-ha-ha-haaa"
synth::Stereo Poof();          // a soft poof
synth::Stereo GhostWhoosh();   // a ghostly whoosh

// Voices (SoundVoices.cpp): cartoon screams, two high and three low.
synth::Stereo GirlScream(int variant);  // 0 or 1
synth::Stereo ManScream(int variant);   // 0, 1 or 2

// Impacts (SoundImpacts.cpp): wet splats and electric zaps.
synth::Stereo Splat(int variant);  // 0 or 1
synth::Stereo ElectricExplosion();
synth::Stereo SparkActivate();

// Loops with an engine or a fire (SoundAmbience.cpp).
synth::Stereo PlaneEngineLoop();
synth::Stereo FireLoop();

// Finishing shared by the one-shots: fades, then the peak at a working level.
void FinishShot(synth::Stereo& s, double fadeIn, double fadeOut);
synth::Stereo ToStereo(const synth::Mono& m);

}  // namespace sounds
