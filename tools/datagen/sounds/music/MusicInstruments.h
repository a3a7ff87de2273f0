// The instruments of the game's music. Each returns one note as a mono
// buffer at 44.1 kHz (attack to the end of its ring); the score places and
// pans them. Light layer: marimba, plucked strings, a bouncy synth bass and a
// small drum kit. Dark layer: distorted power chords, dissonant pads, a low
// bell, a horn and a heavy kit.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/datagen/sounds/dsp/SynthDsp.h"

namespace music {

synth::Mono Marimba(double hz);
synth::Mono Pluck(double hz, uint64_t seed);            // Karplus-Strong string
synth::Mono PluckBass(double hz, double seconds);       // saw through a closing filter
synth::Mono PowerChord(double rootHz, double seconds);  // root, fifth, octave, driven
synth::Mono Pad(const std::vector<double>& hz, double seconds);
synth::Mono Toll(double hz);  // a low, dark bell
synth::Mono Horn(double hz, double seconds);

enum class Drum { Kick, Clap, Hat, Shaker, Tom, HeavyKick, HeavySnare, Crash, Clank, HeavyTom };
// A drum hit; toms take their pitch from hz.
synth::Mono DrumHit(Drum drum, double hz = 0.0);

}  // namespace music
