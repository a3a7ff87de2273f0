// The game's music: one piece of 32 bars at 125 beats a minute (61.44 s) in
// A minor, rendered as two layers of exactly the same length that repeat
// seamlessly. The light layer is a bouncy marimba tune over plucked offbeats,
// bass and a small kit; the dark layer keeps the harmony and the bass rhythm
// but plays it as drones, distorted power chords, dissonant pads, tolling
// bells and heavy drums. Started together, the two stay in step forever.
#pragma once

#include "tools/datagen/sounds/dsp/SynthDsp.h"

namespace music {

constexpr int kBars = 32;
constexpr int kSixteenth = 5292;  // samples: 44100 * 60 / 125 / 4
constexpr int kBar = 16 * kSixteenth;
constexpr int kLoopLength = kBars * kBar;  // 2 709 504 samples

synth::Stereo LightLayer();
synth::Stereo DarkLayer();

}  // namespace music
