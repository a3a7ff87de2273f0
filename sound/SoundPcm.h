// Reads a sound file into 16-bit samples exactly as the sound bank loads it
// (same decoder, same device format), for checks of the generated sounds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SoundPcm {
  int rate = 0;
  int channels = 0;
  std::vector<int16_t> samples;  // interleaved
  size_t Frames() const { return channels ? samples.size() / channels : 0; }
};

// False when no audio device can be opened or the file does not decode.
bool DecodeSound(const std::string& gameFileName, SoundPcm* out);
