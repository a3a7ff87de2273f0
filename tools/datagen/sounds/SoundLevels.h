// How loud each of the 22 sounds is heard in play: the integrated loudness
// (LUFS, dsp/Loudness.h) of the sound at the volume the game plays it at.
// The generator scales each file to reach it; the tests of the data measure
// it back. The music is the bed the rest is set against, at -31: low enough
// that every effect clears it at the volume the game gives it (a splat at 50
// of 255 cannot be made much louder than -25 without crushing it). The
// effects sit over it by what their moment in the game is worth.
#pragma once

#include <cmath>
#include <cstring>
#include <string>

#include "sound/SoundTable.h"

namespace sounds {

struct SoundLevel {
  const char* name;
  double lufs;  // as heard in play
};

constexpr SoundLevel kSoundLevels[SoundCount] = {
    // A tree growing a stage: frequent and pleasant, 4 LU over the music.
    {"Tree_Growing_01", -27.0},
    // Lightning, the biggest event of the game: the close claps (the first
    // two) 12 LU over the music, the distant roll 6.
    {"Thunder", -19.0},
    {"Thunder2", -19.0},
    {"Thunder3", -25.0},
    // Rain can fall for minutes: a bed 2 LU under the music.
    {"Rain_Loop_04", -33.0},
    // The music, each layer at the level the fade gives it when it leads.
    {"GameMusic", -31.0},
    {"GameMusic2", -31.0},
    // Loaded with volume 1 and never started: an ambience of -22 LUFS in its
    // file, 48 dB down at that volume.
    {"Fire", -70.1},
    // A player's cloud dying, and the unused ghostly whoosh.
    {"Dead", -23.0},
    {"Dead2", -25.0},
    // A cloud turning evil: a laugh that cuts through everything but thunder.
    {"EvilZarvo", -23.0},
    // Screams of people struck: all five alike, over the music.
    {"GirlScream", -24.0},
    {"GirlScream2", -24.0},
    // The plane must be heard coming before it is seen.
    {"Plane_Warning", -27.0},
    // A rank change: clear, but not to nag when ranks change often.
    {"GainRank", -25.0},
    // A dry sheep bursting, clearly over the music; a wet one's electric
    // blast and its spark louder still.
    {"Explode_Sheep1", -26.0},
    {"Explode_Sheep2", -26.0},
    {"Explode_WetSheep1", -24.0},
    {"Explode_WetSheep2", -25.0},
    {"ManScream1", -24.0},
    {"ManScream2", -24.0},
    {"ManScream3", -24.0},
};

// The volume a sound is heard at: the one the frame function sets, full when
// it sets none; the music layers at 100, the fade's level for the layer that
// leads (the light one while the clouds are calm, the dark one while a cloud
// is large).
inline int HeardAtVolume(const SoundFile& f) {
  if (std::string(f.name).rfind("GameMusic", 0) == 0) return 100;
  return f.frameVolume < 0 ? 255 : f.frameVolume;
}

// Decibels that volume takes off the file's level.
inline double VolumeDb(const SoundFile& f) { return 20.0 * std::log10(HeardAtVolume(f) / 255.0); }

// The target as heard in play; NaN for a name not in the table.
inline double TargetLoudness(const char* name) {
  for (const SoundLevel& l : kSoundLevels)
    if (std::strcmp(l.name, name) == 0) return l.lufs;
  return std::nan("");
}

// The loudness the file itself must have.
inline double FileLoudness(const SoundFile& f) { return TargetLoudness(f.name) - VolumeDb(f); }

}  // namespace sounds
