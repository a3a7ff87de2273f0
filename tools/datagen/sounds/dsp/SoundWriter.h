// Writes generated sounds as the game's files: 16-bit PCM WAV at 44.1 kHz, or
// MP3 through LAME with the encoder's info tag, so that decoders that honour
// it (mpg123, which the mixer uses) give back exactly the samples encoded.
#pragma once

#include <string>

#include "tools/datagen/sounds/dsp/SynthDsp.h"

// Both throw std::runtime_error when the file cannot be written. Samples are
// clamped to -1..1 and rounded to 16 bits.
void WriteWav(const std::string& path, const synth::Mono& sound);
void WriteWav(const std::string& path, const synth::Stereo& sound);
void WriteMp3(const std::string& path, const synth::Stereo& sound);
